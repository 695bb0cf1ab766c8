#pragma once
// The add popups of the main window, built from their table; each item runs its add command.

#include <QHash>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QWidget;

namespace bw::assembly {

class AddCommands;

class PopupMenus : public QObject {
    Q_OBJECT
public:
    PopupMenus(AddCommands& commands, QWidget* owner);

    QMenu* menu(const QString& popupName) const { return menus_.value(popupName); }
    QAction* item(const QString& itemName) const { return items_.value(itemName); }
    // Opens a popup at the pointer.
    void popUp(const QString& popupName) const;

private:
    QHash<QString, QMenu*> menus_;
    QHash<QString, QAction*> items_;
};

} // namespace bw::assembly
