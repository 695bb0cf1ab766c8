// Builds the main window's controls under the names the rest of the program uses.

#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/DetailsPanel.h"
#include "app/Frmmain.h"
#include "app/MainWindowLayout.h"
#include "app/SaveCommands.h"
#include "assembly/DesignState.h"
#include "assembly/HoverHighlight.h"
#include "assembly/InventoryTree.h"
#include "assembly/PaletteTable.h"
#include "assembly/StageWizard.h"
#include "modelview/ViewWidget.h"
#include "ui/ControlName.h"
#include "ui/Panel.h"
#include "ui/PictureButton.h"
#include "ui/PictureLibrary.h"
#include "ui/Twips.h"

namespace bw::app {
namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

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

} // namespace

void Frmmain::buildControls() {
    setObjectName("Frmmain");
    setWindowTitle("Boardwright");
    setAccessibleName("Boardwright");
    setMouseTracking(true);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(
        "#Frmmain { background: #dfe6ea; }"
        "#Picture1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #37474f, stop:1 #263238); }"
        "#Picture1 QLabel { color: #eceff1; font-weight: bold; }"
        "#Picture2 { background: #cfd8dc; border-radius: 4px; }"
        "bw--ui--Panel[overlay=\"true\"] { background: rgba(236, 239, 241, 215); border: 1px solid #90a4ae;"
        " border-radius: 6px; }"
        "bw--ui--Panel[stage=\"true\"] { background: #eceff1; border: 1px solid #b0bec5; border-radius: 6px; "
        "}"
        "#Label1 { background: #37474f; color: #eceff1; font-weight: bold; border-top-left-radius: 4px;"
        " border-top-right-radius: 4px; }");
    hover_ = new assembly::HoverHighlight(this);

    buildViewArea();
    buildToolbar();
    buildPanels();
    buildInventory();
    buildDetails();
}

ui::PictureButton* Frmmain::addToolbarButton(const QString& name, const QString& icon,
                                             const QString& toolTip) {
    auto* button = new ui::PictureButton(name, icon, toolTip, QString(), Picture1_);
    button->setFlat(true);
    return button;
}

void Frmmain::buildToolbar() {
    Picture1_ = new ui::Panel("Picture1", "Toolbar", this);
    connect(Picture1_, &ui::Panel::backgroundHovered, this, &Frmmain::Form_MouseMove);

    auto* menuButton = addToolbarButton("Picture6", "menu", "Main menu");
    connect(menuButton, &ui::PictureButton::clicked, this, &Frmmain::Picture6_Click);
    auto* inventoryButton = addToolbarButton("Image4", "inventory", "Inventory");
    connect(inventoryButton, &ui::PictureButton::clicked, this, &Frmmain::Image4_Click);
    for (const ToolbarImage& image : kToolbarImages)
        addToolbarButton(image.name, image.icon, image.toolTip);

    auto* back = addToolbarButton("Picture9", "back", "Back");
    auto* next = addToolbarButton("Picture8", "next", "Next Stage");
    hover_->track(back);
    hover_->track(next);
    connect(next, &ui::PictureButton::clicked, this, [this] { wizard_->Picture8_Click(); });
    connect(back, &ui::PictureButton::clicked, this, [this] { wizard_->Picture9_Click(); });
    // The hint keeps its last text after the pointer leaves.
    connect(hover_, &assembly::HoverHighlight::highlighted, this, [this, next, back](ui::PictureButton* lit) {
        if (lit == next || lit == back) Label8_->setText(lit->toolTip());
    });

    Label8_ = new QLabel(Picture1_);
    Label8_->setObjectName("Label8");
    Label8_->setAccessibleName("Status");
    next->raise();

    mnumain_ = new QMenu("main", this);
    mnumain_->setObjectName("mnumain");
    auto addItem = [this](const char* name, const char* caption, void (Frmmain::*slot)()) {
        QAction* action = mnumain_->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
    };
    saveCommands_ = new SaveCommands(state_->store, this);
    auto addSaveItem = [this](const char* name, const char* caption, void (SaveCommands::*slot)()) {
        QAction* action = mnumain_->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, saveCommands_, slot);
    };
    addSaveItem("mnusave", "Save", &SaveCommands::mnusave_Click);
    addSaveItem("mnusaveas", "Save as...", &SaveCommands::mnusaveas_Click);
    mnumain_->addSeparator();
    addItem("mnuabt", "About Boardwright", &Frmmain::mnuabt_Click);
    addItem("mnuexit", "Exit", &Frmmain::mnuexit_Click);
}

void Frmmain::buildViewArea() {
    PicGR_ = new modelview::ViewWidget(this);
    PicGR_->setObjectName("PicGR");
    PicGR_->setAccessibleName("3D view");

    for (int i = 0; i < 4; ++i) {
        auto* bar = new QWidget(this);
        bar->setObjectName(ui::controlName("Picbar", i));
        bar->setAttribute(Qt::WA_StyledBackground);
        bar->setStyleSheet("background: #00897b;");
        Picbar_[i] = bar;
    }

    Picture2_ = new ui::Panel("Picture2", "View indicators", this);
    connect(Picture2_, &ui::Panel::backgroundHovered, this, &Frmmain::Form_MouseMove);
    auto* layout = new QHBoxLayout(Picture2_);
    layout->setContentsMargins(6, 2, 6, 2);
    for (const Indicator& indicator : kIndicators) {
        auto* image = new QLabel(Picture2_);
        image->setObjectName(ui::controlName("imgbot", indicator.index));
        image->setToolTip(indicator.toolTip);
        image->setAccessibleName(indicator.toolTip);
        image->setPixmap(ui::iconPicture(indicator.icon, QSize(20, 20)));
        image->setFixedSize(22, 22);
        layout->addWidget(image);
        imgbot_[indicator.index] = image;
    }
    layout->addStretch();
    imgbot_[2]->hide();
}

void Frmmain::buildPanels() {
    for (const PanelName& p : kPanelNames) {
        auto* panel = new ui::Panel(ui::controlName("Picture3", p.index), p.name, this);
        const bool overlay = p.index == assembly::kViewPanel || p.index == assembly::kZoomPanel ||
                             p.index == assembly::kPanPanel;
        panel->setProperty(overlay ? "overlay" : "stage", true);
        panel->setVisible(overlay);
        connect(panel, &ui::Panel::backgroundHovered, this, &Frmmain::Form_MouseMove);
        auto* column = p.index == assembly::kPanPanel
                           ? nullptr
                           : new QBoxLayout(p.index == assembly::kViewPanel ? QBoxLayout::LeftToRight
                                                                            : QBoxLayout::TopToBottom,
                                            panel);
        if (column) {
            column->setContentsMargins(4, 4, 4, 4);
            column->setSpacing(4);
        }
        Picture3_[p.index] = panel;
    }

    for (const assembly::PaletteButton& b : assembly::paletteButtons()) {
        ui::Panel* panel = Picture3_.at(b.panel);
        auto* button = new ui::PictureButton(ui::controlName(std::string(b.array).c_str(), b.index),
                                             text(b.icon), text(b.toolTip), text(b.caption), panel);
        panel->layout()->addWidget(button);
        panel->layout()->setAlignment(button, Qt::AlignHCenter);
        hover_->track(button);
        connect(button, &ui::PictureButton::clicked, this, [this, &b] { runPaletteAction(b); });
    }

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
    auto* grid = new QGridLayout(Picture3_.at(assembly::kPanPanel));
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(0);
    for (const Arrow& a : kArrows) {
        auto* arrow = new ui::PictureButton(ui::controlName("imgpan", a.index), a.icon, a.toolTip, QString(),
                                            Picture3_.at(assembly::kPanPanel));
        arrow->setFlat(true);
        grid->addWidget(arrow, a.row, a.column);
        hover_->track(arrow);
    }
}

void Frmmain::buildInventory() {
    Label1_ = new QLabel("   Inventory", this);
    Label1_->setObjectName("Label1");
    Label1_->setAccessibleName("Inventory");
    Label1_->setStyleSheet("background: #37474f; color: #eceff1; font-weight: bold;"
                           " border-top-left-radius: 4px; border-top-right-radius: 4px;");
    TrView1_ = new assembly::InventoryTree(this);
    Picture15_ = new ui::PictureButton("Picture15", "close", "Close inventory", QString(), this);
    Picture15_->setFlat(true);
    connect(Picture15_, &ui::PictureButton::clicked, this, &Frmmain::Picture15_Click);
    hover_->track(Picture15_);
    setInventoryVisible(false);
}

void Frmmain::buildDetails() {
    Picture7_ = new DetailsPanel(*state_, this);
    connect(Picture7_, &ui::Panel::backgroundHovered, this, &Frmmain::Form_MouseMove);
    Picture7_->hide();
}

void Frmmain::applyDesignTimeLayout(double dpi) {
    layoutDpi_ = dpi;
    setFixedSize(ui::twipsToPixels(kDesignWindowTwips.width(), dpi),
                 ui::twipsToPixels(kDesignWindowTwips.height(), dpi));
    for (const Placement& p : designTimeLayout())
        if (QWidget* w = control(p.control)) w->setGeometry(ui::twipsToPixels(p.twips, dpi));

    const int toolbarButton = ui::twipsToPixels(kToolbarButtonTwips, dpi);
    for (auto* button : findChildren<ui::PictureButton*>()) {
        const QString name = button->objectName();
        if (name.startsWith("Image1("))
            button->setPictureSize(QSize(toolbarButton, toolbarButton) * 5 / 6);
        else if (button->parentWidget() == Picture1_)
            button->setPictureSize(QSize(toolbarButton, toolbarButton));
        else if (name.startsWith("imgpan("))
            button->setPictureSize(QSize(toolbarButton, toolbarButton) * 2 / 3);
        else if (name == "Picture15")
            button->setPictureSize(QSize(1, 1) * ui::twipsToPixels(390, dpi));
        else
            button->setPictureSize(QSize(1, 1) * ui::twipsToPixels(kPaletteButtonTwips, dpi));
    }
    // Stage panels stack in the column left of the view.
    for (int index : assembly::kStagePanels) {
        ui::Panel* panel = Picture3_.at(index);
        panel->adjustSize();
        panel->move(ui::twipsToPixels(30, dpi), ui::twipsToPixels(1125, dpi));
        panel->resize(ui::twipsToPixels(930, dpi), panel->height());
    }
    placeViewOverlays();
}

void Frmmain::placeViewOverlays() {
    // The view, zoom and pan panels float over the right edge of the view; the bars frame it.
    const QRect view = PicGR_->geometry();
    const int margin = 8;
    ui::Panel* viewPanel = Picture3_.at(assembly::kViewPanel);
    ui::Panel* zoomPanel = Picture3_.at(assembly::kZoomPanel);
    ui::Panel* panPanel = Picture3_.at(assembly::kPanPanel);
    for (ui::Panel* panel : {viewPanel, zoomPanel, panPanel})
        panel->adjustSize();
    viewPanel->move(view.right() - margin - viewPanel->width() + 1, view.top() + margin);
    zoomPanel->move(view.right() - margin - zoomPanel->width() + 1, viewPanel->geometry().bottom() + margin);
    panPanel->move(view.right() - margin - panPanel->width() + 1,
                   view.bottom() - margin - panPanel->height() + 1);
    for (ui::Panel* panel : {viewPanel, zoomPanel, panPanel})
        panel->raise();

    const int bar = 3;
    Picbar_[0]->setGeometry(view.left() - bar, view.top() - bar, view.width() + 2 * bar, bar);
    Picbar_[1]->setGeometry(view.left() - bar, view.bottom() + 1, view.width() + 2 * bar, bar);
    Picbar_[2]->setGeometry(view.left() - bar, view.top(), bar, view.height());
    Picbar_[3]->setGeometry(view.right() + 1, view.top(), bar, view.height());

    // The details editor floats at the bottom beside the pan panel, clear of the inventory
    // on the left, so that both can be open at once.
    Picture7_->adjustSize();
    Picture7_->move(panPanel->x() - margin - Picture7_->width(),
                    view.bottom() - margin - Picture7_->height() + 1);
    Picture7_->raise();

    // The inventory floats over the left of the view, its close button on the title bar.
    const QRect title = Label1_->geometry();
    Picture15_->move(title.right() - Picture15_->width() - 2,
                     title.top() + (title.height() - Picture15_->height()) / 2);
    Label1_->raise();
    TrView1_->raise();
    Picture15_->raise();
}

void Frmmain::applyCompactLayout(double dpi) {
    for (const CompactChange& change : compactLayout()) {
        auto px = [dpi](int twips) { return ui::twipsToPixels(twips, dpi); };
        if (change.control.isEmpty()) {
            move(px(change.left), px(change.top));
            setFixedSize(px(change.width), px(change.height));
            continue;
        }
        QWidget* w = control(change.control);
        QRect g = w->geometry();
        if (change.left >= 0) g.moveLeft(px(change.left));
        if (change.top >= 0) g.moveTop(px(change.top));
        if (change.width >= 0) g.setWidth(px(change.width));
        if (change.height >= 0) g.setHeight(px(change.height));
        w->setGeometry(g);
    }
    placeViewOverlays();
}

QWidget* Frmmain::control(const QString& name) const { return findChild<QWidget*>(name); }

} // namespace bw::app
