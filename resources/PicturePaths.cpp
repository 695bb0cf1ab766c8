#include "resources/PicturePaths.h"

namespace bw::resources {

QString iconPath(const QString& icon) { return QStringLiteral(":/pictures/icons/%1.svg").arg(icon); }

QString picturePath(const QString& name) { return QStringLiteral(":/pictures/%1.svg").arg(name); }

} // namespace bw::resources
