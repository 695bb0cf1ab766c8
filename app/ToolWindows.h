#pragma once
// The About box and the background-colour dialog: dialogs of the main window, so that they
// open centred over it and assistive technology knows whose they are; made on first use
// and kept (hidden) between showings.

#include <QObject>
#include <QPointer>

class QWidget;

namespace bw {
class D3DInit;
}

namespace bw::app {

class FrmColor;
class Frmabt;

class ToolWindows : public QObject {
    Q_OBJECT
public:
    // The dialogs belong to `owner`, the main window (none: windows of their own).
    explicit ToolWindows(QWidget* owner);
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
    QWidget* owner_;
    QPointer<Frmabt> about_;
    QPointer<FrmColor> colourDialog_;
};

} // namespace bw::app
