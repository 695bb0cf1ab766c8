#include "assembly/PopupMenus.h"

#include <QCursor>
#include <QMenu>
#include <QWidget>

#include "assembly/AddCommands.h"
#include "assembly/PopupMenuTable.h"
#include "ui/Utf8Text.h"

namespace bw::assembly {
namespace {

using ui::text;

} // namespace

PopupMenus::PopupMenus(AddCommands& commands, QWidget* owner) : QObject(owner) {
    QMenu* submenu = nullptr;
    for (const PopupMenuLine& line : popupMenuLines()) {
        const QString popupName = text(line.popup);
        QMenu*& popup = menus_[popupName];
        if (!popup) {
            popup = new QMenu(owner);
            popup->setObjectName(popupName);
            submenu = nullptr;
        }
        QMenu* target = line.kind == MenuLine::SubmenuItem ? submenu : popup;
        switch (line.kind) {
        case MenuLine::Separator:
            popup->addSeparator();
            submenu = nullptr;
            continue;
        case MenuLine::Submenu:
            submenu = popup->addMenu(text(line.caption));
            submenu->setObjectName(text(line.name));
            submenu->menuAction()->setObjectName(text(line.name));
            continue;
        default:
            break;
        }
        QAction* action = target->addAction(text(line.caption));
        action->setObjectName(text(line.name));
        items_.insert(action->objectName(), action);
        const std::string_view what = line.target;
        switch (line.kind) {
        case MenuLine::AddNextFree:
            connect(action, &QAction::triggered, this, [&commands, what] { commands.addNextFree(what); });
            break;
        case MenuLine::AddOs:
            connect(action, &QAction::triggered, this,
                    [&commands, what] { commands.addOperatingSystem(what); });
            break;
        default:
            connect(action, &QAction::triggered, this, [&commands, what] { commands.addSlot(what); });
            break;
        }
    }
}

void PopupMenus::popUp(const QString& popupName) const {
    if (QMenu* popup = menus_.value(popupName)) popup->popup(QCursor::pos());
}

} // namespace bw::assembly
