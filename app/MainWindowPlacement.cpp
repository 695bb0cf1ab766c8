#include "app/MainWindowPlacement.h"

#include <QLabel>

#include "app/DetailsPanel.h"
#include "app/DisplayDensity.h"
#include "app/MainWindowControls.h"
#include "assembly/InventoryTree.h"
#include "assembly/PaletteTable.h"
#include "modelview/ViewWidget.h"
#include "ui/Panel.h"
#include "ui/PictureButton.h"
#include "ui/Twips.h"

namespace bw::app {

void MainWindowPlacement::applyDesignTime(double dpi) {
    window_.setFixedSize(ui::twipsToPixels(kDesignWindowTwips.width(), dpi),
                         ui::twipsToPixels(kDesignWindowTwips.height(), dpi));
    for (const Placement& p : designTimeLayout())
        if (auto* w = window_.findChild<QWidget*>(p.control)) w->setGeometry(ui::twipsToPixels(p.twips, dpi));

    for (const auto& [button, kind] : controls_.pictureButtons) {
        const int side = ui::twipsToPixels(pictureTwips(kind), dpi);
        button->setPictureSize(QSize(side, side));
    }
    for (int index : assembly::kStagePanels) {
        ui::Panel* panel = controls_.palettePanels.at(index);
        panel->adjustSize();
        panel->move(ui::twipsToPixels(kStageColumnTwips.left, dpi),
                    ui::twipsToPixels(kStageColumnTwips.top, dpi));
        panel->resize(ui::twipsToPixels(kStageColumnTwips.width, dpi), panel->height());
    }
    placeViewOverlays();
}

void MainWindowPlacement::checkDisplayDensity(double logicalDpiX, double devicePixelRatio) {
    largeFontFlag_ = largeFontFlagFor(logicalDpiX, devicePixelRatio);
    if (largeFontFlag_ == 0) applyCompact(logicalDpiX);
}

void MainWindowPlacement::applyCompact(double dpi) {
    auto px = [dpi](int twips) { return ui::twipsToPixels(twips, dpi); };
    for (const CompactChange& change : compactLayout()) {
        if (change.control.isEmpty()) {
            window_.move(px(change.left), px(change.top));
            window_.setFixedSize(px(change.width), px(change.height));
            continue;
        }
        auto* w = window_.findChild<QWidget*>(change.control);
        QRect g = w->geometry();
        if (change.left >= 0) g.moveLeft(px(change.left));
        if (change.top >= 0) g.moveTop(px(change.top));
        if (change.width >= 0) g.setWidth(px(change.width));
        if (change.height >= 0) g.setHeight(px(change.height));
        w->setGeometry(g);
    }
    placeViewOverlays();
}

void MainWindowPlacement::placeViewOverlays() {
    const MainWindowControls& c = controls_;
    // The view, zoom and pan panels float over the right edge of the view; the bars frame it.
    const QRect view = c.view->geometry();
    const int margin = kOverlayMarginPixels;
    ui::Panel* viewPanel = c.palettePanels.at(assembly::kViewPanel);
    ui::Panel* zoomPanel = c.palettePanels.at(assembly::kZoomPanel);
    ui::Panel* panPanel = c.palettePanels.at(assembly::kPanPanel);
    for (ui::Panel* panel : {viewPanel, zoomPanel, panPanel})
        panel->adjustSize();
    viewPanel->move(view.right() - margin - viewPanel->width() + 1, view.top() + margin);
    zoomPanel->move(view.right() - margin - zoomPanel->width() + 1, viewPanel->geometry().bottom() + margin);
    panPanel->move(view.right() - margin - panPanel->width() + 1,
                   view.bottom() - margin - panPanel->height() + 1);
    for (ui::Panel* panel : {viewPanel, zoomPanel, panPanel})
        panel->raise();

    const int bar = kViewFramePixels;
    c.viewFrame[0]->setGeometry(view.left() - bar, view.top() - bar, view.width() + 2 * bar, bar);
    c.viewFrame[1]->setGeometry(view.left() - bar, view.bottom() + 1, view.width() + 2 * bar, bar);
    c.viewFrame[2]->setGeometry(view.left() - bar, view.top(), bar, view.height());
    c.viewFrame[3]->setGeometry(view.right() + 1, view.top(), bar, view.height());

    // The details editor floats at the bottom beside the pan panel, clear of the inventory
    // on the left, so that both can be open at once.
    DetailsPanel* details = c.detailsPanel;
    details->adjustSize();
    details->move(panPanel->x() - margin - details->width(), view.bottom() - margin - details->height() + 1);
    details->raise();

    // The inventory floats over the left of the view, its close button on the title bar.
    const QRect title = c.inventoryTitle->geometry();
    c.inventoryClose->move(title.right() - c.inventoryClose->width() - kInventoryCloseGapPixels,
                           title.top() + (title.height() - c.inventoryClose->height()) / 2);
    c.inventoryTitle->raise();
    c.inventoryTree->raise();
    c.inventoryClose->raise();
}

} // namespace bw::app
