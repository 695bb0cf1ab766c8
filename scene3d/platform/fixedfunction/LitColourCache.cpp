#include "scene3d/platform/fixedfunction/LitColourCache.h"

#include <bit>
#include <functional>

namespace bw::fixedfunction {

namespace {

class Bits {
public:
    explicit Bits(std::vector<std::uint32_t>& out) : out_(out) {}

    void add(std::uint32_t value) { out_.push_back(value); }
    void add(int value) { out_.push_back(static_cast<std::uint32_t>(value)); }
    void add(bool value) { out_.push_back(value ? 1u : 0u); }
    void add(float value) { out_.push_back(std::bit_cast<std::uint32_t>(value)); }
    void add(ColourSource source) { add(static_cast<std::uint32_t>(source)); }
    void add(const Vector3& v) { add(v.x), add(v.y), add(v.z); }
    void add(const ColorValue& c) { add(c.r), add(c.g), add(c.b), add(c.a); }
    void add(const Matrix& m) {
        for (const auto& row : m.m)
            for (const float value : row)
                add(value);
    }
    void add(const Material& m) {
        add(m.diffuse), add(m.ambient), add(m.specular), add(m.emissive), add(m.power);
    }
    void add(const ActiveLight& l) {
        add(static_cast<std::uint32_t>(l.type)), add(l.toLight), add(l.position), add(l.direction);
        add(l.diffuse), add(l.specular), add(l.ambient), add(l.range);
        add(l.attenuation0), add(l.attenuation1), add(l.attenuation2);
        add(l.cosHalfTheta), add(l.cosHalfPhi), add(l.falloff);
    }

private:
    std::vector<std::uint32_t>& out_;
};

} // namespace

void lightingInputsOf(const VertexProcessingSetup& setup, const VertexFields& fields,
                      std::vector<std::uint32_t>& inputs) {
    inputs.clear();
    Bits bits(inputs);
    bits.add(fields.normal), bits.add(fields.diffuse), bits.add(fields.specular);
    // The normal matrix follows from the world matrix.
    bits.add(setup.world);
    const LightingSetup& l = setup.lightingSetup;
    bits.add(l.lightCount);
    for (int i = 0; i < l.lightCount; ++i)
        bits.add(l.lights[i]);
    bits.add(l.globalAmbient), bits.add(l.material);
    bits.add(l.diffuseSource), bits.add(l.ambientSource), bits.add(l.specularSource),
        bits.add(l.emissiveSource);
    bits.add(l.specular), bits.add(l.localViewer), bits.add(l.needsPosition);
    // Only specular highlights look at the viewer: the camera may turn around a diffuse scene.
    if (l.specular) bits.add(l.eyePosition), bits.add(l.towardsViewer);
}

std::size_t LitColourCache::KeyHash::operator()(const Key& key) const {
    std::size_t h = std::hash<std::uint64_t>{}(key.revision);
    for (const std::uint64_t part :
         {static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(key.vertices)),
          (std::uint64_t{key.stride} << 32) | key.fvf, (std::uint64_t{key.first} << 32) | key.count})
        h = h * 0x9E3779B97F4A7C15ull + std::hash<std::uint64_t>{}(part);
    return h;
}

LitColourStore LitColourCache::storeFor(const IndexedTriangles& batch, const VertexFields& fields,
                                        std::uint32_t stride, std::uint32_t first, std::uint32_t count,
                                        const VertexProcessingSetup& setup) {
    if (!setup.lighting || batch.contentRevision == 0) return {};
    Entry& entry = entries_[Key{batch.contentRevision, batch.vertices, stride, batch.fvf, first, count}];
    entry.lastScene = scene_;
    lightingInputsOf(setup, fields, inputs_);
    if (entry.colours.size() == count && entry.inputs == inputs_) return {entry.colours.data(), true};
    entry.inputs = inputs_;
    entry.colours.resize(count);
    return {entry.colours.data(), false};
}

void LitColourCache::endScene() {
    ++scene_;
    if (scene_ % scenesBetweenSweeps != 0) return;
    std::erase_if(entries_, [this](const auto& item) { return item.second.lastScene + scenesKept < scene_; });
}

} // namespace bw::fixedfunction
