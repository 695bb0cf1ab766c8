#pragma once

#include <filesystem>

namespace bench {

// Where the build wrote the model files.
std::filesystem::path modelFolder();

} // namespace bench
