#include "bench/ModelFolder.h"

namespace bench {

std::filesystem::path modelFolder() { return BOARDWRIGHT_MODELS_DIR; }

} // namespace bench
