#pragma once
// Writes a model file in the text form of the DirectX .x format.

#include <string>

#include "tools/modelgen/ModelBuilder.h"

namespace bw::modelgen {

std::string xText(const ModelFileContent& file);

} // namespace bw::modelgen
