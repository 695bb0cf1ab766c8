#include "scene3d/platform/xfile/XDataObject.h"

#include <cstring>

#include "scene3d/platform/common/PlatformError.h"

namespace bw {

void XObjectEnd::operator()(XDataObject* object) const { object->~XDataObject(); }

XChild XChild::dataObject(XObjectPtr object) {
    XChild c;
    c.target_ = object.get();
    c.owned_ = std::move(object);
    return c;
}

XChild XChild::reference(std::string name, const XDataObject* target) {
    XChild c;
    c.referenceName_ = std::move(name);
    c.target_ = target;
    return c;
}

const XDataObject& XChild::object() const {
    if (!target_)
        throw PlatformError(result::notFound, "reference to unknown object '" + referenceName_ + "'");
    return *target_;
}

std::span<const std::uint8_t> XDataReader::take(std::size_t bytes) {
    if (bytes > remaining())
        throw PlatformError(result::invalidData,
                            "data of '" + std::string(object_.templateName) + "' ends too early");
    const auto part =
        std::span<const std::uint8_t>(object_.data.data(), object_.data.size()).subspan(offset_, bytes);
    offset_ += bytes;
    return part;
}

std::uint32_t XDataReader::dword() {
    const auto b = take(4);
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

std::uint16_t XDataReader::word() {
    const auto b = take(2);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

float XDataReader::floatValue() {
    const std::uint32_t bits = dword();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

void XDataReader::floats(std::span<float> out) {
    // The data holds them little-endian, as this machine does.
    const auto bytes = take(out.size_bytes());
    if (!out.empty()) std::memcpy(out.data(), bytes.data(), bytes.size());
}

const std::string& XDataReader::string() {
    const std::uint32_t index = dword();
    if (index >= object_.strings.size())
        throw PlatformError(result::invalidData,
                            "string index out of range in '" + std::string(object_.templateName) + "'");
    return object_.strings[index];
}

void XDataReader::skip(std::size_t bytes) { take(bytes); }

} // namespace bw
