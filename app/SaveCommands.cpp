#include "app/SaveCommands.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "app/FileSaving.h"
#include "catalogue/DesignFile.h"

namespace bw::app {
namespace {

const QString kProposedName = QStringLiteral("Untitled.VELDR");

std::optional<QString> askWithFileDialog(QWidget* parent, const QString& proposed) {
    QFileDialog dialog(parent, "Save as");
    dialog.setObjectName("dlog2");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("VELDR");
    dialog.setNameFilters({"Norvik files (*.VELDR)", "All Files (*)"});
    dialog.selectNameFilter("Norvik files (*.VELDR)");
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

} // namespace

SaveCommands::SaveCommands(const catalogue::SystemStore& store, QWidget* dialogParent)
    : QObject(dialogParent), store_(store), dialogParent_(dialogParent) {
    chooseFile_ = [this](const QString& proposed) { return askWithFileDialog(dialogParent_, proposed); };
    reportFailure_ = [this](const QString& file, const QString& reason) {
        QMessageBox box(QMessageBox::Warning, "Boardwright",
                        QStringLiteral("The design could not be saved to %1.\n\n%2").arg(file, reason),
                        QMessageBox::Ok, dialogParent_);
        box.setObjectName("saveFailed");
        box.exec();
    };
}

bool SaveCommands::mnusave_Click() {
    if (dlog2_.isEmpty()) return mnusaveas_Click();
    dlog1_ = dlog2_;
    return create_save();
}

bool SaveCommands::mnusaveas_Click() {
    const QString proposed = dlog1_.isEmpty() ? QDir::current().filePath(kProposedName) : dlog1_;
    const std::optional<QString> chosen = chooseFile_(proposed);
    if (!chosen || chosen->isEmpty()) return false; // cancelled: nothing is written
    dlog2_ = *chosen;
    return mnusave_Click();
}

bool SaveCommands::create_save() {
    const catalogue::WriteOutcome outcome =
        catalogue::writeDesignFile(QFile::encodeName(dlog2_).toStdString(), store_, backupFolder());
    if (!outcome.ok) {
        reportFailure_(dlog2_, QString::fromStdString(outcome.error));
        return false;
    }
    emit saved(dlog2_);
    return true;
}

void SaveCommands::setFile(const QString& file) {
    dlog1_ = file;
    dlog2_ = file;
}

} // namespace bw::app
