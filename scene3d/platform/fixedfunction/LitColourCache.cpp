#include "scene3d/platform/fixedfunction/LitColourCache.h"

#include <cstring>
#include <functional>
#include <type_traits>

namespace bw::fixedfunction {

namespace {

// Appends the bytes of values made of 32-bit fields alone, as they are.
template <typename T> void appendBits(std::vector<std::uint32_t>& out, const T& value) {
    static_assert(std::is_trivially_copyable_v<T> && sizeof(T) % sizeof(std::uint32_t) == 0);
    const std::size_t at = out.size();
    out.resize(at + sizeof(T) / sizeof(std::uint32_t));
    std::memcpy(out.data() + at, &value, sizeof(T));
}

static_assert(sizeof(Light) == 26 * sizeof(std::uint32_t), "a light is 32-bit fields without padding");
static_assert(sizeof(Material) == 17 * sizeof(std::uint32_t));
static_assert(sizeof(Matrix) == 16 * sizeof(std::uint32_t));

} // namespace

void lightingInputsOf(const FixedFunctionState& state, const VertexFields& fields,
                      std::vector<std::uint32_t>& inputs) {
    inputs.clear();
    // The normal matrix follows from the world matrix.
    appendBits(inputs, state.world);
    inputs.insert(inputs.end(),
                  {static_cast<std::uint32_t>(fields.normal), static_cast<std::uint32_t>(fields.diffuse),
                   static_cast<std::uint32_t>(fields.specular)});
    const auto& rs = state.renderStates;
    const bool specular = rs[D3DRS_SPECULARENABLE] != 0;
    inputs.insert(inputs.end(),
                  {rs[D3DRS_AMBIENT], rs[D3DRS_COLORVERTEX], rs[D3DRS_DIFFUSEMATERIALSOURCE],
                   rs[D3DRS_AMBIENTMATERIALSOURCE], rs[D3DRS_SPECULARMATERIALSOURCE],
                   rs[D3DRS_EMISSIVEMATERIALSOURCE], specular ? 1u : 0u, rs[D3DRS_LOCALVIEWER]});
    appendBits(inputs, state.material);
    // Enabled lights in slot order (the order their terms are summed in), then their count,
    // so that no two sets of lights give the same inputs.
    std::uint32_t lights = 0;
    for (const LightSlot& slot : state.lights) {
        if (!slot.enabled) continue;
        appendBits(inputs, slot.light);
        ++lights;
    }
    inputs.push_back(lights);
    // Only specular highlights look at the viewer: the camera may turn around a diffuse scene.
    if (specular) appendBits(inputs, state.view);
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
                                        const FixedFunctionState& state) {
    if (state.renderStates[D3DRS_LIGHTING] == 0 || batch.contentRevision == 0) return {};
    std::vector<Entry>& entries =
        ranges_[Key{batch.contentRevision, batch.vertices, stride, batch.fvf, first, count}];
    lightingInputsOf(state, fields, inputs_);
    Entry* replaced = nullptr;
    for (Entry& entry : entries) {
        if (entry.inputs == inputs_) {
            entry.lastScene = scene_;
            return {entry.colours.data(), true};
        }
        if (!replaced && entry.lastScene + 1 < scene_) replaced = &entry;
    }
    Entry& entry = replaced ? *replaced : entries.emplace_back();
    entry.inputs = inputs_;
    entry.colours.resize(count);
    entry.lastScene = scene_;
    return {entry.colours.data(), false};
}

void LitColourCache::endScene() {
    ++scene_;
    if (scene_ % scenesBetweenSweeps != 0) return;
    ranges_.eraseIf([this](const Key&, std::vector<Entry>& entries) {
        std::erase_if(entries, [this](const Entry& entry) { return entry.lastScene + scenesKept < scene_; });
        return entries.empty();
    });
}

std::size_t LitColourCache::entryCount() const {
    std::size_t count = 0;
    ranges_.forEach([&count](const Key&, const std::vector<Entry>& entries) { count += entries.size(); });
    return count;
}

} // namespace bw::fixedfunction
