#pragma once
// The design as a document: the file it came from or was saved to, whether it has changes
// not yet saved (shown in the window title), and the commands that replace it (Open, New
// design) or end with it (Exit), which ask before throwing unsaved work away.

#include <functional>
#include <optional>
#include <QObject>
#include <QString>

class QWidget;

namespace bw::assembly {
class PartEdits;
struct DesignState;
} // namespace bw::assembly

namespace bw::app {

class SaveCommands;

class DesignDocument : public QObject {
    Q_OBJECT
public:
    enum class Answer { Save, Discard, Cancel };
    // Asks "Save changes to NAME?".
    using UnsavedQuestion = std::function<Answer(const QString& name)>;
    // Asks for a design file to open; nothing when the user cancels.
    using FileChooser = std::function<std::optional<QString>()>;
    // Tells the user why a file could not be opened.
    using FailureReporter = std::function<void(const QString& file, const QString& reason)>;

    struct Hooks {
        std::function<void()> storeTypedDetails; // before anything reads or replaces the design
        std::function<void()> showOpened;        // after a design was opened
        std::function<void()> showEmpty;         // after New design emptied everything
    };

    DesignDocument(QWidget& window, assembly::DesignState& state, assembly::PartEdits& edits,
                   SaveCommands& save, Hooks hooks);

    // The file's name without its folder; "Untitled" before the first save.
    QString displayName() const;
    bool hasUnsavedChanges() const;

    bool save();
    bool saveAs();
    void open();
    // Opens `file` in place of the design on screen; false, with a message and nothing
    // changed, when it is not a design file this program can read.
    bool openFile(const QString& file);
    void newDesign();
    // Stores what was typed and, when there are unsaved changes, asks whether to save them;
    // false when the user cancelled or the save did not happen.
    bool mayDiscard();

    void setUnsavedQuestion(UnsavedQuestion question) { ask_ = std::move(question); }
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    void setFailureReporter(FailureReporter reporter) { reportFailure_ = std::move(reporter); }

private:
    void updateTitle();

    QWidget& window_;
    assembly::DesignState& state_;
    assembly::PartEdits& edits_;
    SaveCommands& save_;
    Hooks hooks_;
    UnsavedQuestion ask_;
    FileChooser chooseFile_;
    FailureReporter reportFailure_;
};

} // namespace bw::app
