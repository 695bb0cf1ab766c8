#include "app/ToolkitMessages.h"

#include <cstdio>
#include <cstdlib>
#include <QByteArray>
#include <QString>
#include <vector>

namespace bw::app {

namespace {

struct HeldMessage {
    QtMsgType type;
    // Copies: a context's strings need not outlive the call.
    QByteArray file;
    QByteArray function;
    QByteArray category;
    int line;
    QString text;
};

std::vector<HeldMessage>& heldMessages() {
    static std::vector<HeldMessage> messages;
    return messages;
}

const char* orNull(const QByteArray& text) { return text.isNull() ? nullptr : text.constData(); }

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        // The only fatal message of QApplication's making: no platform plugin could start.
        // Qt would abort next; what it held back is about plugins, not the user's problem.
        const char* platform = std::getenv("QT_QPA_PLATFORM");
        if (platform && *platform)
            std::fprintf(stderr, "boardwright: no display could be opened (Qt platform %s)\n", platform);
        else
            std::fprintf(stderr, "boardwright: no display could be opened\n");
        std::fflush(stderr);
        std::_Exit(1);
    }
    heldMessages().push_back({type, QByteArray(context.file), QByteArray(context.function),
                              QByteArray(context.category), context.line, text});
}

} // namespace

HeldToolkitMessages::HeldToolkitMessages() : previous_(qInstallMessageHandler(holdMessage)) {}

HeldToolkitMessages::~HeldToolkitMessages() {
    qInstallMessageHandler(previous_);
    for (const HeldMessage& held : heldMessages()) {
        const QMessageLogContext context(orNull(held.file), held.line, orNull(held.function),
                                         orNull(held.category));
        qt_message_output(held.type, context, held.text);
    }
    heldMessages().clear();
}

} // namespace bw::app
