#pragma once
// The About box and the colour dialog are windows of their own, dialogs of the main window:
// tests find them among the top-level windows by objectName, as UI automation does.

#include <QApplication>
#include <QWidget>

namespace bw::tests {

template <class Window> Window* topLevelWindow(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            if (auto* window = qobject_cast<Window*>(w)) return window;
    return nullptr;
}

} // namespace bw::tests
