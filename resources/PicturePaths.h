#pragma once
// Where the compiled-in pictures live.

#include <QString>

namespace bw::resources {

QString iconPath(const QString& icon);    // resources/pictures/icons/<icon>.svg
QString picturePath(const QString& name); // resources/pictures/<name>.svg

} // namespace bw::resources
