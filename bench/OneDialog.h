#pragma once
// The dialog of the start-up yardsticks: a label and an OK button, shown until its first
// paint, as the program is shown until its Design dialog is painted.

namespace bench {

// Shows the dialog and runs the event loop until the dialog has been painted once; the
// loop's status. Needs the QApplication made.
int showOneDialog();

} // namespace bench
