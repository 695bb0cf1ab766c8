#include "tools/modelgen/XBinaryWriter.h"

#include <cstring>
#include <string>

namespace bw::modelgen {
namespace {

// Token codes of the binary form.
enum : std::uint16_t {
    tokenName = 1,
    tokenIntegerList = 6,
    tokenFloatList = 7,
    tokenOBrace = 10,
    tokenCBrace = 11,
};

} // namespace

XBinaryWriter::XBinaryWriter() {
    const std::string header = "xof 0303bin 0032";
    out_.assign(header.begin(), header.end());
}

void XBinaryWriter::token(std::uint16_t code) {
    out_.push_back(static_cast<std::uint8_t>(code));
    out_.push_back(static_cast<std::uint8_t>(code >> 8));
}

void XBinaryWriter::dword(std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void XBinaryWriter::name(std::string_view text) {
    token(tokenName);
    dword(static_cast<std::uint32_t>(text.size()));
    out_.insert(out_.end(), text.begin(), text.end());
}

void XBinaryWriter::flush() {
    if (!integers_.empty()) {
        token(tokenIntegerList);
        dword(static_cast<std::uint32_t>(integers_.size()));
        for (const std::uint32_t v : integers_)
            dword(v);
        integers_.clear();
    }
    if (!floats_.empty()) {
        token(tokenFloatList);
        dword(static_cast<std::uint32_t>(floats_.size()));
        for (const float f : floats_) {
            std::uint32_t bits;
            std::memcpy(&bits, &f, sizeof bits);
            dword(bits);
        }
        floats_.clear();
    }
}

void XBinaryWriter::integer(std::uint32_t value) {
    if (!floats_.empty()) flush();
    integers_.push_back(value);
}

void XBinaryWriter::floating(float value) {
    if (!integers_.empty()) flush();
    floats_.push_back(value);
}

void XBinaryWriter::open(std::string_view templateName, std::string_view objectName) {
    flush();
    name(templateName);
    if (!objectName.empty()) name(objectName);
    token(tokenOBrace);
}

void XBinaryWriter::close() {
    flush();
    token(tokenCBrace);
}

void XBinaryWriter::count(std::uint32_t value) { integer(value); }

void XBinaryWriter::vectors(std::span<const MeshVertex> vertices, Vector3 MeshVertex::*member) {
    for (const MeshVertex& v : vertices) {
        const Vector3& p = v.*member;
        floating(p.x);
        floating(p.y);
        floating(p.z);
    }
}

void XBinaryWriter::faces(std::span<const MeshFace> faces) {
    for (const MeshFace& f : faces) {
        integer(3);
        for (const std::uint32_t corner : f.corners)
            integer(corner);
    }
}

void XBinaryWriter::indices(std::span<const std::uint32_t> values) {
    for (const std::uint32_t v : values)
        integer(v);
}

void XBinaryWriter::colour(std::span<const float> channels) {
    for (const float c : channels)
        floating(c);
}

void XBinaryWriter::number(float value) { floating(value); }

void XBinaryWriter::matrix(const Matrix& m) {
    for (const auto& row : m.m)
        for (const float value : row)
            floating(value);
}

std::vector<std::uint8_t> XBinaryWriter::take() {
    flush();
    return std::move(out_);
}

} // namespace bw::modelgen
