#pragma once
// The fragment passes eight pixels at a time, for processors with AVX2; built in a file of
// its own with AVX2 enabled, and used only after asking the processor.

#include "scene3d/platform/raster/FragmentStage.h"

namespace bw::raster {

// Whether this processor runs AVX2 (and the system saves its registers); asked once.
bool avx2Available();

// The eight-pixel pass for the draw; none (nullptr) for draws it leaves to the four-pixel
// ones (textured draws, whose texels are fetched one by one anyway).
SpanShader avx2SpanShader(const DrawState& state, bool depthTest);

} // namespace bw::raster
