#pragma once
// Dialogs open centred over their main window. QDialog centres them too, but allows for a
// window frame it guesses where there is none (no window manager), so that they open
// above the middle.

class QWidget;

namespace bw::ui {

// Centres `dialog` over its parent's window, inside that window's screen. Call it from the
// dialog's show event; a dialog without a parent stays where it is.
void centreOverParent(QWidget& dialog);

} // namespace bw::ui
