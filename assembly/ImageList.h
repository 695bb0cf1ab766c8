#pragma once
// The inventory tree's pictures (ImageList3), one per image key.

#include <QHash>
#include <QIcon>
#include <QStringList>

namespace bw::assembly {

using ImageList = QHash<QString, QIcon>;

// The 37 keys in list order.
const QStringList& imageListKeys();
// Every key's picture, rendered once, when first drawn.
const ImageList& imageList3();

} // namespace bw::assembly
