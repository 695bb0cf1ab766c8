#pragma once
// The binary form of the .x format with 32-bit floats ("bin 0032"): names and braces as
// tokens, and each run of values of one kind as one integer or float list, as DirectX's
// own writer packs them. A reader copies a list of floats as it stands, where the text
// form has every number spelled out and read back.

#include <cstdint>
#include <vector>

#include "tools/modelgen/XObjectWriter.h"

namespace bw::modelgen {

class XBinaryWriter : public XObjectWriter {
public:
    XBinaryWriter();

    void open(std::string_view templateName, std::string_view name) override;
    void close() override;
    void count(std::uint32_t value) override;
    void vectors(std::span<const MeshVertex> vertices, Vector3 MeshVertex::*member) override;
    void faces(std::span<const MeshFace> faces) override;
    void indices(std::span<const std::uint32_t> values) override;
    void colour(std::span<const float> channels) override;
    void number(float value) override;
    void matrix(const Matrix& m) override;

    // The file, header included.
    std::vector<std::uint8_t> take();

private:
    void token(std::uint16_t code);
    void name(std::string_view text);
    void dword(std::uint32_t value);
    void integer(std::uint32_t value);
    void floating(float value);
    // Writes the values gathered as one list.
    void flush();

    std::vector<std::uint8_t> out_;
    std::vector<std::uint32_t> integers_;
    std::vector<float> floats_;
};

} // namespace bw::modelgen
