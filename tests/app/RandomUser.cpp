#include "RandomUser.h"

#include <algorithm>
#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "app/Frmmain.h"
#include "modelview/ViewWidget.h"
#include "ui/PictureButton.h"

namespace bw::tests {
namespace {

// Menu items that end the program, open a blocking file dialog or question, or take parts
// away (the invariants hold for designs that only grow; those commands have tests of their own).
bool outOfBounds(const QAction* action) {
    static const QStringList names = {"mnuexit",          "mnusave",        "mnusaveas", "mnuopen",
                                      "mnunew",           "mnuundo",        "mnuredo",   "mnuexportparts",
                                      "mnuexportpicture", "mnuexportreport"};
    return names.contains(action->objectName());
}

bool usable(const QWidget* w) { return w->isVisible() && w->isEnabled(); }

bool usable(const QAction* a) {
    return !a->isSeparator() && a->isVisible() && a->isEnabled() && !outOfBounds(a);
}

QString nameOf(const QObject* o) {
    if (!o) return "?";
    return o->objectName().isEmpty() ? QString(o->metaObject()->className()) : o->objectName();
}

QString buttonName(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return "left";
    case Qt::RightButton:
        return "right";
    default:
        return "middle";
    }
}

// A real pointer lands on the topmost visible widget under it, not on the one aimed at.
QWidget* widgetUnder(QWidget* w, QPoint local, QPoint& at) {
    QWidget* top = w->window();
    const QPoint inTop = w->mapTo(top, local);
    QWidget* hit = top->childAt(inTop);
    if (!hit) hit = top;
    at = hit->mapFrom(top, inTop);
    return hit;
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// The visible dialog windows: the stage and finishing dialogs, the colour dialog, About.
std::vector<QWidget*> visibleDialogs(const QWidget* mainWindow) {
    std::vector<QWidget*> dialogs;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = w->windowType();
        if (w != mainWindow && w->isVisible() && (type == Qt::Dialog || type == Qt::Window))
            dialogs.push_back(w);
    }
    // topLevelWidgets() has no fixed order; a replay needs one.
    std::sort(dialogs.begin(), dialogs.end(),
              [](const QWidget* a, const QWidget* b) { return a->objectName() < b->objectName(); });
    return dialogs;
}

template <typename T> std::vector<T*> usableChildren(const QWidget* parent) {
    std::vector<T*> found;
    for (T* child : parent->findChildren<T*>())
        if (usable(child)) found.push_back(child);
    return found;
}

// A user means to get on with the design: "Next Stage" and OK draw the hand more than the
// rest, or the walk through the stages would drift back to the start.
constexpr int kOnwardWeight = 12;

constexpr int kDialogKeys[] = {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space, Qt::Key_Tab, Qt::Key_Backtab};
constexpr int kWindowKeys[] = {Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Space, Qt::Key_Return,
                               Qt::Key_Escape, Qt::Key_Left,    Qt::Key_Up,    Qt::Key_A};
constexpr int kTreeKeys[] = {Qt::Key_Up,    Qt::Key_Down,     Qt::Key_Left, Qt::Key_Right, Qt::Key_Plus,
                             Qt::Key_Minus, Qt::Key_Asterisk, Qt::Key_Home, Qt::Key_End,   Qt::Key_Space};
constexpr int kScrollKeys[] = {Qt::Key_Left,     Qt::Key_Right, Qt::Key_PageUp,
                               Qt::Key_PageDown, Qt::Key_Home,  Qt::Key_End};

} // namespace

RandomUser::RandomUser(app::Frmmain& window, std::uint32_t seed) : window_(window), random_(seed) {}

int RandomUser::below(int n) {
    return n <= 1 ? 0 : static_cast<int>(random_() % static_cast<std::uint32_t>(n));
}

Qt::MouseButton RandomUser::mouseButton() {
    constexpr Qt::MouseButton kButtons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton,
                                            Qt::MiddleButton};
    return kButtons[below(4)];
}

QPoint RandomUser::somewhereIn(const QWidget* w, int margin) {
    return QPoint(below(w->width() + 2 * margin) - margin, below(w->height() + 2 * margin) - margin);
}

QString RandomUser::randomText() {
    // What one key stroke can type, from plain letters to a character outside the BMP.
    static const QStringList kKeys =
        QStringLiteral("a b c X Y Z 0 1 5 9 . , - £ $ € é 漢 & \" ' \\ / % < > 😀").split(' ') << " ";
    QString text;
    const int length = below(4) == 0 ? below(120) : below(12);
    for (int i = 0; i < length; ++i)
        text += kKeys[below(static_cast<int>(kKeys.size()))];
    return text;
}

QString RandomUser::randomHex() {
    static const QString kDigits = QStringLiteral("0123456789ABCDEFabcdefg");
    QString text;
    const int length = below(3) == 0 ? below(10) : 6;
    for (int i = 0; i < length; ++i)
        text += kDigits[below(static_cast<int>(kDigits.size()))];
    return text;
}

void RandomUser::note(const QWidget* target, QPoint at, const QString& buttons) {
    detail_ += QStringLiteral(" [%1 at %2,%3, %4]").arg(nameOf(target)).arg(at.x()).arg(at.y()).arg(buttons);
}

void RandomUser::click(QWidget* w, QPoint local, Qt::MouseButton button) {
    QPoint at;
    QPointer<QWidget> target = widgetUnder(w, local, at);
    note(target, at, buttonName(button));
    sendMouse(target, QEvent::MouseButtonPress, at, button, button);
    // The widget that took the press has the pointer until the release.
    if (target) sendMouse(target, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

void RandomUser::doubleClick(QWidget* w, QPoint local) {
    QPoint at;
    QPointer<QWidget> target = widgetUnder(w, local, at);
    note(target, at, "left twice");
    sendMouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    if (target) sendMouse(target, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    if (target) sendMouse(target, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    if (target) sendMouse(target, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

void RandomUser::drag(QWidget* w, QPoint from, Qt::MouseButton button, int margin) {
    QPoint at;
    QPointer<QWidget> target = widgetUnder(w, from, at);
    const QPoint offset = at - from;
    note(target, at, buttonName(button));
    sendMouse(target, QEvent::MouseButtonPress, at, button, button);
    const int moves = 1 + below(6);
    for (int i = 0; i < moves && target; ++i)
        sendMouse(target, QEvent::MouseMove, somewhereIn(w, margin) + offset, Qt::NoButton, button);
    if (target)
        sendMouse(target, QEvent::MouseButtonRelease, somewhereIn(w, margin) + offset, button, Qt::NoButton);
}

void RandomUser::hover(QWidget* w, QPoint local) {
    QPoint at;
    QWidget* target = widgetUnder(w, local, at);
    note(target, at, "no button");
    sendMouse(target, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}

void RandomUser::pressKey(QWidget* w, int key, const QString& text) {
    QPointer<QWidget> target = w;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    if (!target) return;
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

void RandomUser::type(QWidget* w, const QString& text) {
    w->setFocus();
    for (const uint codePoint : text.toUcs4()) {
        const char32_t character = codePoint;
        const QString typed = QString::fromUcs4(&character, 1);
        pressKey(w, typed.at(0).isLetter() ? Qt::Key_A : Qt::Key_Space, typed);
    }
    if (below(4) == 0) pressKey(w, Qt::Key_Backspace);
}

std::vector<RandomUser::Action> RandomUser::reachableActions() {
    std::vector<Action> actions;
    // An open popup takes every press; a modal dialog blocks every other window.
    if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        addPopupActions(popup, actions);
    } else if (QWidget* modal = QApplication::activeModalWidget()) {
        addDialogActions(modal, actions);
    } else {
        addMainWindowActions(actions);
        for (QWidget* dialog : visibleDialogs(&window_))
            addDialogActions(dialog, actions);
    }
    return actions;
}

QString RandomUser::step() {
    std::vector<Action> actions = reachableActions();
    int total = 0;
    for (const Action& a : actions)
        total += a.weight;
    if (total == 0) return "nothing within reach";
    int pick = below(total);
    for (Action& a : actions) {
        if (pick < a.weight) {
            detail_.clear();
            a.run();
            // Whatever the action posted (repaints, deferred deletes) runs before the next one.
            QCoreApplication::processEvents();
            return a.what + detail_;
        }
        pick -= a.weight;
    }
    return "nothing chosen";
}

void RandomUser::addPopupActions(QMenu* popup, std::vector<Action>& actions) {
    const QString menu = nameOf(popup);
    auto choose = [popup](QAction* item) {
        // As a menu does it: the popup closes, then the item runs.
        popup->hide();
        item->trigger();
    };
    for (QAction* item : popup->actions()) {
        if (!usable(item)) continue;
        if (QMenu* submenu = item->menu()) {
            for (QAction* subitem : submenu->actions())
                if (usable(subitem))
                    actions.push_back({QStringLiteral("choose %1 > %2 > %3 (%4)")
                                           .arg(menu, nameOf(submenu), nameOf(subitem), subitem->text()),
                                       3, [choose, subitem] { choose(subitem); }});
            continue;
        }
        actions.push_back({QStringLiteral("choose %1 > %2 (%3)").arg(menu, nameOf(item), item->text()), 3,
                           [choose, item] { choose(item); }});
    }
    actions.push_back({"dismiss " + menu + " with Escape", 2, [this, popup] {
                           pressKey(popup, Qt::Key_Escape);
                           popup->hide();
                       }});
}

void RandomUser::addDialogActions(QWidget* dialog, std::vector<Action>& actions) {
    const QString name = nameOf(dialog);
    for (QAbstractButton* button : usableChildren<QAbstractButton>(dialog))
        actions.push_back({QStringLiteral("click %1/%2 (%3)").arg(name, nameOf(button), button->text()),
                           button->text() == "OK" ? kOnwardWeight : kOnwardWeight / 2,
                           [this, button] { click(button, somewhereIn(button), Qt::LeftButton); }});
    for (QLineEdit* box : usableChildren<QLineEdit>(dialog)) {
        actions.push_back({QStringLiteral("type into %1/%2").arg(name, nameOf(box)), 2, [this, box] {
                               box->selectAll();
                               type(box, below(2) ? randomHex() : randomText());
                           }});
    }
    for (QScrollBar* bar : usableChildren<QScrollBar>(dialog)) {
        actions.push_back({QStringLiteral("click %1/%2").arg(name, nameOf(bar)), 2,
                           [this, bar] { click(bar, somewhereIn(bar), mouseButton()); }});
        actions.push_back({QStringLiteral("key on %1/%2").arg(name, nameOf(bar)), 1,
                           [this, bar] { pressKey(bar, oneOf(kScrollKeys)); }});
    }
    if (QWidget* spectrum = dialog->findChild<QWidget*>("Colors"); spectrum && usable(spectrum))
        addSpectrumActions(spectrum, actions);
    actions.push_back({"close the window " + name, 1, [dialog] { dialog->close(); }});
    actions.push_back({"press a key in " + name, 2, [this, dialog] {
                           QWidget* focus = dialog->focusWidget();
                           pressKey(focus && focus->isVisible() ? focus : dialog, oneOf(kDialogKeys));
                       }});
    actions.push_back({"click somewhere in " + name, 1,
                       [this, dialog] { click(dialog, somewhereIn(dialog), mouseButton()); }});
}

void RandomUser::addSpectrumActions(QWidget* spectrum, std::vector<Action>& actions) {
    actions.push_back(
        {"pick a colour", 3, [this, spectrum] { click(spectrum, somewhereIn(spectrum), mouseButton()); }});
    actions.push_back({"drag over the spectrum", 2,
                       [this, spectrum] { drag(spectrum, somewhereIn(spectrum), mouseButton(), 40); }});
    actions.push_back(
        {"hover over the spectrum", 1, [this, spectrum] { hover(spectrum, somewhereIn(spectrum)); }});
}

void RandomUser::addMainWindowActions(std::vector<Action>& actions) {
    for (ui::PictureButton* button : usableChildren<ui::PictureButton>(&window_)) {
        const QString name = QStringLiteral("%1 (%2)").arg(nameOf(button), button->toolTip());
        actions.push_back({"click " + name, button->objectName() == "Picture8" ? kOnwardWeight : 4,
                           [this, button] { click(button, somewhereIn(button), Qt::LeftButton); }});
        actions.push_back(
            {"double-click " + name, 1, [this, button] { doubleClick(button, somewhereIn(button)); }});
        actions.push_back({"hover over " + name, 1, [this, button] { hover(button, somewhereIn(button)); }});
    }
    actions.push_back({"hover over the window", 3, [this] { hover(&window_, somewhereIn(&window_)); }});
    actions.push_back({"click somewhere in the window", 2, [this] {
                           const Qt::MouseButton button = mouseButton();
                           click(&window_, somewhereIn(&window_), button);
                       }});
    actions.push_back({"press a key in the main window", 1, [this] {
                           QWidget* focus = window_.focusWidget();
                           pressKey(focus && focus->isVisible() ? focus : &window_, oneOf(kWindowKeys),
                                    below(2) ? "a" : "");
                       }});
    addViewActions(actions);
    addDetailsActions(actions);
    addInventoryActions(actions);
}

void RandomUser::addViewActions(std::vector<Action>& actions) {
    modelview::ViewWidget* view = window_.findChild<modelview::ViewWidget*>("PicGR");
    actions.push_back({"click the view", 4, [this, view] { click(view, somewhereIn(view), mouseButton()); }});
    actions.push_back(
        {"drag on the view", 4, [this, view] { drag(view, somewhereIn(view), mouseButton(), 60); }});
    actions.push_back({"double-click the view", 1, [this, view] { doubleClick(view, somewhereIn(view)); }});
    actions.push_back({"hover over the view", 1, [this, view] { hover(view, somewhereIn(view)); }});
}

void RandomUser::addDetailsActions(std::vector<Action>& actions) {
    QWidget* panel = window_.findChild<QWidget*>("Picture7");
    if (!panel || !usable(panel)) return;
    for (QLineEdit* box : usableChildren<QLineEdit>(panel)) {
        const QString name = nameOf(box);
        actions.push_back({"type into " + name, 2, [this, box] { type(box, randomText()); }});
        actions.push_back({"clear " + name, 1, [box] { box->clear(); }});
        actions.push_back({"click " + name, 2, [this, box] { click(box, somewhereIn(box), mouseButton()); }});
    }
}

void RandomUser::addInventoryActions(std::vector<Action>& actions) {
    auto* tree = window_.findChild<QTreeWidget*>("TrView1");
    if (!tree || !usable(tree)) return;
    std::vector<QTreeWidgetItem*> items;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        items.push_back(*it);
    auto onItem = [this, tree, items](bool twice) {
        if (items.empty()) {
            click(tree->viewport(), somewhereIn(tree->viewport()), mouseButton());
            return;
        }
        QTreeWidgetItem* item = items[below(static_cast<int>(items.size()))];
        tree->scrollToItem(item); // the user scrolls it into sight first
        const QPoint centre = tree->visualItemRect(item).center();
        if (twice)
            doubleClick(tree->viewport(), centre);
        else
            click(tree->viewport(), centre, mouseButton());
    };
    actions.push_back({"click in the inventory", 2, [onItem] { onItem(false); }});
    actions.push_back({"double-click in the inventory", 1, [onItem] { onItem(true); }});
    actions.push_back({"press a key in the inventory", 1, [this, tree] {
                           tree->setFocus();
                           pressKey(tree, oneOf(kTreeKeys));
                       }});
}

} // namespace bw::tests
