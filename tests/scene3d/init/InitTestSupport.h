#pragma once
// Doubles for device set-up tests: a notifier that records what the user would see, a
// scripted verifier, and a source of fake Direct3D objects.

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "scene3d/init/D3DInit.h"
#include "tests/support/FakeDirect3D.h"

namespace bw::testing {

struct RecordingNotifier : UserNotifier {
    std::vector<std::string> events; // "information: text", "error: text", "end"
    std::string lastTitle;

    void showInformation(const std::string& title, const std::string& text) override {
        lastTitle = title;
        events.push_back("information: " + text);
    }
    void showError(const std::string& title, const std::string& text) override {
        lastTitle = title;
        events.push_back("error: " + text);
    }
    void endProgram() override { events.push_back("end"); }
};

// Consents to the listed (flags, format) pairs only, and records every question.
struct ScriptedVerifier : DeviceVerifier {
    std::set<std::pair<std::uint32_t, std::uint32_t>> consents;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> asked;

    bool VerifyDevice(std::uint32_t flags, std::uint32_t format) override {
        asked.emplace_back(flags, format);
        return consents.contains({flags, format});
    }
};

// Every Direct3D object made is a copy of `scripted`, so that replacements can be seen.
struct FakeDirect3DSource {
    fake::FakeDirect3D scripted;
    std::vector<std::shared_ptr<fake::FakeDirect3D>> made;

    Direct3DCreateFunction function() {
        return [this] { return made.emplace_back(std::make_shared<fake::FakeDirect3D>(scripted)); };
    }
    fake::FakeDirect3D& latest() { return *made.back(); }
};

} // namespace bw::testing
