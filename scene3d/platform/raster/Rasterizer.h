#pragma once
// Rasterizer: walks the queued triangles of one band of rows in submission order, finds
// the covered pixels of each row exactly from the edge functions and hands the spans to
// the fragment stage.

#include "scene3d/platform/raster/DepthBuffer.h"
#include "scene3d/platform/raster/FrameBuffer.h"
#include "scene3d/platform/raster/FrameQueue.h"

namespace bw::raster {

// Draws the triangles of band `band` of the queue into `colour`, testing against `depth`;
// each holds at least the band's rows. Bands touch disjoint rows, so different bands may be
// drawn at the same time.
void rasterizeBand(const FrameQueue& queue, int band, const ColourRows& colour, const DepthRows& depth);

} // namespace bw::raster
