#include "scene3d/platform/qt/TextureFile.h"

#include <cstring>
#include <QImage>
#include <QString>

namespace bw {

std::shared_ptr<Texture> loadTextureFile(const std::string& path) {
    QImage image;
    if (path.empty() || !image.load(QString::fromStdString(path)) || image.isNull()) return {};
    // Texture texels are 0xAARRGGBB words, which is what Format_ARGB32 holds.
    const QImage texels = image.convertToFormat(QImage::Format_ARGB32);
    const int width = texels.width();
    const int height = texels.height();
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        std::memcpy(pixels.data() + static_cast<std::size_t>(y) * width, texels.constScanLine(y),
                    static_cast<std::size_t>(width) * sizeof(std::uint32_t));
    return std::make_shared<Texture>(width, height, std::move(pixels));
}

} // namespace bw
