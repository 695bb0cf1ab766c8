#pragma once
// The text form of the .x format: one value per line of a vector or face array, a space
// of indent per level.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/modelgen/XObjectWriter.h"

namespace bw::modelgen {

class XTextWriter : public XObjectWriter {
public:
    XTextWriter();

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
    void line(const std::string& text);

    std::string out_;
    int depth_ = 0;
};

} // namespace bw::modelgen
