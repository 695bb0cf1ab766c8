#include "app/Frmmain.h"

#include <array>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QScreen>

#include "app/DetailsPanel.h"
#include "app/DisplayDensity.h"
#include "app/Frmabt.h"
#include "app/FrmColor.h"
#include "app/FrmStart.h"
#include "app/MessageBoxNotifier.h"
#include "app/SaveCommands.h"
#include "assembly/AddCommands.h"
#include "assembly/DesignState.h"
#include "assembly/EnclosureCommands.h"
#include "assembly/HoverHighlight.h"
#include "assembly/ImageList.h"
#include "assembly/InventoryTree.h"
#include "assembly/PaletteTable.h"
#include "assembly/PopupMenus.h"
#include "assembly/StageWizard.h"
#include "modelview/IdentificationTable.h"
#include "modelview/ModelView.h"
#include "modelview/ViewWidget.h"
#include "scene3d/framework/MediaDir.h"
#include "ui/ControlName.h"
#include "ui/PictureButton.h"

namespace bw::app {

namespace {
void pumpMessages() { QCoreApplication::processEvents(); }
} // namespace

Frmmain::Frmmain(modelview::PlatformServices platform, FrmStart* splash)
    : QWidget(nullptr), state_(std::make_unique<assembly::DesignState>()), splash_(splash),
      settings_(std::make_unique<SettingsFile>(SettingsFile::standard())),
      notifier_(std::make_unique<MessageBoxNotifier>(this)),
      modelView_(std::make_unique<modelview::ModelView>(*notifier_, std::move(platform), &pumpMessages)) {
    buildControls();
    buildDesignCommands();
    connectView();
    applyDesignTimeLayout(screen() ? screen()->logicalDotsPerInchX() : 96.0);
}

void Frmmain::buildDesignCommands() {
    assembly::DesignSurface& surface = *this;
    addCommands_ = std::make_unique<assembly::AddCommands>(*state_, *TrView1_, surface);
    enclosure_ = std::make_unique<assembly::EnclosureCommands>(*state_, *TrView1_, surface);
    popups_ = new assembly::PopupMenus(*addCommands_, this);
    enclosure_->setHideAgpItem([this] { popups_->item("mnuagp")->setVisible(false); });
    std::map<int, QWidget*> panels(Picture3_.begin(), Picture3_.end());
    wizard_ = std::make_unique<assembly::StageWizard>(*state_, *enclosure_, panels, this);
    wizard_->setShowInventory([this] { Image4_Click(); });
}

Frmmain::~Frmmain() {
    delete about_;
    delete colourDialog_;
}

void Frmmain::setSettingsFile(const SettingsFile& file) { settings_ = std::make_unique<SettingsFile>(file); }

void Frmmain::setBackgroundColour(qint32 colour) {
    backgroundColour_ = colour;
    modelView_->setBackgroundColour(static_cast<std::uint32_t>(colour));
    RenderScene();
}

void Frmmain::showColourDialog() {
    if (!colourDialog_) {
        colourDialog_ = new FrmColor;
        connect(colourDialog_, &FrmColor::colourChosen, this, &Frmmain::setBackgroundColour);
    }
    colourDialog_->show();
    colourDialog_->raise();
    colourDialog_->activateWindow();
}

bool Frmmain::Form_Load() {
    state_->designStage = assembly::kNoEnclosureStage;

    TrView1_->attachImageList(&assembly::imageList3());
    if (splash_) {
        splash_->lightBlock(1);
        splash_->setMessage("Loading ini...");
    }
    // A missing or unreadable settings file leaves the colour black.
    if (const auto colour = settings_->readBackgroundColour()) backgroundColour_ = *colour;
    modelView_->setBackgroundColour(static_cast<std::uint32_t>(backgroundColour_));
    pumpMessages();
    if (splash_) splash_->lightBlock(2);

    if (QScreen* where = screen()) move(where->availableGeometry().center() - rect().center());
    show();
    pumpMessages();

    if (!modelView_->tryCreateDevice(*PicGR_)) {
        showNoDeviceBox(this);
        if (splash_) splash_->close();
        return false;
    }

    checkDisplayDensity(logicalDpiX());
    modelView_->setAxesAndBaseShown();
    pumpMessages();

    modelFolder_ = MediaDir().LocateMediaFolder("vm1.x", false);
    modelView_->setCameraEyeDistance(-10.0f);
    pumpMessages();
    modelView_->initDevice(*PicGR_);
    modelView_->setViewSize(PicGR_->width(), PicGR_->height());
    modelView_->defaultSceneSetup();
    modelView_->setCameraEyeDistance(-10.0f);

    if (splash_) {
        splash_->lightBlock(3);
        splash_->setMessage("Loading VR...");
    }
    load_start();
    pumpMessages();
    if (splash_) splash_->lightBlock(4);

    unsetCursor();
    if (splash_) {
        splash_->close();
        splash_->deleteLater();
    }
    wizard_->showDesignDialog();
    return true;
}

void Frmmain::load_start() {
    modelView_->load_start(modelFolder_, [this](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            while (QApplication::overrideCursor())
                QApplication::restoreOverrideCursor();
        if (!busy) PicGR_->setFocus();
    });
}

void Frmmain::RenderScene() { modelView_->RenderScene(); }

void Frmmain::zoom_in() { modelView_->zoom_in(); }

void Frmmain::RotateTrackBall(std::int16_t x, std::int16_t y) { modelView_->RotateTrackBall(x, y); }

void Frmmain::find_part() {
    const modelview::Identification* entry = modelView_->find_part();
    if (!entry) return;
    Label8_->setText(QString::fromUtf8(entry->caption.data(), static_cast<qsizetype>(entry->caption.size())));
    if (entry->partCode) state_->partCode = *entry->partCode;
}

void Frmmain::imgpan_Click(int index) {
    constexpr modelview::Navigation kArrows[] = {modelview::Navigation::Up, modelview::Navigation::Left,
                                                 modelview::Navigation::Down, modelview::Navigation::Right};
    if (index >= 0 && index < 4) modelView_->navigate(kArrows[index]);
}

void Frmmain::connectView() {
    PicGR_->onPaint = [this] {
        if (modelView_->modelReady()) RenderScene();
    };
    PicGR_->onMouseDown = [this](int buttons, double x, double y) { PicGR_MouseDown(buttons, x, y); };
    PicGR_->onMouseMove = [this](int buttons, double x, double y) { modelView_->mouseMove(buttons, x, y); };
    PicGR_->onMouseUp = [this](int, double, double) { modelView_->mouseUp(); };
    for (int index = 0; index < 4; ++index)
        if (auto* arrow = findChild<ui::PictureButton*>(ui::controlName("imgpan", index)))
            connect(arrow, &ui::PictureButton::clicked, this, [this, index] { imgpan_Click(index); });
}

void Frmmain::PicGR_MouseDown(int buttons, double x, double y) {
    if (!modelView_->mouseDown(buttons, x, y)) return;
    find_part();
    create_find();
}

void Frmmain::toggleIndicator(int index, bool shown) { imgbot_.at(index)->setVisible(shown); }

void Frmmain::checkDisplayDensity(double logicalDpiX) {
    largeFontFlag_ = largeFontFlagFor(logicalDpiX);
    if (largeFontFlag_ == 0) applyCompactLayout(logicalDpiX);
}

std::int16_t Frmmain::designStage() const { return state_->designStage; }

void Frmmain::Image4_Click() { setInventoryVisible(true); }

void Frmmain::Picture15_Click() { setInventoryVisible(false); }

void Frmmain::setInventoryVisible(bool visible) {
    const std::array<QWidget*, 3> inventory = {TrView1_, Picture15_, Label1_};
    for (QWidget* w : inventory)
        w->setVisible(visible);
}

void Frmmain::stdetails() { Picture7_->stdetails(); }

void Frmmain::create_find() { Picture7_->create_find(); }

void Frmmain::tower() { enclosure_->tower(); }

void Frmmain::laptop() { enclosure_->laptop(); }

void Frmmain::build_motherboard() { enclosure_->build_motherboard(); }

void Frmmain::stages() { wizard_->stages(); }

void Frmmain::Picture4_Click(int index) { runPaletteButton("Picture4", index); }

void Frmmain::Picture5_Click(int index) { runPaletteButton("Picture5", index); }

void Frmmain::runPaletteButton(std::string_view array, int index) {
    for (const assembly::PaletteButton& button : assembly::paletteButtons())
        if (button.array == array && button.index == index) runPaletteAction(button);
}

void Frmmain::showPartFrames(catalogue::PartCode code) { modelView_->showPartFrames(code); }

void Frmmain::hideAllPartFrames() { modelView_->disableAll(); }

void Frmmain::renderScene() { RenderScene(); }

void Frmmain::startNewPart(const QString& partName) { Picture7_->startNewPart(partName); }

void Frmmain::clearDetailBoxes() { Picture7_->clearBoxes(); }

void Frmmain::runPaletteAction(const assembly::PaletteButton& button) {
    const QString target =
        QString::fromUtf8(button.target.data(), static_cast<qsizetype>(button.target.size()));
    switch (button.action) {
    case assembly::PaletteAction::OpenPopup:
        popups_->popUp(target);
        break;
    case assembly::PaletteAction::AddSlot:
        addCommands_->addSlot(button.target);
        break;
    case assembly::PaletteAction::AddNextFree:
        addCommands_->addNextFree(button.target);
        break;
    case assembly::PaletteAction::ShowColorDialog:
        showColourDialog();
        break;
    case assembly::PaletteAction::ToggleDetails:
        Picture7_->setVisible(Picture7_->isHidden());
        break;
    case assembly::PaletteAction::ToggleAxes:
        toggleIndicator(0, modelView_->toggleAxes());
        break;
    case assembly::PaletteAction::ToggleBase:
        toggleIndicator(1, modelView_->toggleBase());
        break;
    case assembly::PaletteAction::ToggleLights:
        toggleIndicator(2, modelView_->toggleLights());
        RenderScene();
        break;
    case assembly::PaletteAction::ZoomIn:
        modelView_->navigate(modelview::Navigation::In);
        break;
    case assembly::PaletteAction::ZoomOut:
        modelView_->navigate(modelview::Navigation::Out);
        break;
    }
}

void Frmmain::Picture6_Click() { mnumain_->popup(QCursor::pos()); }

void Frmmain::mnuabt_Click() {
    if (!about_) about_ = new Frmabt;
    const auto& setup = modelView_->deviceSetup();
    // Only the OpenGL device transforms and lights in hardware.
    const bool hardware = (setup.deviceCaps().devCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) != 0;
    about_->setDrawingDevice(!setup.device() ? QString()
                             : hardware      ? QStringLiteral("OpenGL")
                                             : QStringLiteral("the software rasterizer"));
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void Frmmain::mnuexit_Click() {
    if (exiting_) return;
    exiting_ = true;
    settings_->saveini(backgroundColour_); // the program ends even if this fails
    modelView_->release();
    emit exiting();
    if (about_) about_->hide();
    if (colourDialog_) colourDialog_->hide();
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

} // namespace bw::app
