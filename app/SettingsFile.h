#pragma once
// The settings file mbb.ini: one line holding the background colour (0x00RRGGBB as a
// signed decimal integer). It sits next to the executable, or in the user's configuration
// folder when the executable's folder cannot be written (an installed program).

#include <optional>
#include <QString>
#include <QtGlobal>

namespace bw::app {

class SettingsFile {
public:
    explicit SettingsFile(QString folder);

    // The executable's folder when it is writable, otherwise the user's configuration folder.
    static SettingsFile standard();
    static QString chooseFolder(const QString& executableFolder, const QString& configFolder);

    const QString& folder() const { return folder_; }
    QString path() const;

    // The colour of the first line; nothing when the file is missing or cannot be read.
    std::optional<qint32> readBackgroundColour() const;

    // Replaces the file as a whole, keeping its permissions (the old one stays intact when
    // anything fails); false when it could not be written.
    bool saveini(qint32 backgroundColour) const;

private:
    QString folder_;
};

} // namespace bw::app
