#include "tools/modelgen/XTextWriter.h"

#include <cmath>
#include <cstdio>

namespace bw::modelgen {
namespace {

std::string decimal(float value) {
    char buffer[32];
    // Values that round to zero are written without a sign.
    std::snprintf(buffer, sizeof buffer, "%.6f", std::fabs(value) < 5e-7f ? 0.0 : static_cast<double>(value));
    return buffer;
}

std::string vector3(Vector3 v) { return decimal(v.x) + ";" + decimal(v.y) + ";" + decimal(v.z) + ";"; }

// Array elements are separated by commas and the last one closes the array with a semicolon.
std::string separator(std::size_t index, std::size_t count) { return index + 1 < count ? "," : ";"; }

} // namespace

XTextWriter::XTextWriter() { out_ = "xof 0303txt 0032\n"; }

void XTextWriter::line(const std::string& text) {
    out_.append(static_cast<std::size_t>(depth_), ' ');
    out_ += text;
    out_ += '\n';
}

void XTextWriter::open(std::string_view templateName, std::string_view name) {
    if (depth_ == 0) line("");
    std::string head(templateName);
    if (!name.empty()) head.append(" ").append(name);
    line(head.append(" {"));
    ++depth_;
}

void XTextWriter::close() {
    --depth_;
    line("}");
}

void XTextWriter::count(std::uint32_t value) { line(std::to_string(value) + ";"); }

void XTextWriter::vectors(std::span<const MeshVertex> vertices, Vector3 MeshVertex::*member) {
    for (std::size_t i = 0; i < vertices.size(); ++i)
        line(vector3(vertices[i].*member) + separator(i, vertices.size()));
}

void XTextWriter::faces(std::span<const MeshFace> faces) {
    for (std::size_t i = 0; i < faces.size(); ++i) {
        const auto& c = faces[i].corners;
        line("3;" + std::to_string(c[0]) + "," + std::to_string(c[1]) + "," + std::to_string(c[2]) + ";" +
             separator(i, faces.size()));
    }
}

void XTextWriter::indices(std::span<const std::uint32_t> values) {
    for (std::size_t i = 0; i < values.size(); ++i)
        line(std::to_string(values[i]) + (i + 1 < values.size() ? "," : ";;"));
}

void XTextWriter::colour(std::span<const float> channels) {
    std::string text;
    for (const float c : channels)
        text += decimal(c) + ";";
    line(text + ";");
}

void XTextWriter::number(float value) { line(decimal(value) + ";"); }

void XTextWriter::matrix(const Matrix& m) {
    std::string values;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            values += decimal(m.m[row][column]) + (row == 3 && column == 3 ? ";;" : ",");
    line(values);
}

std::vector<std::uint8_t> XTextWriter::take() { return {out_.begin(), out_.end()}; }

} // namespace bw::modelgen
