#pragma once
// The program's command-line options, read the GNU way: --help and --version print and
// end at once, anything not understood is a one-line complaint and exit status 2.

#include <optional>
#include <QString>
#include <QStringList>

namespace bw::app {

struct CommandLine {
    QString designFile;           // the one argument that is not an option: a design to open
    QString pictureFile;          // --screenshot FILE: write a picture of the window, then end
    QString exportFile;           // --export OUT: write the design in OUT's format, no window
    bool referenceDevice = false; // --reference-device: draw with the software device only
    std::optional<int> exitCode;  // set when the program should end at once (help, version, error)
    QString output;               // help or version text, for stdout
    QString error;                // the complaint, one line without its end, for stderr
};

// Reads the options in order; the first --help, --version or fault decides. Prints nothing.
CommandLine readCommandLine(const QStringList& arguments);

// readCommandLine, then prints the output to stdout or the complaint to stderr.
CommandLine parseCommandLine(const QStringList& arguments);

// The version the build gives the program, as in "1.0.0".
QString programVersion();

} // namespace bw::app
