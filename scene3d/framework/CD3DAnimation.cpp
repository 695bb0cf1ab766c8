#include "scene3d/framework/CD3DAnimation.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "scene3d/math/Transforms.h"
#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/xfile/LoadBudget.h"
#include "scene3d/platform/xfile/XDataObject.h"

namespace bw {
namespace {

enum KeyType : std::uint32_t {
    rotationKeyType = 0,
    scaleKeyType = 1,
    positionKeyType = 2,
    matrixKeyType = 4
};

// Bytes of one key record: time, value count and the values.
std::size_t keyRecordSize(std::uint32_t keyType) {
    switch (keyType) {
    case rotationKeyType:
        return 24;
    case scaleKeyType:
    case positionKeyType:
        return 20;
    case matrixKeyType:
        return 72;
    default:
        return 0;
    }
}

// t taken back into the span of a key list whose last key is at lastTime. A last time of 0
// would divide by zero; such a list does not wrap.
float wrapTime(float t, std::int32_t lastTime) {
    if (lastTime == 0 || !(t > static_cast<float>(lastTime))) return t;
    const double turns = std::trunc(std::nearbyint(static_cast<double>(t)) / lastTime);
    return static_cast<float>(static_cast<double>(t) - static_cast<double>(lastTime) * turns);
}

// The value at time u between the first key later than u and the one before it; empty when
// no key is later than u.
template <typename Key, typename ValueOf, typename Interpolate>
auto keyValueAt(const std::vector<Key>& keys, float u, ValueOf valueOf, Interpolate interpolate)
    -> std::optional<decltype(valueOf(keys.front()))> {
    const auto later = std::find_if(keys.begin(), keys.end(),
                                    [u](const Key& key) { return static_cast<float>(key.time) > u; });
    if (later == keys.end()) return std::nullopt;
    const Key& cur = *later;
    const Key& prev = later == keys.begin() ? cur : *(later - 1);
    float alpha = 1.0f;
    if (cur.time != prev.time)
        alpha = static_cast<float>((static_cast<double>(u) - prev.time) /
                                   (static_cast<double>(cur.time) - prev.time));
    return interpolate(valueOf(prev), valueOf(cur), alpha);
}

Vector3 lerpVector(Vector3 a, Vector3 b, float alpha) { return a + alpha * (b - a); }

std::optional<Vector3> vectorAt(const std::vector<VectorKey>& keys, float t) {
    if (keys.empty()) return std::nullopt;
    return keyValueAt(
        keys, wrapTime(t, keys.back().time), [](const VectorKey& key) { return key.value; }, lerpVector);
}

} // namespace

void CD3DAnimation::AddChild(AnimationPtr child) {
    if (child) children_.add(std::move(child));
}

void CD3DAnimation::SetFrame(FramePtr frame) {
    frame_ = std::move(frame);
    frameName_ = frame_ ? frame_->ObjectName : std::string();
}

void CD3DAnimation::AddRotateKey(std::int32_t time, const Quaternion& quat) {
    rotateKeys_.push_back({time, quat});
}

void CD3DAnimation::AddScaleKey(std::int32_t time, Vector3 scalevec) {
    scaleKeys_.push_back({time, 3, scalevec});
}

void CD3DAnimation::AddPositionKey(std::int32_t time, Vector3 posvec) {
    positionKeys_.push_back({time, 3, posvec});
}

void CD3DAnimation::SetTime(float t) {
    if (settingTime_) return;
    settingTime_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{settingTime_};

    for (std::int32_t i = 0; i < children_.count(); ++i)
        if (AnimationPtr child = children_.at(i)) child->SetTime(t);
    if (!frame_) return;
    if (!applyMatrixKeys(t)) return;

    Vector3 scale{1.0f, 1.0f, 1.0f};
    Quaternion rotation = identityQuaternion();
    Vector3 position;
    if (auto value = vectorAt(positionKeys_, t)) position = *value;
    if (auto value = vectorAt(scaleKeys_, t)) scale = *value;
    if (!rotateKeys_.empty()) {
        // A single rotation key does not wrap.
        const float u = rotateKeys_.size() >= 2 ? wrapTime(t, rotateKeys_.back().time) : t;
        if (auto value = keyValueAt(
                rotateKeys_, u, [](const RotateKey& key) { return key.quat; }, slerp))
            rotation = *value;
    }
    frame_->SetMatrix(scalingMatrix(scale.x, scale.y, scale.z) * rotationQuaternionMatrix(rotation) *
                      translationMatrix(position.x, position.y, position.z));
}

bool CD3DAnimation::applyMatrixKeys(float t) {
    if (matrixKeys_.empty()) return true;
    const auto count = static_cast<std::int32_t>(matrixKeys_.size());
    const float u = wrapTime(t, matrixKeys_.back().time);
    const auto timeOf = [this](std::int32_t k) {
        return static_cast<float>(matrixKeys_[static_cast<std::size_t>(k)].time);
    };
    std::int32_t i = lastMatrixKey_;
    if (i < count - 2) {
        if (timeOf(i) < u && u <= timeOf(i + 1)) return false;
        if (timeOf(i + 1) < u && u <= timeOf(i + 2)) {
            if (++i >= count) i = 0;
            frame_->SetMatrix(matrixKeys_[static_cast<std::size_t>(i)].matrix);
        }
    }
    for (std::int32_t k = 0; k < count; ++k) {
        if (timeOf(k) > u) {
            frame_->SetMatrix(matrixKeys_[static_cast<std::size_t>(k)].matrix);
            i = k;
        }
    }
    lastMatrixKey_ = i;
    return true;
}

void CD3DAnimation::LoadAnimationSet(IDirect3DDevice8& dev, TextureCache& textures, LoadBudget& budget,
                                     const XDataObject& set, const FramePtr& frameRoot) {
    ObjectName = set.name;
    for (const XChild& child : set.children) {
        try {
            if (!child.isReference() && child.object().templateName != "TID_D3DRMAnimation") continue;
            const XDataObject& animation = child.object();
            budget.countObject();
            auto animationChild = std::make_shared<CD3DAnimation>();
            AddChild(animationChild);
            animationChild->LoadAnimation(dev, textures, budget, animation, frameRoot);
        } catch (const PlatformError& error) {
            if (refusesFile(error)) throw;
            // A reference to nothing names no animation.
        }
    }
}

void CD3DAnimation::LoadAnimation(IDirect3DDevice8& dev, TextureCache& textures, LoadBudget& budget,
                                  const XDataObject& animation, const FramePtr& frameRoot) {
    ObjectName = animation.name;
    for (const XChild& child : animation.children) {
        try {
            const XDataObject& object = child.object();
            const std::string_view type = object.templateName;
            if (child.isReference()) {
                if (type != "TID_D3DRMFrame") continue;
                frameName_ = object.name;
                if (!frameRoot) continue;
                const SceneObject found = frameRoot->FindChildObject(frameName_);
                if (found.mesh) continue; // a mesh of that name is no frame to drive
                frame_ = found.frame;
            } else if (type == "TID_D3DRMFrame") {
                if (frameRoot) CD3DFrame::Create()->LoadXOFFrame(dev, textures, budget, object, frameRoot);
            } else if (type == "TID_D3DRMAnimationKey") {
                readAnimationKey(object);
            }
        } catch (const PlatformError& error) {
            if (refusesFile(error)) throw;
            // Passed over; the animation keeps what the other objects give it.
        }
    }
}

void CD3DAnimation::readAnimationKey(const XDataObject& key) {
    XDataReader reader(key);
    const std::uint32_t keyType = reader.dword();
    const std::uint32_t keyCount = reader.dword();
    const std::size_t recordSize = keyRecordSize(keyType);
    if (recordSize == 0) return;
    // Checked before anything is read, so that a short object leaves the keys as they were.
    if (std::uint64_t{keyCount} * recordSize > reader.remaining())
        throw PlatformError(result::invalidData, "animation key holds fewer keys than it declares");

    const auto time = [&reader] { return static_cast<std::int32_t>(reader.dword()); };
    const auto valueCount = [&reader] { return static_cast<std::int32_t>(reader.dword()); };
    const auto vector = [&reader] {
        const float x = reader.floatValue();
        const float y = reader.floatValue();
        return Vector3{x, y, reader.floatValue()};
    };
    switch (keyType) {
    case rotationKeyType: {
        std::vector<RotateKey> keys(keyCount);
        for (RotateKey& k : keys) {
            k.time = time();
            valueCount();
            const float w = reader.floatValue();
            const Vector3 v = vector();
            // The file's keys turn the other way round: (x, y, z, -w) is the inverse rotation.
            k.quat = {v.x, v.y, v.z, -w};
        }
        rotateKeys_ = std::move(keys);
        break;
    }
    case scaleKeyType:
    case positionKeyType: {
        std::vector<VectorKey> keys(keyCount);
        for (VectorKey& k : keys) {
            k.time = time();
            k.valueCount = valueCount();
            k.value = vector();
        }
        (keyType == scaleKeyType ? scaleKeys_ : positionKeys_) = std::move(keys);
        break;
    }
    case matrixKeyType: {
        std::vector<MatrixKey> keys(keyCount);
        for (MatrixKey& k : keys) {
            k.time = time();
            k.valueCount = valueCount();
            for (auto& row : k.matrix.m)
                for (float& element : row)
                    element = reader.floatValue();
        }
        matrixKeys_ = std::move(keys);
        break;
    }
    default:
        break;
    }
}

} // namespace bw
