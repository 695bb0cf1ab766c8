#include "app/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/FileSaving.h"
#include "app/NumberReader.h"
#include "scene3d/platform/common/RegularFile.h"

namespace bw::app {

namespace {

// A settings line is a handful of characters; anything past this is not worth reading.
constexpr std::size_t kLongestLine = 1 << 20;

} // namespace

SettingsFile::SettingsFile(QString folder) : folder_(std::move(folder)) {}

SettingsFile SettingsFile::standard() {
    return SettingsFile(chooseFolder(QCoreApplication::applicationDirPath(),
                                     QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));
}

QString SettingsFile::chooseFolder(const QString& executableFolder, const QString& configFolder) {
    const QFileInfo executable(executableFolder);
    // An installed program (bin/ beside share/boardwright/) keeps its settings per user even
    // where its folder could be written, as by root: a package must not leave files in bin/.
    const bool installed =
        executable.fileName() == QLatin1String("bin") &&
        QFileInfo::exists(executableFolder + QStringLiteral("/../share/boardwright/registry.ini"));
    if (!installed && executable.isDir() && executable.isWritable()) return executableFolder;
    return configFolder;
}

QString SettingsFile::path() const { return folder_ + QStringLiteral("/mbb.ini"); }

std::optional<qint32> SettingsFile::readBackgroundColour() const {
    const RegularFile file = readRegularFile(QFile::encodeName(path()).toStdString(), kLongestLine - 1, true);
    if (file.outcome != FileRead::Ok) return std::nullopt;
    // The reader skips the surrounding blanks and stops at the line's end.
    std::string_view line(file.bytes.data(), file.bytes.size());
    if (const auto end = line.find('\n'); end != std::string_view::npos) line = line.substr(0, end + 1);
    return readNumber(line);
}

bool SettingsFile::saveini(qint32 backgroundColour) const {
    const QByteArray contents = QByteArray::number(backgroundColour) + "\r\n";
    // Most runs end with the colour they started with: a file that already holds these very
    // bytes is left alone, which spares the program's exit two waits for the disk.
    const RegularFile current = readRegularFile(QFile::encodeName(path()).toStdString(),
                                                static_cast<std::size_t>(contents.size()), false);
    if (current.outcome == FileRead::Ok &&
        QByteArrayView(current.bytes.data(), current.bytes.size()) == contents)
        return true;
    if (!QDir().mkpath(folder_)) return false;
    return replaceFile(path(), contents).ok;
}

} // namespace bw::app
