#include "app/MainWindowControls.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QMargins>
#include <QMenu>

#include "app/DetailsPanel.h"
#include "assembly/HoverHighlight.h"
#include "assembly/InventoryTree.h"
#include "assembly/PaletteTable.h"
#include "modelview/ViewWidget.h"
#include "ui/Box.h"
#include "ui/ControlName.h"
#include "ui/HeadingLabel.h"
#include "ui/Look.h"
#include "ui/Panel.h"
#include "ui/PictureButton.h"
#include "ui/PictureLibrary.h"
#include "ui/Utf8Text.h"
#include "ui/ValueLabel.h"

namespace bw::app {
namespace {

using ui::text;

struct ToolbarImage {
    const char* name;
    const char* icon;
    const char* toolTip;
};

// The toolbar images that only show what the program is about; a click does nothing.
constexpr ToolbarImage kToolbarImages[] = {
    {"Image1(4)", "zoomin", "Zoom In"},
    {"Image1(5)", "zoomout", "Zoom Out"},
    {"Image1(6)", "scannode", "Scan Current Node"},
    {"Image1(7)", "rescan", "Re-Scan Network"},
};

struct Indicator {
    int index;
    const char* icon;
    const char* toolTip;
};

constexpr Indicator kIndicators[] = {
    {0, "axes", "XYZ axes shown"},
    {1, "base", "Base shown"},
    {2, "lights", "Second light on"},
};
constexpr int kIndicatorPicturePixels = 20;
constexpr int kIndicatorPixels = 22;
constexpr QMargins kIndicatorBarMargins{6, 2, 6, 2};

struct PanelName {
    int index;
    const char* name;
};

constexpr PanelName kPanelNames[] = {
    {2, "Core components"},
    {9, "Motherboard slots"},
    {16, "Video"},
    {14, "Sensors and infrared"},
    {0, "System components"},
    {4, "Ports"},
    {3, "Drives"},
    {1, "Input devices"},
    {12, "Wireless and screen"},
    {5, "Operating system"},
    {8, "Laptop components"},
    {7, "View"},
    {10, "Zoom"},
    {13, "Move"},
};
constexpr int kPanelPaddingPixels = 4;

// The arrows of the pan panel sit in a cross.
struct Arrow {
    int index;
    const char* icon;
    const char* toolTip;
    int row, column;
};
constexpr Arrow kArrows[] = {
    {0, "up", "Move Up", 0, 1},
    {1, "left", "Move Left", 1, 0},
    {2, "down", "Move Down", 2, 1},
    {3, "right", "Move Right", 1, 2},
};

// Builds in the order that sets the controls' stacking: view, toolbar, palettes,
// inventory, details.
class Builder {
public:
    Builder(QWidget& window, assembly::DesignState& state) : window_(window), state_(state) {}

    MainWindowControls build() {
        window_.setObjectName("Frmmain");
        window_.setWindowTitle("Boardwright");
        window_.setAccessibleName("Boardwright");
        window_.setMouseTracking(true);
        c_.hover = new assembly::HoverHighlight(&window_);

        buildViewArea();
        buildToolbar();
        buildPanels();
        buildInventory();
        buildDetails();
        return std::move(c_);
    }

private:
    ui::PictureButton* addButton(const QString& name, const QString& icon, const QString& toolTip,
                                 const QString& caption, QWidget* parent, ButtonKind kind) {
        auto* button = new ui::PictureButton(name, icon, toolTip, caption, parent);
        c_.pictureButtons.emplace_back(button, kind);
        return button;
    }

    ui::PictureButton* addToolbarButton(const QString& name, const QString& icon, const QString& toolTip,
                                        ButtonKind kind) {
        auto* button = addButton(name, icon, toolTip, QString(), c_.toolbar, kind);
        button->setFlat(true);
        return button;
    }

    ui::Panel* addPanel(const QString& name, const QString& accessibleName, const ui::BoxLook& look) {
        auto* panel = new ui::Panel(name, accessibleName, look, &window_);
        c_.hoverResetPanels.push_back(panel);
        return panel;
    }

    void buildViewArea() {
        c_.view = new modelview::ViewWidget(&window_);
        c_.view->setObjectName("PicGR");
        c_.view->setAccessibleName("3D view");

        for (int i = 0; i < 4; ++i) {
            auto* bar = new ui::Box(&window_, ui::look::viewFrame());
            bar->setObjectName(ui::controlName("Picbar", i));
            c_.viewFrame[static_cast<std::size_t>(i)] = bar;
        }

        c_.indicatorBar = addPanel("Picture2", "View indicators", ui::look::indicatorBar());
        auto* layout = new QHBoxLayout(c_.indicatorBar);
        layout->setContentsMargins(kIndicatorBarMargins);
        for (const Indicator& indicator : kIndicators) {
            auto* image = new QLabel(c_.indicatorBar);
            image->setObjectName(ui::controlName("imgbot", indicator.index));
            image->setToolTip(indicator.toolTip);
            image->setAccessibleName(indicator.toolTip);
            image->setPixmap(
                ui::iconPicture(indicator.icon, QSize(kIndicatorPicturePixels, kIndicatorPicturePixels)));
            image->setFixedSize(kIndicatorPixels, kIndicatorPixels);
            layout->addWidget(image);
            c_.indicators[indicator.index] = image;
        }
        layout->addStretch();
        c_.indicators[2]->hide();
        // The design's cost so far, right of the indicators.
        c_.totalLabel = new QLabel(c_.indicatorBar);
        c_.totalLabel->setObjectName("lblTotal");
        c_.totalLabel->setAccessibleName("Total");
        c_.totalLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(c_.totalLabel);
    }

    void buildToolbar() {
        c_.toolbar = addPanel("Picture1", "Toolbar", ui::look::toolbar());
        c_.menuButton = addToolbarButton("Picture6", "menu", "Main menu", ButtonKind::Toolbar);
        c_.inventoryButton = addToolbarButton("Image4", "inventory", "Inventory", ButtonKind::Toolbar);
        for (const ToolbarImage& image : kToolbarImages)
            addToolbarButton(image.name, image.icon, image.toolTip, ButtonKind::ToolbarImage);

        c_.backButton = addToolbarButton("Picture9", "back", "Back", ButtonKind::Toolbar);
        c_.nextButton = addToolbarButton("Picture8", "next", "Next Stage", ButtonKind::Toolbar);
        c_.hover->track(c_.backButton);
        c_.hover->track(c_.nextButton);

        c_.statusLabel = new QLabel(c_.toolbar);
        c_.statusLabel->setObjectName("Label8");
        ui::makeValueLabel(*c_.statusLabel, "Status");
        ui::makeLightBoldText(*c_.statusLabel);
        c_.nextButton->raise();

        c_.mainMenu = new QMenu("main", &window_);
        c_.mainMenu->setObjectName("mnumain");
        // Shortcuts belong to the window too, so that they work while the menu is closed.
        auto addItem = [this](const char* name, const char* caption, const QKeySequence& shortcut = {}) {
            QAction* action = c_.mainMenu->addAction(caption);
            action->setObjectName(name);
            action->setShortcut(shortcut);
            if (!shortcut.isEmpty()) window_.addAction(action);
            return action;
        };
        c_.newItem = addItem("mnunew", "New design", QKeySequence(Qt::CTRL | Qt::Key_N));
        c_.openItem = addItem("mnuopen", "Open...", QKeySequence(Qt::CTRL | Qt::Key_O));
        c_.saveItem = addItem("mnusave", "Save", QKeySequence(Qt::CTRL | Qt::Key_S));
        c_.saveAsItem = addItem("mnusaveas", "Save as...");
        c_.mainMenu->addSeparator();
        c_.exportPartsItem = addItem("mnuexportparts", "Export parts list...");
        c_.exportPictureItem = addItem("mnuexportpicture", "Export picture...");
        c_.exportReportItem = addItem("mnuexportreport", "Export report...");
        c_.mainMenu->addSeparator();
        c_.undoItem = addItem("mnuundo", "Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
        c_.redoItem = addItem("mnuredo", "Redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        c_.mainMenu->addSeparator();
        c_.aboutItem = addItem("mnuabt", "About Boardwright");
        c_.exitItem = addItem("mnuexit", "Exit");
    }

    void buildPanels() {
        for (const PanelName& p : kPanelNames) {
            const bool overlay = p.index == assembly::kViewPanel || p.index == assembly::kZoomPanel ||
                                 p.index == assembly::kPanPanel;
            ui::Panel* panel = addPanel(ui::controlName("Picture3", p.index), p.name,
                                        overlay ? ui::look::overlayPanel() : ui::look::stagePanel());
            panel->setVisible(overlay);
            if (p.index != assembly::kPanPanel) {
                auto* column = new QBoxLayout(p.index == assembly::kViewPanel ? QBoxLayout::LeftToRight
                                                                              : QBoxLayout::TopToBottom,
                                              panel);
                column->setContentsMargins(kPanelPaddingPixels, kPanelPaddingPixels, kPanelPaddingPixels,
                                           kPanelPaddingPixels);
                column->setSpacing(kPanelPaddingPixels);
            }
            c_.palettePanels[p.index] = panel;
        }

        for (const assembly::PaletteButton& b : assembly::paletteButtons()) {
            ui::Panel* panel = c_.palettePanels.at(b.panel);
            auto* button = addButton(ui::controlName(std::string(b.array).c_str(), b.index), text(b.icon),
                                     text(b.toolTip), text(b.caption), panel, ButtonKind::Palette);
            panel->layout()->addWidget(button);
            panel->layout()->setAlignment(button, Qt::AlignHCenter);
            c_.hover->track(button);
            c_.paletteButtons.emplace_back(&b, button);
        }

        ui::Panel* panPanel = c_.palettePanels.at(assembly::kPanPanel);
        auto* grid = new QGridLayout(panPanel);
        grid->setContentsMargins(kPanelPaddingPixels, kPanelPaddingPixels, kPanelPaddingPixels,
                                 kPanelPaddingPixels);
        grid->setSpacing(0);
        for (const Arrow& a : kArrows) {
            auto* arrow = addButton(ui::controlName("imgpan", a.index), a.icon, a.toolTip, QString(),
                                    panPanel, ButtonKind::PanArrow);
            arrow->setFlat(true);
            grid->addWidget(arrow, a.row, a.column);
            c_.hover->track(arrow);
            c_.panArrows[static_cast<std::size_t>(a.index)] = arrow;
        }
    }

    void buildInventory() {
        c_.inventoryTitle = new ui::HeadingLabel("   Inventory", ui::look::inventoryTitle(), &window_);
        c_.inventoryTitle->setObjectName("Label1");
        c_.inventoryTitle->setAccessibleName("Inventory");
        c_.inventoryTree = new assembly::InventoryTree(&window_);
        c_.inventoryClose = addButton("Picture15", "close", "Close inventory", QString(), &window_,
                                      ButtonKind::InventoryClose);
        c_.inventoryClose->setFlat(true);
        c_.hover->track(c_.inventoryClose);
        for (QWidget* w : {static_cast<QWidget*>(c_.inventoryTree), static_cast<QWidget*>(c_.inventoryClose),
                           static_cast<QWidget*>(c_.inventoryTitle)})
            w->setVisible(false);
    }

    void buildDetails() {
        c_.detailsPanel = new DetailsPanel(state_, &window_);
        c_.hoverResetPanels.push_back(c_.detailsPanel);
        c_.detailsPanel->hide();
    }

    QWidget& window_;
    assembly::DesignState& state_;
    MainWindowControls c_;
};

} // namespace

MainWindowControls buildMainWindowControls(QWidget& window, assembly::DesignState& state) {
    return Builder(window, state).build();
}

} // namespace bw::app
