// Built with AVX2 enabled (see CMakeLists.txt). Everything compiled here is a template
// instantiated for Octet alone, or local to this file, so that no AVX2 code can stand in
// for a function the rest of the program calls on processors without it.

#include "scene3d/platform/raster/FragmentStageAvx2.h"

#include "scene3d/platform/raster/FragmentPasses.h"
#include "scene3d/platform/raster/PixelOctet.h"

namespace bw::raster {

SpanShader avx2SpanShader(const DrawState& state, bool depthTest) {
    return passes::shaderFor<Octet, false>(state, depthTest);
}

} // namespace bw::raster
