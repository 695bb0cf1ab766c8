#pragma once
// Lit vertex colours kept across frames. A mesh that does not move, under lights and a
// material that do not change, lights the same every frame: a draw whose vertices carry
// the same content revision (see IndexedTriangles.h) as an earlier draw's, and whose
// lighting inputs are the same bit for bit, takes that draw's colours instead of lighting
// again. The inputs are read from the device state as set, so that a draw that finds its
// colours needs no lighting set-up at all.
//
// A vertex range keeps one set of colours per lighting it was drawn under lately: a mesh
// placed several times is drawn under several world matrices in every frame. A set not
// drawn in this scene or the last is the first to be replaced, so that a moving mesh
// (whose inputs change every frame) keeps no more than two; sets not drawn for scenesKept
// scenes are dropped, so that released meshes do not pile up.

#include <cstdint>
#include <vector>

#include "scene3d/platform/common/FlatMap.h"
#include "scene3d/platform/device/IndexedTriangles.h"
#include "scene3d/platform/fixedfunction/PipelineState.h"
#include "scene3d/platform/fixedfunction/VertexProcessor.h"

namespace bw::fixedfunction {

// Everything lighting reads besides the vertices themselves, as raw bits, so that equal
// inputs give bit-identical colours; the world matrix first, where the placements of one
// mesh differ.
void lightingInputsOf(const FixedFunctionState& state, const VertexFields& fields,
                      std::vector<std::uint32_t>& inputs);

class LitColourCache {
public:
    static constexpr std::uint64_t scenesKept = 60;
    static constexpr std::uint64_t scenesBetweenSweeps = 16;

    // The store for vertices first .. first + count - 1 of the batch, lit under state:
    // valid when an earlier draw left their colours; otherwise the caller fills every one
    // of them before the next call. No store when lighting is off or the batch names no
    // revision.
    LitColourStore storeFor(const IndexedTriangles& batch, const VertexFields& fields, std::uint32_t stride,
                            std::uint32_t first, std::uint32_t count, const FixedFunctionState& state);
    // Ends a scene; now and then drops the colours not drawn during the last scenesKept
    // scenes (looking at every set each scene would cost more than it frees).
    void endScene();
    void clear() { ranges_.clear(); }
    // Sets of colours kept, over all vertex ranges.
    std::size_t entryCount() const;

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

    FlatMap<Key, std::vector<Entry>, KeyHash> ranges_;
    std::vector<std::uint32_t> inputs_; // of the current draw, kept to reuse its memory
    std::uint64_t scene_ = 0;
};

} // namespace bw::fixedfunction
