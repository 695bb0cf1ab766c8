#include "scene3d/platform/qt/TextureFile.h"

#include <cstring>
#include <QImage>
#include <QString>

#include "scene3d/platform/common/RegularFile.h"

namespace bw {

namespace {
// Far beyond any picture a model uses; keeps a stray huge file from being read whole.
constexpr std::size_t maxTextureFileBytes = 256u << 20;
} // namespace

std::shared_ptr<Texture> loadTextureFile(const std::string& path) {
    if (path.empty()) return {};
    const RegularFile file = readRegularFile(path, maxTextureFileBytes);
    QImage image;
    if (file.outcome != FileRead::Ok ||
        !image.loadFromData(reinterpret_cast<const uchar*>(file.bytes.data()),
                            static_cast<int>(file.bytes.size())) ||
        image.isNull())
        return {};
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
