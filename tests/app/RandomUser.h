#pragma once
// A random user of the main window. Each step does one thing a person could do with the
// mouse or the keyboard to what is on the screen and within reach: an open popup menu
// first, else a modal dialog, else the main window and its visible dialogs. Choices come
// from a seeded generator, so that a run can be replayed step by step.

#include <cstdint>
#include <functional>
#include <QPoint>
#include <QString>
#include <random>
#include <vector>

class QMenu;
class QWidget;

namespace bw::app {
class Frmmain;
}

namespace bw::tests {

class RandomUser {
public:
    RandomUser(app::Frmmain& window, std::uint32_t seed);

    // Does one thing and says what it was.
    QString step();

private:
    struct Action {
        QString what;
        int weight;
        std::function<void()> run;
    };

    std::vector<Action> reachableActions();
    void addPopupActions(QMenu* popup, std::vector<Action>& actions);
    void addDialogActions(QWidget* dialog, std::vector<Action>& actions);
    void addMainWindowActions(std::vector<Action>& actions);
    void addViewActions(std::vector<Action>& actions);
    void addDetailsActions(std::vector<Action>& actions);
    void addInventoryActions(std::vector<Action>& actions);
    void addSpectrumActions(QWidget* spectrum, std::vector<Action>& actions);

    // The pointer gestures, aimed at a point of `w`; whatever is on top there receives them.
    void click(QWidget* w, QPoint local, Qt::MouseButton button);
    void doubleClick(QWidget* w, QPoint local);
    void drag(QWidget* w, QPoint from, Qt::MouseButton button, int margin);
    void hover(QWidget* w, QPoint local);
    void type(QWidget* w, const QString& text);
    void pressKey(QWidget* w, int key, const QString& text = QString());
    // Says which widget a gesture reached, for the step's description.
    void note(const QWidget* target, QPoint at, const QString& buttons);

    int below(int n);
    template <std::size_t N> int oneOf(const int (&keys)[N]) { return keys[below(static_cast<int>(N))]; }
    Qt::MouseButton mouseButton();
    QPoint somewhereIn(const QWidget* w, int margin = 0);
    QString randomText();
    QString randomHex();

    app::Frmmain& window_;
    std::mt19937 random_;
    QString detail_;
};

} // namespace bw::tests
