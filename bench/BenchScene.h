#pragma once
// The frame both device benchmarks draw at 1024 x 768: about 100,000 lit triangles,
// drawn as a mesh would draw its subsets (ten draws), then the picture is finished
// (EndScene and Present).

#include <cmath>
#include <cstdint>
#include <vector>

#include "scene3d/math/Camera.h"
#include "scene3d/math/Transforms.h"
#include "scene3d/platform/device/Direct3DDevice8.h"
#include "scene3d/platform/mesh/VertexLayout.h"

namespace bench {

using namespace bw;

inline constexpr int frameWidth = 1024;
inline constexpr int frameHeight = 768;

struct Vertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};

struct Geometry {
    std::vector<Vertex> vertices;
    std::vector<std::uint32_t> indices;
    std::uint64_t revision = nextContentRevision();
};

// A gently rippled sheet of cells x cells quads (two triangles each) spanning the view.
inline Geometry rippledSheet(int cells) {
    Geometry g;
    const float size = 16.0f;
    for (int j = 0; j <= cells; ++j) {
        for (int i = 0; i <= cells; ++i) {
            const float s = static_cast<float>(i) / cells;
            const float t = static_cast<float>(j) / cells;
            const float x = (s - 0.5f) * size;
            const float y = (t - 0.5f) * size * 0.75f;
            const float z = 0.3f * std::sin(x * 2.0f) * std::cos(y * 2.0f);
            const Vector3 n = normalize(Vector3{-0.6f * std::cos(x * 2.0f) * std::cos(y * 2.0f),
                                                0.6f * std::sin(x * 2.0f) * std::sin(y * 2.0f), -1.0f});
            g.vertices.push_back({x, y, z, n.x, n.y, n.z, s, t});
        }
    }
    const auto at = [cells](int i, int j) { return static_cast<std::uint32_t>(j * (cells + 1) + i); };
    for (int j = 0; j < cells; ++j) {
        for (int i = 0; i < cells; ++i) {
            // Clockwise as seen from the camera at -z, so nothing is culled.
            g.indices.insert(g.indices.end(), {at(i, j), at(i, j + 1), at(i + 1, j + 1)});
            g.indices.insert(g.indices.end(), {at(i, j), at(i + 1, j + 1), at(i + 1, j)});
        }
    }
    return g;
}

// A UV sphere of rings x segments quads; the far half is culled.
inline Geometry sphere(int rings, int segments) {
    Geometry g;
    const float pi = 3.14159265f;
    for (int r = 0; r <= rings; ++r) {
        const float phi = pi * static_cast<float>(r) / rings;
        for (int s = 0; s <= segments; ++s) {
            const float theta = 2.0f * pi * static_cast<float>(s) / segments;
            const Vector3 n{std::sin(phi) * std::cos(theta), std::cos(phi), std::sin(phi) * std::sin(theta)};
            const float radius = 7.0f;
            g.vertices.push_back({n.x * radius, n.y * radius, n.z * radius, n.x, n.y, n.z,
                                  static_cast<float>(s) / segments, static_cast<float>(r) / rings});
        }
    }
    const auto at = [segments](int r, int s) { return static_cast<std::uint32_t>(r * (segments + 1) + s); };
    for (int r = 0; r < rings; ++r) {
        for (int s = 0; s < segments; ++s) {
            g.indices.insert(g.indices.end(), {at(r, s), at(r + 1, s), at(r + 1, s + 1)});
            g.indices.insert(g.indices.end(), {at(r, s), at(r + 1, s + 1), at(r, s + 1)});
        }
    }
    return g;
}

inline const Geometry& sheetGeometry() {
    static const Geometry sheet = rippledSheet(224); // 100,352 triangles, all facing the camera
    return sheet;
}

inline const Geometry& sphereGeometry() {
    static const Geometry ball = sphere(224, 224); // 100,352 triangles, half of them culled
    return ball;
}

inline void setUpScene(IDirect3DDevice8& device) {
    device.SetTransform(D3DTS_PROJECTION, perspectiveFovLH(0.785375f, 0.75f, 1.0f, 3000.0f));
    device.SetTransform(D3DTS_VIEW, *lookAtLH({0.0f, 0.0f, -20.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}));
    Light light;
    light.type = D3DLIGHT_DIRECTIONAL;
    light.diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    light.ambient = {0.1f, 0.1f, 0.1f, 1.0f};
    light.direction = normalize(Vector3{-1.0f, -1.0f, 1.0f});
    device.SetLight(0, light);
    device.LightEnable(0, true);
    light.direction = normalize(Vector3{1.0f, -1.0f, 1.0f});
    device.SetLight(1, light);
    device.LightEnable(1, true);
    Material material;
    material.diffuse = {0.5f, 0.6f, 0.7f, 1.0f};
    material.ambient = material.diffuse;
    device.SetMaterial(material);
    device.SetRenderState(D3DRS_AMBIENT, 0x10101010);
}

// One frame: clear, ten subset draws, end, present. named: the draws name their content,
// so that a device may keep it.
inline void drawFrame(IDirect3DDevice8& device, const Geometry& geometry, bool named) {
    const auto faces = static_cast<std::uint32_t>(geometry.indices.size() / 3);
    const std::uint32_t subsets = 10;
    device.Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF202040, 1.0f, 0);
    device.BeginScene();
    for (std::uint32_t s = 0; s < subsets; ++s) {
        const std::uint32_t firstFace = faces * s / subsets;
        device.DrawIndexedTriangles(
            subsetTriangles(geometry.vertices.data(), static_cast<std::uint32_t>(geometry.vertices.size()),
                            fvf::positionNormalTexture, geometry.indices, firstFace,
                            faces * (s + 1) / subsets - firstFace, named ? geometry.revision : 0));
    }
    device.EndScene();
    device.Present();
}

} // namespace bench
