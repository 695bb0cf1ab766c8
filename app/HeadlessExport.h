#pragma once
// boardwright --export OUT DESIGN: the design read, OUT written, and an exit status, with no
// window on any screen.

#include <QString>

namespace bw::app {

class Frmmain;

// Runs the start-up off screen with `designFile` open and writes `outFile`. 0 when written;
// 1, after one line on stderr naming the file and the reason, when the design cannot be read
// or OUT cannot be written (nothing is written then).
int exportWithoutWindow(Frmmain& window, const QString& designFile, const QString& outFile);

// From here on only the toolkit's critical and fatal messages reach stderr, so that an
// export's failure is the one line a script reads.
void quietenToolkitWarnings();

} // namespace bw::app
