#include "scene3d/platform/qt/TextureFile.h"

#include <cstring>
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QString>

#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/common/RegularFile.h"

namespace bw {

namespace {

// Far beyond any picture a model uses; keeps a stray huge file from being read whole.
constexpr std::size_t maxTextureFileBytes = 64u << 20;
// What Qt may allocate for one decoded image, in MiB: the largest side squared at 64 bits
// a pixel, as 16-bit PNGs decode.
constexpr int decodeLimitMiB = maxTextureSide * maxTextureSide * 8 / (1024 * 1024);

[[noreturn]] void refuse(const std::string& path, QSize size) {
    throw PlatformError(result::outOfMemory, path + ": a texture of " + std::to_string(size.width()) + " x " +
                                                 std::to_string(size.height()) + " pixels, more than " +
                                                 std::to_string(maxTextureSide) + " x " +
                                                 std::to_string(maxTextureSide));
}

bool tooLarge(QSize size) { return size.width() > maxTextureSide || size.height() > maxTextureSide; }

} // namespace

std::shared_ptr<Texture> loadTextureFile(const std::string& path) {
    if (path.empty()) return {};
    const RegularFile file = readRegularFile(path, maxTextureFileBytes);
    if (file.outcome != FileRead::Ok) return {};
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(file.bytes.data()),
                                               static_cast<qsizetype>(file.bytes.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(decodeLimitMiB);
    // The header tells the size of most formats; those that do not are checked once decoded.
    const QSize declared = reader.size();
    if (declared.isValid() && tooLarge(declared)) refuse(path, declared);
    QImage image = reader.read();
    if (image.isNull()) return {};
    if (tooLarge(image.size())) refuse(path, image.size());
    // Texture texels are 0xAARRGGBB words, which is what Format_ARGB32 holds.
    image.convertTo(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        std::memcpy(pixels.data() + static_cast<std::size_t>(y) * width, image.constScanLine(y),
                    static_cast<std::size_t>(width) * sizeof(std::uint32_t));
    return std::make_shared<Texture>(width, height, std::move(pixels));
}

} // namespace bw
