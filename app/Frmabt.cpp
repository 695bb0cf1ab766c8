#include "app/Frmabt.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/DialogPlacement.h"
#include "ui/Look.h"
#include "ui/PictureLibrary.h"

namespace bw::app {

Frmabt::Frmabt(QWidget* parent) : QDialog(parent) {
    setObjectName("Frmabt");
    setWindowTitle("About Boardwright");
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* picture = new QLabel(this);
    picture->setObjectName("Picture1");
    picture->setAccessibleName("Boardwright");
    picture->setPixmap(ui::picture("about", QSize(128, 128)));
    picture->setFixedSize(128, 128);

    auto* name = new QLabel("Boardwright", this);
    name->setObjectName("LabelName");
    name->setAccessibleName(name->text());
    ui::makeBold(*name);
    auto* purpose = new QLabel("Design a PC, stage by stage, on a 3D model.", this);
    purpose->setObjectName("LabelPurpose");
    purpose->setAccessibleName(purpose->text());
    auto* version = new QLabel("V1.00", this);
    version->setObjectName("Label1");
    version->setAccessibleName(version->text());

    device_ = new QLabel(this);
    device_->setObjectName("LabelDevice");
    device_->hide();

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("Command1");
    ok->setAccessibleName("OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &Frmabt::Command1_Click);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(purpose);
    text->addWidget(version);
    text->addWidget(device_);
    text->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
}

void Frmabt::Command1_Click() { hide(); }

void Frmabt::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ui::centreOverParent(*this);
}

void Frmabt::setDrawingDevice(const QString& device) {
    device_->setText(QStringLiteral("3D view drawn with %1").arg(device));
    device_->setAccessibleName(device_->text());
    device_->setVisible(!device.isEmpty());
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
}

} // namespace bw::app
