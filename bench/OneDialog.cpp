#include "bench/OneDialog.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace bench {
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

int showOneDialog() {
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

} // namespace bench
