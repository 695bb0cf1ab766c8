#include "assembly/PaletteDispatch.h"

#include <QString>

#include "assembly/AddCommands.h"
#include "assembly/PaletteTable.h"
#include "assembly/PopupMenus.h"
#include "assembly/ViewControls.h"

namespace bw::assembly {

void PaletteDispatch::run(const PaletteButton& button) {
    switch (button.action) {
    case PaletteAction::OpenPopup:
        popups_.popUp(QString::fromUtf8(button.target.data(), static_cast<qsizetype>(button.target.size())));
        break;
    case PaletteAction::AddSlot:
        commands_.addSlot(button.target);
        break;
    case PaletteAction::AddNextFree:
        commands_.addNextFree(button.target);
        break;
    case PaletteAction::ShowColorDialog:
        view_.showColourDialog();
        break;
    case PaletteAction::ToggleDetails:
        view_.toggleDetails();
        break;
    case PaletteAction::ToggleAxes:
        view_.toggleAxes();
        break;
    case PaletteAction::ToggleBase:
        view_.toggleBase();
        break;
    case PaletteAction::ToggleLights:
        view_.toggleLights();
        break;
    case PaletteAction::ZoomIn:
        view_.zoomIn();
        break;
    case PaletteAction::ZoomOut:
        view_.zoomOut();
        break;
    }
}

bool PaletteDispatch::click(std::string_view array, int index) {
    for (const PaletteButton& button : paletteButtons())
        if (button.array == array && button.index == index) {
            run(button);
            return true;
        }
    return false;
}

} // namespace bw::assembly
