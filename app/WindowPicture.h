#pragma once
// Writes a picture of the program after start-up, for machines without a display.

#include <QString>

namespace bw::app {

class Frmmain;

// Once start-up has finished and the event loop runs, writes the picture and runs Exit; the
// program ends with status 1 when the picture could not be written.
void scheduleWindowPicture(Frmmain& window, const QString& file);

} // namespace bw::app
