#pragma once
// Without a display, Qt's QApplication prints several lines about platform plugins and
// aborts. While it is made, its messages are held back: a fatal one becomes one line and
// exit status 1; the others are passed on once it stands.

#include <QtGlobal>

namespace bw::app {

class HeldToolkitMessages {
public:
    HeldToolkitMessages();
    ~HeldToolkitMessages();
    HeldToolkitMessages(const HeldToolkitMessages&) = delete;
    HeldToolkitMessages& operator=(const HeldToolkitMessages&) = delete;

private:
    QtMessageHandler previous_;
};

} // namespace bw::app
