#pragma once
// The program's command-line options.

#include <QString>
#include <QStringList>
#include <optional>

namespace bw::app {

struct CommandLine {
    QString pictureFile;           // --screenshot FILE: write a picture of the window, then end
    bool referenceDevice = false;  // --reference-device: draw with the software device only
    std::optional<int> exitCode;   // set when the program should end at once (help, version, error)
};

// Prints help, version or an error itself; the result says whether to go on.
CommandLine parseCommandLine(const QStringList& arguments);

}  // namespace bw::app
