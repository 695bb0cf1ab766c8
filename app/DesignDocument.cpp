#include "app/DesignDocument.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include "app/SaveCommands.h"
#include "assembly/DesignState.h"
#include "assembly/PartEdits.h"
#include "catalogue/DesignFileReader.h"
#include "scene3d/platform/common/RegularFile.h"

namespace bw::app {
namespace {

const QString kDesignFilter = QStringLiteral("Boardwright designs (*.VELDR *.veldr)");

DesignDocument::Answer askWithMessageBox(QWidget* parent, const QString& name) {
    QMessageBox box(QMessageBox::Warning, "Boardwright", QStringLiteral("Save changes to %1?").arg(name),
                    QMessageBox::NoButton, parent);
    box.setObjectName("unsavedQuestion");
    QPushButton* save = box.addButton("Save", QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton("Discard", QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton("Cancel", QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return DesignDocument::Answer::Save;
    if (box.clickedButton() == discard) return DesignDocument::Answer::Discard;
    return DesignDocument::Answer::Cancel;
}

std::optional<QString> askForDesignFile(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent, "Open");
    dialog.setObjectName("dlogOpen");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({kDesignFilter, "All Files (*)"});
    dialog.selectNameFilter(kDesignFilter);
    dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

// Why the bytes of `file` cannot be had, in words for the user; empty when they were read.
QString unreadableBecause(FileRead outcome) {
    switch (outcome) {
    case FileRead::Ok:
        return {};
    case FileRead::Missing:
        return "The file does not exist or cannot be read.";
    case FileRead::NotRegular:
        return "It is not a regular file.";
    case FileRead::TooLarge:
        return QStringLiteral("It is larger than %1 MB, more than any design.")
            .arg(catalogue::kLargestDesignFile >> 20);
    case FileRead::Failed:
        break;
    }
    return "It could not be read.";
}

} // namespace

DesignDocument::DesignDocument(QWidget& window, assembly::DesignState& state, assembly::PartEdits& edits,
                               SaveCommands& save, Hooks hooks)
    : QObject(&window), window_(window), state_(state), edits_(edits), save_(save), hooks_(std::move(hooks)) {
    ask_ = [this](const QString& name) { return askWithMessageBox(&window_, name); };
    chooseFile_ = [this] {
        const QString current = save_.file();
        return askForDesignFile(&window_,
                                current.isEmpty() ? QDir::currentPath() : QFileInfo(current).path());
    };
    reportFailure_ = [this](const QString& file, const QString& reason) {
        QMessageBox box(QMessageBox::Warning, "Boardwright",
                        QStringLiteral("The design could not be opened from %1.\n\n%2").arg(file, reason),
                        QMessageBox::Ok, &window_);
        box.setObjectName("openFailed");
        box.exec();
    };
    connect(&edits_, &assembly::PartEdits::unsavedChangesChanged, this, &DesignDocument::updateTitle);
    connect(&save_, &SaveCommands::saved, this, [this] { edits_.markSaved(); });
    updateTitle();
}

QString DesignDocument::displayName() const {
    const QString file = save_.file();
    return file.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(file).fileName();
}

bool DesignDocument::hasUnsavedChanges() const { return edits_.hasUnsavedChanges(); }

void DesignDocument::updateTitle() {
    window_.setWindowTitle(displayName() + (hasUnsavedChanges() ? "*" : "") +
                           QStringLiteral(" — Boardwright"));
}

bool DesignDocument::save() {
    hooks_.storeTypedDetails();
    const bool saved = save_.mnusave_Click();
    updateTitle(); // the name may have changed even where nothing else did
    return saved;
}

bool DesignDocument::saveAs() {
    hooks_.storeTypedDetails();
    const bool saved = save_.mnusaveas_Click();
    updateTitle();
    return saved;
}

bool DesignDocument::mayDiscard() {
    hooks_.storeTypedDetails();
    if (!hasUnsavedChanges()) return true;
    switch (ask_(displayName())) {
    case Answer::Save:
        return save();
    case Answer::Discard:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

void DesignDocument::open() {
    if (!mayDiscard()) return;
    if (const std::optional<QString> file = chooseFile_()) openFile(*file);
}

bool DesignDocument::openFile(const QString& file) {
    const RegularFile bytes =
        readRegularFile(QFile::encodeName(file).toStdString(), catalogue::kLargestDesignFile);
    if (const QString reason = unreadableBecause(bytes.outcome); !reason.isEmpty()) {
        reportFailure_(file, reason);
        return false;
    }
    catalogue::DesignRead read =
        catalogue::readDesignText(std::string_view(bytes.bytes.data(), bytes.bytes.size()));
    if (!read.ok) {
        const QString expected = QString::fromStdString(read.error.expected);
        reportFailure_(file, read.error.line > 0
                                 ? QStringLiteral("Line %1: expected %2.").arg(read.error.line).arg(expected)
                                 : QStringLiteral("Expected %1.").arg(expected));
        return false;
    }
    state_.store = std::move(read.store);
    save_.setFile(QFileInfo(file).absoluteFilePath());
    edits_.showOpenedDesign();
    hooks_.showOpened();
    updateTitle();
    return true;
}

void DesignDocument::newDesign() {
    if (!mayDiscard()) return;
    state_.store.clear();
    save_.setFile(QString());
    edits_.showOpenedDesign();
    hooks_.showEmpty();
    updateTitle();
}

} // namespace bw::app
