#include "app/Frmmain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPaintEvent>
#include <QScreen>

#include "app/DesignDocument.h"
#include "app/DetailsPanel.h"
#include "app/ExportCommands.h"
#include "app/FirstStageHint.h"
#include "app/FrmStart.h"
#include "app/MainWindowPlacement.h"
#include "app/MessageBoxNotifier.h"
#include "app/SaveCommands.h"
#include "app/ToolWindows.h"
#include "app/TotalDisplay.h"
#include "app/ViewController.h"
#include "app/WindowSurface.h"
#include "assembly/DesignCommands.h"
#include "assembly/DesignState.h"
#include "assembly/EnclosureCommands.h"
#include "assembly/HoverHighlight.h"
#include "assembly/ImageList.h"
#include "assembly/InventoryTree.h"
#include "assembly/PaletteDispatch.h"
#include "assembly/PartEdits.h"
#include "assembly/StageWizard.h"
#include "modelview/ModelView.h"
#include "ui/Look.h"
#include "ui/Panel.h"
#include "ui/PictureButton.h"
#include "ui/ValueLabel.h"

namespace bw::app {

namespace {
void pumpMessages() { QCoreApplication::processEvents(); }
} // namespace

Frmmain::Frmmain(modelview::PlatformServices platform, FrmStart* splash)
    : QWidget(nullptr), state_(std::make_unique<assembly::DesignState>()), splash_(splash),
      settings_(std::make_unique<SettingsFile>(SettingsFile::standard())),
      notifier_(std::make_unique<MessageBoxNotifier>(this)),
      modelView_(std::make_unique<modelview::ModelView>(*notifier_, std::move(platform), &pumpMessages)) {
    controls_ = buildMainWindowControls(*this, *state_);
    placement_ = std::make_unique<MainWindowPlacement>(*this, controls_);
    saveCommands_ = new SaveCommands(state_->store, this);
    toolWindows_ = new ToolWindows(this);
    connect(toolWindows_, &ToolWindows::colourChosen, this, &Frmmain::setBackgroundColour);
    surface_ = std::make_unique<WindowSurface>(*modelView_, controls_, *toolWindows_);

    design_ = std::make_unique<assembly::DesignCommands>(*state_, *controls_.inventoryTree, *surface_,
                                                         *surface_, this);
    wizard_ = std::make_unique<assembly::StageWizard>(
        *state_, design_->enclosure(),
        std::map<int, QWidget*>(controls_.palettePanels.begin(), controls_.palettePanels.end()), this);
    wizard_->setShowInventory([this] { Image4_Click(); });
    hint_ = new FirstStageHint(*controls_.statusLabel, this);
    connect(wizard_.get(), &assembly::StageWizard::stageChanged, hint_, &FirstStageHint::stageWalked);
    hint_->showFor(state_->designStage);

    viewController_ = new ViewController(
        *modelView_, *controls_.view, controls_.panArrows, *controls_.statusLabel, *state_,
        [this] { create_find(); }, this);

    // Whatever moves the editor to another part stores what was typed for the last one.
    const auto storeTyped = [this] { stdetails(); };
    controls_.detailsPanel->setEdits(&design_->edits());
    design_->edits().setBeforeSelectionChange(storeTyped);
    viewController_->setBeforeSelectionChange(storeTyped);
    DesignDocument::Hooks hooks;
    hooks.storeTypedDetails = storeTyped;
    hooks.showOpened = [this] {
        wizard_->closeDialogs();
        stages();
        if (state_->enclosureType == catalogue::enclosure::Laptop) design_->enclosure().hideAgpItem();
        Image4_Click();
        hint_->showFor(state_->designStage);
    };
    hooks.showEmpty = [this] {
        wizard_->closeDialogs();
        stages();
        // Back at the Design dialog; the hint only returns for a user who never left the first stage.
        hint_->showFor(state_->designStage);
        wizard_->showDesignDialog();
    };
    document_ = new DesignDocument(*this, *state_, design_->edits(), *saveCommands_, std::move(hooks));
    exports_ = new ExportCommands(
        *this,
        [this] {
            ExportSources sources;
            sources.store = &state_->store;
            sources.system = state_->store.currentSystem();
            sources.title = QFileInfo(document_->displayName()).completeBaseName();
            sources.pictureWidth = modelView_->viewWidth();
            sources.pictureHeight = modelView_->viewHeight();
            sources.drawPicture = [this](int width, int height) {
                return modelView_->drawPicture(width, height);
            };
            return sources;
        },
        storeTyped);
    // Every change of the design passes the edits' signal, opening and New design included.
    auto* total = new TotalDisplay(*state_, *controls_.totalLabel, *controls_.inventoryTree, this);
    connect(&design_->edits(), &assembly::PartEdits::unsavedChangesChanged, total, &TotalDisplay::refresh);
    connectControls();
    connectHistory();
    placement_->applyDesignTime(screen() ? screen()->logicalDotsPerInchX() : 96.0);
}

Frmmain::~Frmmain() {
    // The boxes end an edit as they go; by then the edits they would store into are gone.
    controls_.detailsPanel->setEdits(nullptr);
}

void Frmmain::connectControls() {
    const MainWindowControls& c = controls_;
    for (ui::Panel* panel : c.hoverResetPanels)
        connect(panel, &ui::Panel::backgroundHovered, this, &Frmmain::Form_MouseMove);
    connect(c.menuButton, &ui::PictureButton::clicked, this, &Frmmain::Picture6_Click);
    connect(c.inventoryButton, &ui::PictureButton::clicked, this, &Frmmain::Image4_Click);
    connect(c.inventoryClose, &ui::PictureButton::clicked, this, &Frmmain::Picture15_Click);
    connect(c.nextButton, &ui::PictureButton::clicked, this, [this] { wizard_->Picture8_Click(); });
    connect(c.backButton, &ui::PictureButton::clicked, this, [this] { wizard_->Picture9_Click(); });
    // The caption stays after the pointer leaves; it does not push the first stage's hint away.
    connect(c.hover, &assembly::HoverHighlight::highlighted, this, [this](ui::PictureButton* lit) {
        if (hint_->isShown()) return;
        if (lit == controls_.nextButton || lit == controls_.backButton)
            ui::showValue(*controls_.statusLabel, lit->toolTip());
    });
    for (const auto& entry : c.paletteButtons) {
        const auto* row = entry.first;
        connect(entry.second, &ui::PictureButton::clicked, this,
                [this, row] { design_->palette().run(*row); });
    }

    connect(c.newItem, &QAction::triggered, document_, &DesignDocument::newDesign);
    connect(c.openItem, &QAction::triggered, document_, &DesignDocument::open);
    connect(c.saveItem, &QAction::triggered, document_, &DesignDocument::save);
    connect(c.saveAsItem, &QAction::triggered, document_, &DesignDocument::saveAs);
    connect(c.exportPartsItem, &QAction::triggered, exports_, &ExportCommands::exportPartsList);
    connect(c.exportPictureItem, &QAction::triggered, exports_, &ExportCommands::exportPicture);
    connect(c.exportReportItem, &QAction::triggered, exports_, &ExportCommands::exportReport);
    connect(c.aboutItem, &QAction::triggered, this, &Frmmain::mnuabt_Click);
    connect(c.exitItem, &QAction::triggered, this, &Frmmain::mnuexit_Click);
}

void Frmmain::connectHistory() {
    QUndoStack& history = design_->edits().history();
    // The items name the step they take back or repeat.
    const auto showSteps = [this, &history] {
        controls_.undoItem->setText(history.canUndo() ? "Undo " + history.undoText()
                                                      : QStringLiteral("Undo"));
        controls_.undoItem->setEnabled(history.canUndo());
        controls_.redoItem->setText(history.canRedo() ? "Redo " + history.redoText()
                                                      : QStringLiteral("Redo"));
        controls_.redoItem->setEnabled(history.canRedo());
    };
    connect(&history, &QUndoStack::indexChanged, this, showSteps);
    connect(&history, &QUndoStack::cleanChanged, this, showSteps);
    connect(&design_->edits(), &assembly::PartEdits::unsavedChangesChanged, this, showSteps);
    showSteps();
    // What was typed is stored first, so that Undo takes back the latest step.
    connect(controls_.undoItem, &QAction::triggered, this, [this, &history] {
        stdetails();
        history.undo();
    });
    connect(controls_.redoItem, &QAction::triggered, this, [this, &history] {
        stdetails();
        history.redo();
    });
}

void Frmmain::setSettingsFile(const SettingsFile& file) { settings_ = std::make_unique<SettingsFile>(file); }

void Frmmain::setBackgroundColour(qint32 colour) {
    backgroundColour_ = colour;
    modelView_->setBackgroundColour(static_cast<std::uint32_t>(colour));
    RenderScene();
}

bool Frmmain::Form_Load(const QString& designFile) {
    state_->designStage = assembly::DesignStage::NoEnclosure;
    hint_->showFor(state_->designStage);

    controls_.inventoryTree->attachImageList(&assembly::imageList3());
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

    if (!viewController_->createDevice()) {
        showNoDeviceBox(this);
        if (splash_) splash_->close();
        return false;
    }

    checkDisplayDensity(logicalDpiX(), devicePixelRatioF());
    viewController_->setUpScene();

    if (splash_) {
        splash_->lightBlock(3);
        splash_->setMessage("Loading VR...");
    }
    // The splash goes once the model is built, before its first picture is drawn, so that
    // the program does not hold both at once.
    viewController_->load_start([this] { closeSplash(); });
    unsetCursor();
    pumpMessages();
    if (designFile.isEmpty() || !document_->openFile(designFile)) wizard_->showDesignDialog();
    return true;
}

void Frmmain::closeSplash() {
    if (!splash_) return;
    splash_->lightBlock(4);
    // Gone now rather than later: a deferred deletion would wait past the Design dialog's
    // own event loop, keeping the splash's window and pixels until the program ends.
    delete splash_;
}

void Frmmain::readModelAhead(std::unique_ptr<modelview::ModelReadAhead> files) {
    modelView_->setModelReadAhead(std::move(files));
}

void Frmmain::load_start() { viewController_->load_start(); }
const std::string& Frmmain::modelFolder() const { return viewController_->modelFolder(); }
void Frmmain::RenderScene() { modelView_->RenderScene(); }
void Frmmain::zoom_in() { modelView_->zoom_in(); }
void Frmmain::RotateTrackBall(std::int16_t x, std::int16_t y) { modelView_->RotateTrackBall(x, y); }
void Frmmain::find_part() { viewController_->find_part(); }
void Frmmain::imgpan_Click(int index) { viewController_->imgpan_Click(index); }

void Frmmain::checkDisplayDensity(double logicalDpiX, double devicePixelRatio) {
    placement_->checkDisplayDensity(logicalDpiX, devicePixelRatio);
}
std::int16_t Frmmain::largeFontFlag() const { return placement_->largeFontFlag(); }

void Frmmain::Image4_Click() { setInventoryVisible(true); }
void Frmmain::Picture15_Click() { setInventoryVisible(false); }

void Frmmain::setInventoryVisible(bool visible) {
    for (QWidget* w : std::initializer_list<QWidget*>{controls_.inventoryTree, controls_.inventoryClose,
                                                      controls_.inventoryTitle})
        w->setVisible(visible);
}

void Frmmain::stdetails() { controls_.detailsPanel->stdetails(); }
void Frmmain::create_find() { controls_.detailsPanel->create_find(); }

void Frmmain::tower() { design_->enclosure().tower(); }
void Frmmain::laptop() { design_->enclosure().laptop(); }
void Frmmain::build_motherboard() { design_->enclosure().build_motherboard(); }
void Frmmain::stages() { wizard_->stages(); }
void Frmmain::Picture4_Click(int index) { design_->palette().click("Picture4", index); }
void Frmmain::Picture5_Click(int index) { design_->palette().click("Picture5", index); }

void Frmmain::Picture6_Click() { controls_.mainMenu->popup(QCursor::pos()); }
void Frmmain::mnuabt_Click() { toolWindows_->showAbout(modelView_->deviceSetup()); }

void Frmmain::mnuexit_Click() {
    if (exiting_ || !document_->mayDiscard()) return;
    exiting_ = true;
    settings_->saveini(backgroundColour_); // the program ends even if this fails
    modelView_->release();
    emit exiting();
    toolWindows_->hideAll();
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

void Frmmain::Form_MouseMove() { controls_.hover->reset(); }
void Frmmain::mouseMoveEvent(QMouseEvent*) { Form_MouseMove(); }

void Frmmain::paintEvent(QPaintEvent* event) { QPainter(this).fillRect(event->rect(), ui::look::kWindow); }

} // namespace bw::app
