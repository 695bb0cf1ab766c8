#pragma once
// Save and Save as: write every system of the store to a design file.

#include <functional>
#include <optional>
#include <QObject>
#include <QString>

class QWidget;

namespace bw::catalogue {
class SystemStore;
}

namespace bw::app {

class SaveCommands : public QObject {
    Q_OBJECT
public:
    // Asks for the file to save to, proposing `proposed`; nothing when the user cancels.
    using FileChooser = std::function<std::optional<QString>(const QString& proposed)>;
    // Tells the user that a file could not be written.
    using FailureReporter = std::function<void(const QString& file, const QString& reason)>;

    SaveCommands(const catalogue::SystemStore& store, QWidget* dialogParent);

    // Each is true once the design is written; false when cancelled or failed.
    bool mnusave_Click();
    bool mnusaveas_Click();
    // Writes the store to the file named by the Save-as dialog; false when it failed.
    bool create_save();

    // The file Save writes to; empty before the first save.
    QString file() const { return dlog2_; }
    // Makes Save write to `file` (an opened design), or ask again (empty: a new design).
    void setFile(const QString& file);

    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    void setFailureReporter(FailureReporter reporter) { reportFailure_ = std::move(reporter); }

signals:
    void saved(const QString& file);

private:
    const catalogue::SystemStore& store_;
    QWidget* dialogParent_;
    QString dlog1_; // the file of the last save
    QString dlog2_; // the file the Save-as dialog chose
    FileChooser chooseFile_;
    FailureReporter reportFailure_;
};

} // namespace bw::app
