#include "app/ExitAtDesignDialog.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include "app/Frmmain.h"

namespace bw::app {

namespace {

// Watches every event for the dialog's first paint: the dialog is made inside start-up,
// after this is installed.
class DesignDialogPaintWatch : public QObject {
public:
    explicit DesignDialogPaintWatch(Frmmain& window) : QObject(&window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && watched->objectName() == "frm1") {
            QCoreApplication::instance()->removeEventFilter(this);
            // Not from inside the paint: Exit hides the windows.
            QTimer::singleShot(0, &window_, [this] { window_.mnuexit_Click(); });
        }
        return false;
    }

private:
    Frmmain& window_;
};

} // namespace

bool exitAtDesignDialogRequested() {
    return qEnvironmentVariable("BOARDWRIGHT_EXIT_AT_DESIGN_DIALOG").trimmed() == "1";
}

void exitOnceDesignDialogDrawn(Frmmain& window) {
    QCoreApplication::instance()->installEventFilter(new DesignDialogPaintWatch(window));
}

} // namespace bw::app
