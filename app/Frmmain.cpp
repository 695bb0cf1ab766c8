#include "app/Frmmain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QMenu>
#include <QScreen>

#include "app/DisplayDensity.h"
#include "app/FrmStart.h"
#include "app/Frmabt.h"
#include "assembly/HoverHighlight.h"

namespace bw::app {

namespace {
constexpr std::int16_t kNoEnclosureStage = 89;

void pumpMessages() { QCoreApplication::processEvents(); }
}  // namespace

Frmmain::Frmmain(FrmStart* splash) : QWidget(nullptr), splash_(splash) {
    buildControls();
    applyDesignTimeLayout(screen() ? screen()->logicalDotsPerInchX() : 96.0);
}

Frmmain::~Frmmain() { delete about_; }

void Frmmain::Form_Load() {
    designStage_ = kNoEnclosureStage;

    if (splash_) {
        splash_->lightBlock(1);
        splash_->setMessage("Loading ini...");
    }
    pumpMessages();
    if (splash_) splash_->lightBlock(2);

    show();
    pumpMessages();

    checkDisplayDensity(logicalDpiX());
    baseShown_ = true;
    axesShown_ = true;
    pumpMessages();

    if (splash_) {
        splash_->lightBlock(3);
        splash_->setMessage("Loading VR...");
    }
    pumpMessages();
    if (splash_) splash_->lightBlock(4);

    unsetCursor();
    if (splash_) {
        splash_->close();
        splash_->deleteLater();
    }
}

void Frmmain::checkDisplayDensity(double logicalDpiX) {
    largeFontFlag_ = largeFontFlagFor(logicalDpiX);
    if (largeFontFlag_ == 0) applyCompactLayout(logicalDpiX);
}

void Frmmain::Picture6_Click() { mnumain_->popup(QCursor::pos()); }

void Frmmain::mnuabt_Click() {
    if (!about_) about_ = new Frmabt;
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void Frmmain::mnuexit_Click() {
    if (exiting_) return;
    exiting_ = true;
    emit exiting();
    if (about_) about_->hide();
    hide();
    QCoreApplication::exit(0);
}

void Frmmain::closeEvent(QCloseEvent* event) {
    if (exiting_) {
        event->accept();
        return;
    }
    // Every way of closing the window leaves through Exit.
    event->ignore();
    mnuexit_Click();
}

void Frmmain::Form_MouseMove() { hover_->reset(); }

void Frmmain::mouseMoveEvent(QMouseEvent*) { Form_MouseMove(); }

}  // namespace bw::app
