#include "app/HeadlessExport.h"

#include <cstdio>
#include <QtGlobal>

#include "app/DesignDocument.h"
#include "app/ExportCommands.h"
#include "app/Frmmain.h"

namespace bw::app {
namespace {

int fail(const QString& what, const QString& file, const QString& reason) {
    std::fprintf(stderr, "boardwright: cannot %s %s: %s\n", qPrintable(what), qPrintable(file),
                 qPrintable(reason));
    return 1;
}

void dropMinorMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) qt_message_output(type, context, message);
}

} // namespace

void quietenToolkitWarnings() { qInstallMessageHandler(dropMinorMessages); }

int exportWithoutWindow(Frmmain& window, const QString& designFile, const QString& outFile) {
    QString unreadable;
    window.document().setFailureReporter(
        [&unreadable](const QString&, const QString& reason) { unreadable = reason; });
    if (!window.Form_Load(designFile))
        return fail("draw the model for", outFile, "no 3D device could be made");
    if (!unreadable.isEmpty()) return fail("read the design", designFile, unreadable);
    if (const QString failure = writeExport(outFile, window.exports().sources()); !failure.isEmpty())
        return fail("write", outFile, failure);
    return 0;
}

} // namespace bw::app
