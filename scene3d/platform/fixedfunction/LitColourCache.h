#pragma once
// Lit vertex colours kept across frames. A mesh that does not move, under lights and a
// material that do not change, lights the same every frame: a draw whose vertices carry
// the same content revision (see IndexedTriangles.h) as an earlier draw's, and whose
// lighting inputs are the same bit for bit, takes that draw's colours instead of lighting
// again. One entry per vertex range, replaced when its inputs change; entries not drawn
// for scenesKept scenes are dropped, so that released meshes do not pile up.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "scene3d/platform/device/IndexedTriangles.h"
#include "scene3d/platform/fixedfunction/VertexProcessor.h"

namespace bw::fixedfunction {

// Everything lighting reads besides the vertices themselves, as raw bits, so that
// equal inputs give bit-identical colours.
void lightingInputsOf(const VertexProcessingSetup& setup, const VertexFields& fields,
                      std::vector<std::uint32_t>& inputs);

class LitColourCache {
public:
    static constexpr std::uint64_t scenesKept = 60;
    static constexpr std::uint64_t scenesBetweenSweeps = 16;

    // The store for vertices first .. first + count - 1 of the batch, lit under setup:
    // valid when an earlier draw left their colours; otherwise the caller fills every one
    // of them before the next call. No store when lighting is off or the batch names no
    // revision.
    LitColourStore storeFor(const IndexedTriangles& batch, const VertexFields& fields, std::uint32_t stride,
                            std::uint32_t first, std::uint32_t count, const VertexProcessingSetup& setup);
    // Ends a scene; now and then drops the entries not drawn during the last scenesKept
    // scenes (looking at every entry each scene would cost more than it frees).
    void endScene();
    void clear() { entries_.clear(); }
    std::size_t entryCount() const { return entries_.size(); }

private:
    struct Key {
        std::uint64_t revision;
        const void* vertices;
        std::uint32_t stride;
        std::uint32_t fvf;
        std::uint32_t first;
        std::uint32_t count;
        friend bool operator==(const Key&, const Key&) = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };
    struct Entry {
        std::vector<std::uint32_t> inputs;
        std::vector<LitColour> colours;
        std::uint64_t lastScene = 0;
    };

    std::unordered_map<Key, Entry, KeyHash> entries_;
    std::vector<std::uint32_t> inputs_; // of the current draw, kept to reuse its memory
    std::uint64_t scene_ = 0;
};

} // namespace bw::fixedfunction
