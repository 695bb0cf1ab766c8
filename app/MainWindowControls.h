#pragma once
// Builds the main window's controls under the names the rest of the program finds them by,
// styled and in their design-time visibility, and hands back the ones the window works with.
// Nothing is connected here: what a click does is the window's business.

#include <array>
#include <map>
#include <utility>
#include <vector>

#include "app/MainWindowLayout.h"

class QAction;
class QLabel;
class QMenu;
class QWidget;

namespace bw::ui {
class Panel;
class PictureButton;
} // namespace bw::ui

namespace bw::assembly {
class HoverHighlight;
class InventoryTree;
struct DesignState;
struct PaletteButton;
} // namespace bw::assembly

namespace bw::modelview {
class ViewWidget;
}

namespace bw::app {

class DetailsPanel;

struct MainWindowControls {
    assembly::HoverHighlight* hover = nullptr;

    ui::Panel* toolbar = nullptr;                 // Picture1
    ui::PictureButton* menuButton = nullptr;      // Picture6
    ui::PictureButton* inventoryButton = nullptr; // Image4
    ui::PictureButton* backButton = nullptr;      // Picture9
    ui::PictureButton* nextButton = nullptr;      // Picture8
    QLabel* statusLabel = nullptr;                // Label8
    QMenu* mainMenu = nullptr;                    // mnumain
    QAction* newItem = nullptr;                   // mnunew
    QAction* openItem = nullptr;                  // mnuopen
    QAction* saveItem = nullptr;                  // mnusave
    QAction* saveAsItem = nullptr;                // mnusaveas
    QAction* exportPartsItem = nullptr;           // mnuexportparts
    QAction* exportPictureItem = nullptr;         // mnuexportpicture
    QAction* exportReportItem = nullptr;          // mnuexportreport
    QAction* undoItem = nullptr;                  // mnuundo
    QAction* redoItem = nullptr;                  // mnuredo
    QAction* aboutItem = nullptr;                 // mnuabt
    QAction* exitItem = nullptr;                  // mnuexit

    modelview::ViewWidget* view = nullptr; // PicGR
    std::array<QWidget*, 4> viewFrame{};   // Picbar(0..3): top, bottom, left, right
    ui::Panel* indicatorBar = nullptr;     // Picture2
    std::map<int, QLabel*> indicators;     // imgbot(0..2): axes, base, second light
    QLabel* totalLabel = nullptr;          // lblTotal: the sum of the costs

    std::map<int, ui::Panel*> palettePanels; // Picture3(n)
    // Every palette button with the row of the palette table it was built from.
    std::vector<std::pair<const assembly::PaletteButton*, ui::PictureButton*>> paletteButtons;
    std::array<ui::PictureButton*, 4> panArrows{}; // imgpan(0..3): up, left, down, right

    QLabel* inventoryTitle = nullptr;                 // Label1
    assembly::InventoryTree* inventoryTree = nullptr; // TrView1
    ui::PictureButton* inventoryClose = nullptr;      // Picture15
    DetailsPanel* detailsPanel = nullptr;             // Picture7

    // Every picture button, with the kind that sets its picture size.
    std::vector<std::pair<ui::PictureButton*, ButtonKind>> pictureButtons;
    // The panels whose bare background, crossed by the pointer, puts lit buttons out.
    std::vector<ui::Panel*> hoverResetPanels;
};

// Builds every control as a child of `window` and styles the window.
MainWindowControls buildMainWindowControls(QWidget& window, assembly::DesignState& state);

} // namespace bw::app
