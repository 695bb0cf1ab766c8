#pragma once
// How the program replaces its files: storage::replaceFile, with the user's cache folder
// keeping the old content while a file in a read-only folder is rewritten in place.

#include <filesystem>
#include <QByteArray>
#include <QString>

#include "storage/FileReplacement.h"

namespace bw::app {

// <cache folder>/Boardwright; empty (the helper's own choice) when there is no such folder.
std::filesystem::path backupFolder();

storage::Replacement replaceFile(const QString& path, const QByteArray& bytes);

} // namespace bw::app
