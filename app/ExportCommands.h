#pragma once
// The main menu's exports: the parts list (CSV, Markdown or HTML, by the extension chosen),
// a picture of the model at a size the user picks, and the printable report.

#include <functional>
#include <optional>
#include <QObject>
#include <QSize>
#include <QStringList>

#include "app/DesignExports.h"

class QWidget;

namespace bw::app {

class ExportCommands : public QObject {
    Q_OBJECT
public:
    // Asks where to write; nothing when the user cancels.
    using FileChooser = std::function<std::optional<QString>(
        const QString& caption, const QStringList& filters, const QString& proposed)>;
    // Asks for the picture's size, starting from the view's; nothing when cancelled.
    using SizeChooser = std::function<std::optional<QSize>(QSize viewSize)>;
    using FailureReporter = std::function<void(const QString& file, const QString& reason)>;

    // `sources` describes the design as it is at the moment of an export; `storeTyped` stores
    // what is still being typed in the details first.
    ExportCommands(QWidget& window, std::function<ExportSources()> sources, std::function<void()> storeTyped);

    void exportPartsList();
    void exportPicture();
    void exportReport();

    ExportSources sources() const { return sources_(); }

    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    void setSizeChooser(SizeChooser chooser) { chooseSize_ = std::move(chooser); }
    void setFailureReporter(FailureReporter reporter) { reportFailure_ = std::move(reporter); }

private:
    void run(const QString& caption, const QStringList& filters, const QString& suffix,
             const ExportSources& sources);

    QWidget& window_;
    std::function<ExportSources()> sources_;
    std::function<void()> storeTyped_;
    FileChooser chooseFile_;
    SizeChooser chooseSize_;
    FailureReporter reportFailure_;
};

} // namespace bw::app
