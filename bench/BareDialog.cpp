// The yardstick for the program's start-up: the least a Qt Widgets program does to show
// one dialog. It makes the application, shows a dialog with a label and an OK button and
// quits once the dialog has been painted, as the program quits once its Design dialog has
// been. scripts/bench.sh times both the same way.
#include <QApplication>

#include "bench/OneDialog.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    return bench::showOneDialog();
}
