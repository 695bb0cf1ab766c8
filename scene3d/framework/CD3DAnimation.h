#pragma once
// Keyframe animation of one frame's local matrix, and a tree of such animations that one
// SetTime call moves together. Read from the AnimationSet objects of a .x file or built
// with the Add calls. Keys are expected in increasing time order; nothing sorts them.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "scene3d/framework/CD3DFrame.h"
#include "scene3d/framework/GrowingList.h"
#include "scene3d/math/Matrix.h"
#include "scene3d/math/Quaternion.h"
#include "scene3d/math/Vector3.h"

namespace bw {

class IDirect3DDevice8;
class TextureCache;
class XDataObject;

class CD3DAnimation;
using AnimationPtr = std::shared_ptr<CD3DAnimation>;

struct RotateKey {
    std::int32_t time = 0;
    Quaternion quat;
};

// Scale and position keys keep the value count the file stored with them (3).
struct VectorKey {
    std::int32_t time = 0;
    std::int32_t valueCount = 3;
    Vector3 value;
};

struct MatrixKey {
    std::int32_t time = 0;
    std::int32_t valueCount = 16;
    Matrix matrix;
};

class CD3DAnimation {
public:
    std::string ObjectName;

    // Throws PlatformError outside the allocated entries (steps of 10); an allocated
    // entry beyond the count is empty.
    AnimationPtr GetChild(std::int32_t num) const { return children_.at(num); }
    std::int32_t GetChildCount() const { return children_.count(); }
    // An empty child is ignored.
    void AddChild(AnimationPtr child);
    // Empties the children from index count on; the allocation stays.
    void truncateChildren(std::int32_t count) { children_.truncate(count); }

    // The frame whose local matrix this animation drives; its name is kept as well.
    void SetFrame(FramePtr frame);
    FramePtr GetFrame() const { return frame_; }
    const std::string& frameName() const { return frameName_; }

    // Sets the children, then this animation's frame, to time t (in the keys' units).
    // A time past the last key wraps around; the frame's local matrix becomes
    // scaling x rotation x translation of the values interpolated at that time.
    void SetTime(float t);

    void AddRotateKey(std::int32_t time, const Quaternion& quat);
    void AddScaleKey(std::int32_t time, Vector3 scalevec);
    void AddPositionKey(std::int32_t time, Vector3 posvec);

    const std::vector<RotateKey>& rotateKeys() const { return rotateKeys_; }
    const std::vector<MatrixKey>& matrixKeys() const { return matrixKeys_; }

    // Reads an AnimationSet data object into this animation: each Animation in it (written
    // inside or referenced) becomes a child. Animated frames are looked up by name under
    // frameRoot. An object that cannot be read is passed over. Every animation and frame
    // made counts against budget; passing its limits throws PlatformError (overBudget).
    void LoadAnimationSet(IDirect3DDevice8& dev, TextureCache& textures, LoadBudget& budget,
                          const XDataObject& set, const FramePtr& frameRoot);
    // Reads one Animation data object: its frame reference, its keys, and any frame written
    // inside it (added under frameRoot, not animated). An object that cannot be read is
    // passed over; budget as above.
    void LoadAnimation(IDirect3DDevice8& dev, TextureCache& textures, LoadBudget& budget,
                       const XDataObject& animation, const FramePtr& frameRoot);

private:
    void readAnimationKey(const XDataObject& key);
    // False when the matrix keys say the frame is already where this time puts it.
    bool applyMatrixKeys(float t);

    std::vector<RotateKey> rotateKeys_;
    std::vector<VectorKey> scaleKeys_;
    std::vector<VectorKey> positionKeys_;
    std::vector<MatrixKey> matrixKeys_;
    std::string frameName_;
    FramePtr frame_;
    std::int32_t lastMatrixKey_ = 0;
    GrowingList<AnimationPtr, 10> children_;
    bool settingTime_ = false; // passes by an animation made its own descendant
};

} // namespace bw
