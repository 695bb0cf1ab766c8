// The yardstick for the program's start-up: the least a Qt Widgets program does to show
// one dialog. It makes the application, shows a dialog with a label and an OK button and
// quits once the dialog has been painted, as the program quits once its Design dialog has
// been. scripts/bench.sh times both the same way.
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Quits from the event loop after the watched widget's first paint.
class QuitAfterFirstPaint : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);

    QDialog dialog;
    dialog.setWindowTitle("Design");
    auto* label = new QLabel("Choose an enclosure to start a design.", &dialog);
    label->setAccessibleName("Message");
    auto* ok = new QPushButton("OK", &dialog);
    ok->setAccessibleName("OK");
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(ok);

    dialog.installEventFilter(new QuitAfterFirstPaint(&dialog));
    dialog.show();
    return QApplication::exec();
}
