#include "app/ExportCommands.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QMessageBox>
#include <QSpinBox>

namespace bw::app {
namespace {

std::optional<QString> askWithFileDialog(QWidget* parent, const QString& caption, const QStringList& filters,
                                         const QString& proposed) {
    QFileDialog dialog(parent, caption);
    dialog.setObjectName("dlogExport");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.selectFile(proposed);
    // The extension follows the chosen filter, so that the format does too.
    const auto suffixOf = [](const QString& filter) {
        const qsizetype star = filter.indexOf("(*.");
        return star < 0 ? QString()
                        : filter.mid(star + 3, filter.indexOf(')', star) - star - 3).section(' ', 0, 0);
    };
    dialog.setDefaultSuffix(suffixOf(filters.value(0)));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog, suffixOf](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QSize> askForSize(QWidget* parent, QSize viewSize) {
    QDialog dialog(parent);
    dialog.setObjectName("dlgPictureSize");
    dialog.setWindowTitle("Export picture");
    auto* form = new QFormLayout(&dialog);
    const auto addBox = [&](const char* name, const char* caption, int value, int largest) {
        auto* box = new QSpinBox(&dialog);
        box->setObjectName(name);
        box->setAccessibleName(caption);
        box->setRange(16, largest);
        box->setValue(std::clamp(value, 16, largest));
        box->setSuffix(" px");
        form->addRow(caption, box);
        return box;
    };
    QSpinBox* width = addBox("spnWidth", "Width", viewSize.width(), kLargestPictureWidth);
    QSpinBox* height = addBox("spnHeight", "Height", viewSize.height(), kLargestPictureHeight);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return QSize(width->value(), height->value());
}

} // namespace

ExportCommands::ExportCommands(QWidget& window, std::function<ExportSources()> sources,
                               std::function<void()> storeTyped)
    : QObject(&window), window_(window), sources_(std::move(sources)), storeTyped_(std::move(storeTyped)) {
    chooseFile_ = [this](const QString& caption, const QStringList& filters, const QString& proposed) {
        return askWithFileDialog(&window_, caption, filters, proposed);
    };
    chooseSize_ = [this](QSize viewSize) { return askForSize(&window_, viewSize); };
    reportFailure_ = [this](const QString& file, const QString& reason) {
        QMessageBox box(QMessageBox::Warning, "Boardwright",
                        QStringLiteral("%1 could not be written.\n\n%2").arg(file, reason), QMessageBox::Ok,
                        &window_);
        box.setObjectName("exportFailed");
        box.exec();
    };
}

void ExportCommands::run(const QString& caption, const QStringList& filters, const QString& suffix,
                         const ExportSources& sources) {
    const QString proposed = QDir::current().filePath(sources.title + "." + suffix);
    const std::optional<QString> file = chooseFile_(caption, filters, proposed);
    if (!file || file->isEmpty()) return;
    if (const QString failure = writeExport(*file, sources); !failure.isEmpty())
        reportFailure_(*file, failure);
}

void ExportCommands::exportPartsList() {
    storeTyped_();
    run("Export parts list", {"CSV table (*.csv)", "Markdown table (*.md)", "Web page (*.html)"}, "csv",
        sources_());
}

void ExportCommands::exportPicture() {
    storeTyped_();
    ExportSources sources = sources_();
    const std::optional<QSize> size = chooseSize_(QSize(sources.pictureWidth, sources.pictureHeight));
    if (!size) return;
    sources.pictureWidth = size->width();
    sources.pictureHeight = size->height();
    run("Export picture", {"PNG picture (*.png)"}, "png", sources);
}

void ExportCommands::exportReport() {
    storeTyped_();
    run("Export report", {"PDF document (*.pdf)"}, "pdf", sources_());
}

} // namespace bw::app
