#pragma once
// What leaves the program besides its design file: the parts list as CSV, Markdown or HTML,
// a picture of the model as PNG and a printable report as PDF. The format follows the
// file's extension; the menu items and the command line's --export share this.

#include <functional>
#include <optional>
#include <QLocale>
#include <QString>

#include "scene3d/platform/device/Picture.h"

namespace bw::catalogue {
class SystemStore;
}

namespace bw::app {

enum class ExportFormat { Csv, Markdown, Html, Png, Pdf };

// The format a file name's extension asks for (letter case aside); nothing for others.
std::optional<ExportFormat> exportFormatOf(const QString& file);

struct ExportSources {
    const catalogue::SystemStore* store = nullptr;
    int system = 1;
    QString title;  // the design's name, for pages and reports
    QLocale locale; // how costs are read and totals written
    int pictureWidth = 0, pictureHeight = 0;
    // Draws the model at the given size; an empty picture when it cannot.
    std::function<Picture(int width, int height)> drawPicture;
};

inline constexpr int kLargestPictureWidth = 3840;
inline constexpr int kLargestPictureHeight = 2160;

// The file's bytes in the format; an empty reason on success, else why not.
struct ExportBytes {
    QByteArray bytes;
    QString failure;
};
ExportBytes exportBytes(ExportFormat format, const ExportSources& sources);

// Writes the export to `file` through the safe save path; empty on success, else the reason.
QString writeExport(const QString& file, const ExportSources& sources);

} // namespace bw::app
