#pragma once
// The About box and the background-colour dialog: windows of their own, not children of
// the main window, made on first use and kept (hidden) between showings.

#include <QObject>

namespace bw {
class D3DInit;
}

namespace bw::app {

class FrmColor;
class Frmabt;

class ToolWindows : public QObject {
    Q_OBJECT
public:
    explicit ToolWindows(QObject* owner) : QObject(owner) {}
    ~ToolWindows() override;

    // Names the device that `setup` made (none before start-up has made one).
    void showAbout(const D3DInit& setup);
    void showColourDialog();
    // The program is ending.
    void hideAll();

signals:
    // OK in the colour dialog: 0x00RRGGBB.
    void colourChosen(qint32 colour);

private:
    Frmabt* about_ = nullptr;
    FrmColor* colourDialog_ = nullptr;
};

} // namespace bw::app
