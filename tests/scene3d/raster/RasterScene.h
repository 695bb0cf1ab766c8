#pragma once
// Small scenes for the reference rasterizer tests: vertices with position, normal and one
// texture-coordinate pair, drawn through the device's indexed-triangle call.

#include <cmath>
#include <cstdint>
#include <vector>

#include "scene3d/platform/mesh/VertexLayout.h"
#include "scene3d/platform/raster/ReferenceDevice.h"

namespace bw::rastertest {

struct Vertex {
    float x, y, z;
    float nx = 0.0f, ny = 0.0f, nz = -1.0f;
    float u = 0.0f, v = 0.0f;
};
static_assert(sizeof(Vertex) == 32);

inline ResultCode draw(IDirect3DDevice8& device, const std::vector<Vertex>& vertices,
                       const std::vector<std::uint16_t>& indices) {
    IndexedTriangles batch;
    batch.vertices = vertices.data();
    batch.vertexCount = static_cast<std::uint32_t>(vertices.size());
    batch.fvf = fvf::positionNormalTexture;
    batch.indices = indices.data();
    batch.indexFormat = IndexFormat::Bits16;
    batch.indexCount = static_cast<std::uint32_t>(indices.size());
    batch.faceCount = batch.indexCount / 3;
    return device.DrawIndexedTriangles(batch);
}

// A quad over [x0, x1] x [y0, y1] at depth z, clockwise on screen when y grows upwards,
// with u running left to right and v top to bottom.
inline std::vector<Vertex> quad(float x0, float y0, float x1, float y1, float z) {
    return {{x0, y1, z, 0, 0, -1, 0, 0},
            {x1, y1, z, 0, 0, -1, 1, 0},
            {x1, y0, z, 0, 0, -1, 1, 1},
            {x0, y0, z, 0, 0, -1, 0, 1}};
}
inline const std::vector<std::uint16_t> quadIndices{0, 1, 2, 0, 2, 3};

// A device whose transforms are all identity, so that positions are normalised device
// coordinates: x and y in -1 .. 1 across the target, z the depth.
inline std::shared_ptr<ReferenceDevice> identityDevice(int width, int height, unsigned threads = 1) {
    auto device = ReferenceDevice::createOffscreen(width, height, threads);
    device->SetRenderState(D3DRS_LIGHTING, 0);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    return device;
}

// A material that shows exactly the given colour and alpha when lit by nothing.
inline Material flatColour(float r, float g, float b, float a = 1.0f) {
    Material m;
    m.emissive = {r, g, b, 0.0f};
    m.diffuse = {0.0f, 0.0f, 0.0f, a};
    return m;
}

inline Picture pictureOf(IDirect3DDevice8& device) {
    Picture picture;
    device.GetBackBufferPicture(picture);
    return picture;
}

inline int red(std::uint32_t argb) { return (argb >> 16) & 0xFF; }
inline int green(std::uint32_t argb) { return (argb >> 8) & 0xFF; }
inline int blue(std::uint32_t argb) { return argb & 0xFF; }
inline int toByte(float c) {
    return static_cast<int>(std::lround(std::fmin(std::fmax(c, 0.0f), 1.0f) * 255.0f));
}

} // namespace bw::rastertest
