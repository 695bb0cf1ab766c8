#include "tests/scene3d/gl/GlScenes.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "scene3d/math/Camera.h"
#include "scene3d/math/Transforms.h"
#include "scene3d/platform/mesh/MeshBounds.h"
#include "scene3d/platform/mesh/XMeshLoader.h"
#include "tests/scene3d/raster/RasterScene.h"

namespace bw::gltest {

namespace {

using rastertest::Vertex;

constexpr float pi = 3.14159265f;

// Vertices of any layout with 32-bit indices, drawn in one call or a range of faces.
template <typename V> struct Shape {
    std::uint32_t fvf = fvf::positionNormalTexture;
    std::vector<V> vertices;
    std::vector<std::uint32_t> indices;
    std::uint64_t revision = nextContentRevision();

    std::uint32_t faceCount() const { return static_cast<std::uint32_t>(indices.size() / 3); }
};

// A grid of cells x cells quads, vertex (i, j) from vertexAt(i, j); its triangles run
// clockwise when i grows to the right and j upwards on the screen.
template <typename V, typename F> Shape<V> grid(std::uint32_t fvfCode, int cells, F vertexAt) {
    Shape<V> g;
    g.fvf = fvfCode;
    for (int j = 0; j <= cells; ++j)
        for (int i = 0; i <= cells; ++i)
            g.vertices.push_back(vertexAt(i, j));
    const auto at = [cells](int i, int j) { return static_cast<std::uint32_t>(j * (cells + 1) + i); };
    for (int j = 0; j < cells; ++j)
        for (int i = 0; i < cells; ++i)
            g.indices.insert(g.indices.end(), {at(i, j), at(i, j + 1), at(i + 1, j + 1), at(i, j),
                                               at(i + 1, j + 1), at(i + 1, j)});
    return g;
}

// A sphere, u running around it and v down from the top: clockwise where it faces the
// camera, so that the default cull mode drops the far half.
Shape<Vertex> sphere(float radius, int cells) {
    return grid<Vertex>(fvf::positionNormalTexture, cells, [=](int i, int j) {
        const float u = static_cast<float>(i) / cells, v = static_cast<float>(j) / cells;
        const float phi = pi * (1.0f - v), theta = 2.0f * pi * u;
        const Vector3 n{std::sin(phi) * std::cos(theta), std::cos(phi), std::sin(phi) * std::sin(theta)};
        return Vertex{n.x * radius, n.y * radius, n.z * radius, n.x, n.y, n.z, u, v};
    });
}

template <typename V>
ResultCode drawShape(IDirect3DDevice8& device, const Shape<V>& shape, bool named = true,
                     std::uint32_t firstFace = 0, std::uint32_t faceCount = 0) {
    IndexedTriangles batch = subsetTriangles(
        shape.vertices.data(), static_cast<std::uint32_t>(shape.vertices.size()), shape.fvf, shape.indices,
        firstFace, faceCount ? faceCount : shape.faceCount() - firstFace, named ? shape.revision : 0);
    batch.stride = sizeof(V);
    return device.DrawIndexedTriangles(batch);
}

const Shape<Vertex>& ball() {
    static const Shape<Vertex> g = sphere(1.0f, 32);
    return g;
}

void setUpCamera(IDirect3DDevice8& device, Vector3 eye, Vector3 at) {
    device.SetTransform(D3DTS_PROJECTION,
                        perspectiveFovLH(pi / 4, static_cast<float>(sceneHeight) / sceneWidth, 1.0f, 100.0f));
    device.SetTransform(D3DTS_VIEW, *lookAtLH(eye, at, {0.0f, 1.0f, 0.0f}));
    device.SetTransform(D3DTS_WORLD, identityMatrix());
}

// Two directional lights and the ambient level, as the program's scene has them.
void setUpTwoLights(IDirect3DDevice8& device) {
    Light light;
    light.type = D3DLIGHT_DIRECTIONAL;
    light.diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    light.specular = {1.0f, 1.0f, 1.0f, 1.0f};
    light.ambient = {0.1f, 0.1f, 0.1f, 1.0f};
    light.direction = normalize(Vector3{-1.0f, -1.0f, 1.0f});
    device.SetLight(0, light);
    device.LightEnable(0, true);
    light.diffuse = {0.5f, 0.4f, 0.3f, 1.0f};
    light.specular = {0.3f, 0.3f, 0.3f, 1.0f};
    light.direction = normalize(Vector3{1.0f, -0.5f, 0.8f});
    device.SetLight(1, light);
    device.LightEnable(1, true);
    device.SetRenderState(D3DRS_AMBIENT, 0x00202020);
}

Material material(ColorValue diffuse, ColorValue ambient) {
    Material m;
    m.diffuse = diffuse;
    m.ambient = ambient;
    return m;
}

void clear(IDirect3DDevice8& device, std::uint32_t colour) {
    device.Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, colour, 1.0f, 0);
}

Matrix placed(float scale, float turn, Vector3 at) {
    return scalingMatrix(scale, scale, scale) * rotationYMatrix(turn) * rotationXMatrix(turn * 0.5f) *
           translationMatrix(at.x, at.y, at.z);
}

} // namespace

void drawLitOpaqueScene(IDirect3DDevice8& device) {
    clear(device, 0xFF203040);
    setUpCamera(device, {0.0f, 2.0f, -9.0f}, {0.0f, 0.0f, 0.0f});
    setUpTwoLights(device);
    device.BeginScene();

    // Diffuse, ambient and emissive; then specular, with an infinite and a local viewer.
    Material dull = material({0.6f, 0.5f, 0.4f, 1.0f}, {0.3f, 0.3f, 0.5f, 1.0f});
    dull.emissive = {0.05f, 0.0f, 0.02f, 0.0f};
    device.SetMaterial(dull);
    device.SetTransform(D3DTS_WORLD, placed(1.4f, 0.3f, {-2.2f, 0.0f, 0.0f}));
    drawShape(device, ball());

    Material shiny = material({0.2f, 0.4f, 0.8f, 1.0f}, {0.2f, 0.4f, 0.8f, 1.0f});
    shiny.specular = {0.9f, 0.9f, 0.9f, 1.0f};
    shiny.power = 12.0f;
    device.SetMaterial(shiny);
    device.SetRenderState(D3DRS_SPECULARENABLE, 1);
    device.SetTransform(D3DTS_WORLD, placed(1.2f, 1.1f, {0.6f, 0.3f, 1.0f}));
    drawShape(device, ball());
    device.SetRenderState(D3DRS_LOCALVIEWER, 0);
    // Stretched: normals go through the inverse transpose.
    device.SetTransform(D3DTS_WORLD, scalingMatrix(0.6f, 1.4f, 0.6f) * translationMatrix(2.8f, -0.2f, -0.5f));
    drawShape(device, ball());
    device.EndScene();
}

void drawPointAndSpotLightScene(IDirect3DDevice8& device) {
    clear(device, 0xFF000000);
    setUpCamera(device, {0.0f, 6.0f, -6.0f}, {0.0f, 0.0f, 0.0f});
    Light point;
    point.type = D3DLIGHT_POINT;
    point.diffuse = {1.0f, 0.8f, 0.6f, 1.0f};
    point.ambient = {0.05f, 0.05f, 0.05f, 1.0f};
    point.position = {-2.0f, 2.0f, -1.0f};
    point.range = 8.0f;
    point.attenuation0 = 0.2f;
    point.attenuation1 = 0.15f;
    device.SetLight(2, point);
    device.LightEnable(2, true);
    Light spot;
    spot.type = D3DLIGHT_SPOT;
    spot.diffuse = {0.3f, 0.6f, 1.0f, 1.0f};
    spot.position = {2.0f, 4.0f, 0.0f};
    spot.direction = normalize(Vector3{0.0f, -1.0f, 0.1f});
    spot.range = 20.0f;
    spot.attenuation0 = 1.0f;
    spot.theta = 0.5f;
    spot.phi = 1.0f;
    spot.falloff = 2.0f;
    device.SetLight(5, spot);
    device.LightEnable(5, true);
    device.SetMaterial(material({0.8f, 0.8f, 0.8f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}));
    device.BeginScene();
    // A finely divided floor, so that the lights' falloff shows across it.
    static const auto floor = grid<Vertex>(fvf::positionNormalTexture, 24, [](int i, int j) {
        return Vertex{-5.0f + 10.0f * i / 24, 0.0f, -5.0f + 10.0f * j / 24, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f};
    });
    drawShape(device, floor);
    device.SetTransform(D3DTS_WORLD, translationMatrix(0.5f, 1.0f, 0.5f));
    drawShape(device, ball());
    device.EndScene();
}

void drawTransparentOverOpaqueScene(IDirect3DDevice8& device) {
    clear(device, 0xFF102030);
    setUpCamera(device, {0.0f, 0.0f, -8.0f}, {0.0f, 0.0f, 0.0f});
    setUpTwoLights(device);
    device.BeginScene();
    device.SetMaterial(material({0.9f, 0.7f, 0.2f, 1.0f}, {0.5f, 0.5f, 0.5f, 1.0f}));
    device.SetTransform(D3DTS_WORLD, translationMatrix(-1.0f, 0.0f, 1.5f));
    drawShape(device, ball());
    // A half-transparent ball in front of the opaque one and of the background.
    device.SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device.SetMaterial(material({0.2f, 0.5f, 1.0f, 0.45f}, {0.2f, 0.2f, 0.2f, 1.0f}));
    device.SetTransform(D3DTS_WORLD, scalingMatrix(1.5f, 1.5f, 1.5f) * translationMatrix(0.8f, 0.2f, 0.0f));
    drawShape(device, ball());
    device.EndScene();
}

void drawTexturedQuadScene(IDirect3DDevice8& device) {
    clear(device, 0xFF404040);
    setUpCamera(device, {0.0f, 3.0f, -6.0f}, {0.0f, 0.0f, 1.0f});
    // Checks of two colours over a gradient, with an alpha ramp; not a power of two wide.
    static const auto texture = [] {
        const int w = 48, h = 32;
        std::vector<std::uint32_t> texels;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool check = ((x / 6) + (y / 4)) % 2 == 0;
                const auto r = static_cast<std::uint32_t>(check ? 230 : 40 + x * 3);
                const auto g = static_cast<std::uint32_t>(check ? 200 - y * 4 : 90);
                const auto b = static_cast<std::uint32_t>(check ? 30 : 150 + y * 3);
                const auto a = static_cast<std::uint32_t>(255 - x * 4);
                texels.push_back(a << 24 | r << 16 | g << 8 | b);
            }
        return std::make_shared<Texture>(w, h, std::move(texels));
    }();
    device.BeginScene();
    device.SetTexture(0, texture);
    device.SetRenderState(D3DRS_LIGHTING, 0);
    device.SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    // A floor quad seen in perspective, its coordinates running past 1 so that it wraps.
    const std::vector<Vertex> floor{{-3, 0, -2, 0, 1, 0, -0.5f, 2.5f},
                                    {3, 0, -2, 0, 1, 0, 2.0f, 2.5f},
                                    {3, 0, 6, 0, 1, 0, 2.0f, 0.0f},
                                    {-3, 0, 6, 0, 1, 0, -0.5f, 0.0f}};
    rastertest::draw(device, floor, {0, 1, 2, 0, 2, 3});
    // A lit, blended quad standing on it: the texture modulates the light, its alpha blends.
    setUpTwoLights(device);
    device.SetRenderState(D3DRS_LIGHTING, 1);
    device.SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device.SetMaterial(material({1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}));
    rastertest::draw(device, rastertest::quad(-1.5f, 0.0f, 1.5f, 2.0f, 2.0f), rastertest::quadIndices);
    device.SetTexture(0, nullptr);
    device.EndScene();
}

void drawCullingScene(IDirect3DDevice8& device) {
    clear(device, 0xFF000000);
    device.SetRenderState(D3DRS_LIGHTING, 0);
    // In normalised device coordinates: a clockwise and a counter-clockwise triangle (as
    // seen on the screen), once under each cull mode, each mode in its own third.
    struct ColouredVertex {
        float x, y, z;
        std::uint32_t colour;
    };
    Shape<ColouredVertex> triangles;
    triangles.fvf = fvf::xyz | fvf::diffuse;
    triangles.vertices = {{-0.9f, 0.6f, 0.5f, 0xFFFF4040},  {-0.1f, 0.6f, 0.5f, 0xFF40FF40},
                          {-0.5f, -0.6f, 0.5f, 0xFF4040FF}, {0.1f, -0.6f, 0.5f, 0xFFFFFF00},
                          {0.9f, -0.6f, 0.5f, 0xFF00FFFF},  {0.5f, 0.6f, 0.5f, 0xFFFF00FF}};
    triangles.indices = {0, 1, 2, 3, 4, 5};
    const std::uint32_t third = sceneWidth / 3;
    const std::uint32_t modes[] = {D3DCULL_CCW, D3DCULL_CW, D3DCULL_NONE};
    device.BeginScene();
    for (std::uint32_t i = 0; i < 3; ++i) {
        device.SetViewport({i * third, 20, third, sceneHeight - 40, 0.0f, 1.0f});
        device.SetRenderState(D3DRS_CULLMODE, modes[i]);
        drawShape(device, triangles, false);
    }
    device.EndScene();
}

void drawNearPlaneScene(IDirect3DDevice8& device) {
    clear(device, 0xFF302010);
    setUpCamera(device, {0.0f, 0.6f, -10.0f}, {0.0f, 0.2f, 0.0f});
    setUpTwoLights(device);
    // A floor of coloured vertices running from behind the camera into the distance:
    // the near plane cuts it at the bottom of the view. The vertex colours are the
    // diffuse colour (the default colour source).
    struct FloorVertex {
        float x, y, z;
        float nx, ny, nz;
        std::uint32_t colour;
    };
    const auto floor = grid<FloorVertex>(fvf::xyz | fvf::normal | fvf::diffuse, 6, [](int i, int j) {
        const float x = -12.0f + 4.0f * i, z = -30.0f + 10.0f * j;
        const Vector3 n = normalize(Vector3{0.3f * std::sin(x), 1.0f, 0.3f * std::cos(z)});
        const auto colour = 0xFF000000u | static_cast<std::uint32_t>(40 * i) << 16 |
                            static_cast<std::uint32_t>(40 * j) << 8 | 0x80u;
        return FloorVertex{x, -0.5f, z, n.x, n.y, n.z, colour};
    });
    device.SetMaterial(material({1.0f, 1.0f, 1.0f, 1.0f}, {0.5f, 0.5f, 0.5f, 1.0f}));
    device.BeginScene();
    drawShape(device, floor, false);
    // A ball straddling the near plane too.
    device.SetTransform(D3DTS_WORLD, scalingMatrix(1.5f, 1.5f, 1.5f) * translationMatrix(0.8f, 0.4f, -8.2f));
    drawShape(device, ball(), false);
    device.EndScene();
}

void drawFlatVertexColourScene(IDirect3DDevice8& device) {
    clear(device, 0xFF000000);
    setUpCamera(device, {0.0f, 0.0f, -5.0f}, {0.0f, 0.0f, 0.0f});
    // Unlit: the vertex colours as they are, the specular colour added on top; flat
    // shading takes each triangle's first vertex.
    struct ColouredVertex {
        float x, y, z;
        std::uint32_t diffuse;
        std::uint32_t specular;
    };
    const auto sheet = grid<ColouredVertex>(fvf::xyz | fvf::diffuse | fvf::specular, 5, [](int i, int j) {
        const auto r = static_cast<std::uint32_t>(50 * i), g = static_cast<std::uint32_t>(50 * j);
        return ColouredVertex{-2.0f + 0.8f * i, -1.5f + 0.6f * j, 0.0f,
                              0xFF000000u | r << 16 | g << 8 | 0x60u,
                              0xFF000000u | static_cast<std::uint32_t>(10 * (i + j))};
    });
    device.SetRenderState(D3DRS_LIGHTING, 0);
    device.SetRenderState(D3DRS_SPECULARENABLE, 1);
    device.BeginScene();
    // The lower rows smooth, the upper ones flat.
    const std::uint32_t half = sheet.faceCount() / 2;
    drawShape(device, sheet, false, 0, half);
    device.SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
    drawShape(device, sheet, false, half);
    device.EndScene();
}

struct ModelGridScene::Model {
    explicit Model(LoadedMesh mesh) : loaded(std::move(mesh)) {}
    LoadedMesh loaded;
    Matrix placement;
    std::uint64_t revision = nextContentRevision();
};

ModelGridScene::ModelGridScene(const std::filesystem::path& folder, int count) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".x") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    if (files.empty() || count <= 0) return;
    // Spread the choice over the whole set.
    const std::size_t step = std::max<std::size_t>(1, files.size() / static_cast<std::size_t>(count));
    const int columns = static_cast<int>(std::ceil(std::sqrt(count * 4.0 / 3.0)));
    for (std::size_t i = 0; i < files.size() && static_cast<int>(models_.size()) < count; i += step) {
        auto model = std::make_shared<Model>(loadMeshFromXFile(files[i]));
        const BoundingSphere bounds = boundingSphere(model->loaded.mesh);
        const float scale = bounds.radius > 0.0f ? 0.45f / bounds.radius : 1.0f;
        const int cell = static_cast<int>(models_.size());
        const float x = static_cast<float>(cell % columns) - (columns - 1) * 0.5f;
        const int row = cell / columns, rows = columns * 3 / 4;
        const float y = static_cast<float>(row) - static_cast<float>(rows - 1) * 0.5f;
        model->placement = translationMatrix(-bounds.centre.x, -bounds.centre.y, -bounds.centre.z) *
                           scalingMatrix(scale, scale, scale) * rotationYMatrix(0.6f) *
                           rotationXMatrix(0.4f) * translationMatrix(x, y, 0.0f);
        models_.push_back(std::move(model));
    }
}

int ModelGridScene::modelCount() const { return static_cast<int>(models_.size()); }

void ModelGridScene::draw(IDirect3DDevice8& device) const {
    clear(device, 0xFF283038);
    const int columns = static_cast<int>(std::ceil(std::sqrt(models_.size() * 4.0 / 3.0)));
    setUpCamera(device, {0.0f, 0.0f, -1.05f * columns}, {0.0f, 0.0f, 0.0f});
    setUpTwoLights(device);
    device.BeginScene();
    for (const auto& model : models_) {
        const Mesh& mesh = model->loaded.mesh;
        device.SetTransform(D3DTS_WORLD, model->placement);
        for (const AttributeRange& range : mesh.attributeTable()) {
            Material m = model->loaded.materials.at(range.attributeId).material;
            m.ambient = m.diffuse;
            device.SetMaterial(m);
            device.DrawIndexedTriangles(subsetTriangles(mesh.vertexData().data(), mesh.vertexCount(),
                                                        mesh.fvf(), mesh.indices(), range.faceStart,
                                                        range.faceCount, model->revision));
        }
    }
    device.EndScene();
}

} // namespace bw::gltest
