#pragma once
// Writes a model file in one of the forms of the DirectX .x format.

#include <cstdint>
#include <vector>

#include "tools/modelgen/ModelBuilder.h"
#include "tools/modelgen/XObjectWriter.h"

namespace bw::modelgen {

// Every object of the file, frames, meshes, normals and materials, in file order.
void writeModelFile(const ModelFileContent& file, XObjectWriter& out);

// The whole file, header included, in the form asked for.
std::vector<std::uint8_t> modelFileBytes(const ModelFileContent& file, XForm form);

} // namespace bw::modelgen
