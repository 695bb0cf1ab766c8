#include "assembly/WizardDialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMargins>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "assembly/StageDialogTable.h"
#include "ui/DialogPlacement.h"
#include "ui/HeadingLabel.h"
#include "ui/Look.h"
#include "ui/PictureLibrary.h"
#include "ui/Utf8Text.h"

namespace bw::assembly {
namespace {

constexpr int kPictureSize = 40;
constexpr int kTextWidth = 300;
// Around the opening line's text, inside its band.
constexpr QMargins kHeadingPadding{14, 6, 10, 6};

using ui::text;

QPushButton* addButton(QHBoxLayout* row, const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    row->addWidget(button);
    return button;
}

QLabel* textLabel(const QString& caption, QWidget* parent, bool opening = false) {
    QLabel* label =
        opening ? new ui::HeadingLabel(caption, ui::look::heading(), parent) : new QLabel(caption, parent);
    label->setWordWrap(true);
    label->setAccessibleName(caption);
    label->setMinimumWidth(kTextWidth);
    if (opening) label->setContentsMargins(kHeadingPadding);
    return label;
}

QLabel* pictureLabel(const QString& icon, QWidget* parent) {
    auto* picture = new QLabel(parent);
    picture->setPixmap(ui::buttonPicture(icon, QSize(kPictureSize, kPictureSize), ui::ButtonLook::Normal));
    picture->setFixedSize(kPictureSize, kPictureSize);
    picture->setAccessibleName(icon);
    return picture;
}

// OK and Cancel at the bottom right.
QHBoxLayout* buttonRow(QVBoxLayout* layout) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    layout->addSpacing(8);
    layout->addLayout(row);
    return row;
}

} // namespace

void WizardDialog::setOkButton(QPushButton* ok) {
    ok_ = ok;
    ok_->setDefault(true);
}

void WizardDialog::showEvent(QShowEvent* event) {
    // A button keeps the focus while its dialog is hidden, and a focused button takes Enter.
    if (ok_) {
        ok_->setFocus(Qt::OtherFocusReason);
        ok_->setDefault(true);
    }
    QDialog::showEvent(event);
    ui::centreOverParent(*this);
}

StageDialog::StageDialog(const QString& name, QWidget* parent) : WizardDialog(parent) {
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(24);
    layout->addLayout(columns);
    QGridLayout* grids[2] = {new QGridLayout, new QGridLayout};
    for (QGridLayout* grid : grids) {
        grid->setHorizontalSpacing(10);
        grid->setVerticalSpacing(8);
        grid->setColumnStretch(1, 1);
        grid->setRowStretch(64, 1);
    }
    int rows[2] = {0, 0};
    for (const StageDialogLine& line : stageDialogLines()) {
        if (text(line.dialog) != name) continue;
        setWindowTitle(text(line.caption));
        QGridLayout* grid = grids[line.column];
        int& row = rows[line.column];
        if (line.icon.empty()) {
            grid->addWidget(textLabel(text(line.text), this, true), row++, 0, 1, 2);
            continue;
        }
        grid->addWidget(pictureLabel(text(line.icon), this), row, 0, Qt::AlignTop);
        grid->addWidget(textLabel(text(line.text), this), row++, 1, Qt::AlignVCenter);
    }
    columns->addLayout(grids[0]);
    if (rows[1] > 0)
        columns->addLayout(grids[1]);
    else
        delete grids[1];

    QHBoxLayout* buttons = buttonRow(layout);
    QPushButton* ok = addButton(buttons, "Label6", "OK", this);
    setOkButton(ok);
    connect(ok, &QPushButton::clicked, this, &StageDialog::okPressed);
    connect(addButton(buttons, "Label5", "Cancel", this), &QPushButton::clicked, this,
            &StageDialog::cancelPressed);
    connect(this, &QDialog::rejected, this, &StageDialog::cancelPressed);
    setFixedSize(sizeHint());
}

DesignDialog::DesignDialog(QWidget* parent) : WizardDialog(parent) {
    setObjectName("frm1");
    setWindowTitle("Design");
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    auto* intro = textLabel("Design your motherboard for a tower or laptop pc.", this, true);
    intro->setObjectName("Label1");
    layout->addWidget(intro);

    auto* choices = new QHBoxLayout;
    choices->setSpacing(24);
    auto addChoice = [&](const char* name, const char* caption, const char* icon) {
        auto* column = new QVBoxLayout;
        auto* picture = new QLabel(this);
        picture->setPixmap(ui::iconPicture(icon, QSize(72, 72)));
        picture->setAccessibleName(caption);
        picture->setAlignment(Qt::AlignCenter);
        auto* option = new QRadioButton(caption, this);
        option->setObjectName(name);
        option->setAccessibleName(caption);
        column->addWidget(picture);
        column->addWidget(option, 0, Qt::AlignHCenter);
        choices->addLayout(column);
        return option;
    };
    choices->addStretch();
    Option1_ = addChoice("Option1", "Tower", "tower");
    Option2_ = addChoice("Option2", "Laptop", "pc");
    choices->addStretch();
    Option1_->setChecked(true);
    layout->addSpacing(8);
    layout->addLayout(choices);

    QHBoxLayout* buttons = buttonRow(layout);
    QPushButton* ok = addButton(buttons, "Label2", "OK", this);
    setOkButton(ok);
    connect(ok, &QPushButton::clicked, this, &DesignDialog::okPressed);
    connect(addButton(buttons, "Label3", "Cancel", this), &QPushButton::clicked, this,
            &DesignDialog::cancelPressed);
    connect(this, &QDialog::rejected, this, &DesignDialog::cancelPressed);
    setFixedSize(sizeHint());
}

bool DesignDialog::towerChosen() const { return Option1_->isChecked(); }

FinishedDialog::FinishedDialog(QWidget* parent) : WizardDialog(parent) {
    setObjectName("Frm0");
    setWindowTitle("Finished!");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textLabel("The motherboard is designed!", this, true));
    auto* grid = new QGridLayout;
    auto addChoice = [&](int row, const char* caption, const char* icon, const char* name) {
        grid->addWidget(pictureLabel(icon, this), row, 0);
        auto* label = new QLabel(caption, this);
        label->setAccessibleName(caption);
        grid->addWidget(label, row, 1);
        auto* ok = new QPushButton("OK", this);
        ok->setObjectName(name);
        ok->setAccessibleName(QStringLiteral("OK: %1").arg(caption));
        grid->addWidget(ok, row, 2);
        return ok;
    };
    grid->setColumnStretch(1, 1);
    connect(addChoice(0, "View Inventory.", "inventory", "Label4"), &QPushButton::clicked, this,
            &FinishedDialog::viewInventoryPressed);
    connect(addChoice(1, "View Motherboard.", "mb", "Label7"), &QPushButton::clicked, this,
            &FinishedDialog::viewMotherboardPressed);
    layout->addLayout(grid);

    QHBoxLayout* buttons = buttonRow(layout);
    QPushButton* ok = addButton(buttons, "Label2", "OK", this);
    setOkButton(ok);
    connect(ok, &QPushButton::clicked, this, &FinishedDialog::okPressed);
    connect(addButton(buttons, "Label3", "Cancel", this), &QPushButton::clicked, this,
            &FinishedDialog::cancelPressed);
    connect(this, &QDialog::rejected, this, &FinishedDialog::cancelPressed);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
}

} // namespace bw::assembly
