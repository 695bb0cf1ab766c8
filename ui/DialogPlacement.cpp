#include "ui/DialogPlacement.h"

#include <algorithm>
#include <QScreen>
#include <QWidget>

namespace bw::ui {

void centreOverParent(QWidget& dialog) {
    const QWidget* parent = dialog.parentWidget();
    if (!parent) return;
    const QWidget* window = parent->window();
    QRect placed(QPoint(), dialog.frameGeometry().size());
    placed.moveCenter(window->frameGeometry().center());
    if (const QScreen* screen = window->screen()) {
        const QRect room = screen->availableGeometry();
        placed.moveLeft(std::max(room.left(), std::min(placed.left(), room.right() + 1 - placed.width())));
        placed.moveTop(std::max(room.top(), std::min(placed.top(), room.bottom() + 1 - placed.height())));
    }
    dialog.move(placed.topLeft());
    // Placed by the program, not by the user: the next showing centres it again.
    dialog.setAttribute(Qt::WA_Moved, false);
}

} // namespace bw::ui
