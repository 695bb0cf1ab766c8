#include "app/FileSaving.h"

#include <QFile>
#include <QStandardPaths>

namespace bw::app {

std::filesystem::path backupFolder() {
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (cache.isEmpty()) return {};
    return QFile::encodeName(cache).toStdString();
}

storage::Replacement replaceFile(const QString& path, const QByteArray& bytes) {
    return storage::replaceFile(QFile::encodeName(path).toStdString(),
                                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                backupFolder());
}

} // namespace bw::app
