// Adapter enumeration: which formats and modes are kept, and with which behaviour flags.

#include <gtest/gtest.h>

#include <algorithm>

#include "scene3d/platform/device/Formats.h"
#include "tests/scene3d/init/InitTestSupport.h"

namespace bw::testing {
namespace {

fake::FakeAdapter adapterWithAssortedModes() {
    fake::FakeAdapter adapter = fake::desktopAdapter(1024, 768, D3DFMT_X8R8G8B8);
    adapter.identifier.description = "Assorted modes";
    adapter.modes.insert(adapter.modes.end(), {{1024, 768, 75, D3DFMT_X8R8G8B8}, // refresh differs only
                                               {800, 600, 60, D3DFMT_X8R8G8B8},
                                               {640, 400, 60, D3DFMT_R5G6B5},
                                               {640, 399, 60, D3DFMT_X8R8G8B8},
                                               {639, 480, 60, D3DFMT_X8R8G8B8},
                                               {800, 600, 60, D3DFMT_A8R8G8B8}});
    return adapter;
}

TEST(D3DInitEnumeration, FiltersFormatsAndModesPerDeviceType) {
    FakeDirect3DSource source;
    source.scripted.adapters = {adapterWithAssortedModes()};
    source.scripted.rejectFormat(D3DDEVTYPE_HAL, D3DFMT_A8R8G8B8);
    source.scripted.rejectFormat(D3DDEVTYPE_HAL, D3DFMT_R5G6B5, true);
    RecordingNotifier notifier;
    D3DInit init(notifier, source.function());

    EXPECT_EQ(init.FindFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8), -1); // nothing enumerated yet
    ASSERT_TRUE(init.EnumerateAdapters(nullptr));
    ASSERT_EQ(init.adapterCount(), 1u);
    const AdapterRecord& record = init.adapters().at(0);
    const DeviceTypeLists& hardware = *record.listsFor(D3DDEVTYPE_HAL);
    const DeviceTypeLists& reference = *record.listsFor(D3DDEVTYPE_REF);

    // Without a verifier every format gets software processing, even with hardware T&L.
    EXPECT_EQ(hardware.formats, (std::vector<FormatEntry>{{D3DFMT_X8R8G8B8, 32, true, true},
                                                          {D3DFMT_R5G6B5, 32, true, false}}));
    EXPECT_EQ(reference.findFormat(D3DFMT_A8R8G8B8), 32);
    // 640 x 400 is the smallest kept; a rejected format lists no mode.
    EXPECT_EQ(hardware.modes,
              (std::vector<ModeEntry>{
                  {1024, 768, D3DFMT_X8R8G8B8}, {800, 600, D3DFMT_X8R8G8B8}, {640, 400, D3DFMT_R5G6B5}}));
    EXPECT_EQ(init.FindMode(0, D3DDEVTYPE_REF, {800, 600, D3DFMT_A8R8G8B8}), 3);
    EXPECT_EQ(init.FindMode(1, D3DDEVTYPE_REF, {800, 600, D3DFMT_X8R8G8B8}), -1);
    EXPECT_EQ(init.FindFormat(0, D3DDEVTYPE_SW, D3DFMT_X8R8G8B8), -1);
    EXPECT_EQ(record.identifier.description, "Assorted modes");
    EXPECT_EQ(record.desktopMode, (DisplayMode{1024, 768, 60, D3DFMT_X8R8G8B8}));

    // Formats of both types, then modes of both types, then the identifier.
    const auto& calls = source.latest().calls;
    const auto position = [&](const std::string& call) {
        return std::find(calls.begin(), calls.end(), call);
    };
    EXPECT_LT(position("CheckDeviceType 0 1 22 22 fullscreen"),
              position("CheckDeviceType 0 2 22 22 fullscreen"));
    EXPECT_LT(position("CheckDeviceType 0 2 21 21 windowed"), position("GetAdapterDisplayMode 0"));
    EXPECT_EQ(calls.back(), "GetAdapterIdentifier 0 0");
}

TEST(D3DInitEnumeration, VerifierChoosesProcessingAndCanRefuseFormats) {
    FakeDirect3DSource source;
    source.scripted.adapters = {adapterWithAssortedModes(), adapterWithAssortedModes()};
    source.scripted.rejectFormat(D3DDEVTYPE_HAL, D3DFMT_A8R8G8B8);
    auto verifier = std::make_shared<ScriptedVerifier>();
    verifier->consents = {{64, D3DFMT_X8R8G8B8}, {32, D3DFMT_X8R8G8B8}, {32, D3DFMT_A8R8G8B8}};
    RecordingNotifier notifier;
    D3DInit init(notifier, source.function());

    ASSERT_TRUE(init.EnumerateAdapters(verifier));
    EXPECT_EQ(init.verifier(), verifier);
    for (std::uint32_t adapter = 0; adapter < 2; ++adapter) {
        EXPECT_EQ(init.FindFormat(adapter, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8), 64);
        EXPECT_EQ(init.FindFormat(adapter, D3DDEVTYPE_HAL, D3DFMT_R5G6B5), -1);
        EXPECT_EQ(init.FindMode(adapter, D3DDEVTYPE_HAL, {640, 400, D3DFMT_R5G6B5}), -1);
        // No hardware T&L on the reference device: software processing at best.
        EXPECT_EQ(init.FindFormat(adapter, D3DDEVTYPE_REF, D3DFMT_X8R8G8B8), 32);
    }
    // A format the device refuses both ways is never put to the verifier.
    EXPECT_EQ(std::count(verifier->asked.begin(), verifier->asked.end(), std::pair{64u, D3DFMT_A8R8G8B8}), 0);

    ASSERT_TRUE(init.EnumerateAdapters(nullptr));
    EXPECT_EQ(init.verifier(), nullptr);
    EXPECT_EQ(init.FindFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8), 32);
}

TEST(D3DInitEnumeration, CheckFormatAnswersPerWindowingAndRecordsCapabilities) {
    FakeDirect3DSource source;
    source.scripted.adapters = {adapterWithAssortedModes()};
    source.scripted.rejectFormat(D3DDEVTYPE_HAL, D3DFMT_R5G6B5, false);
    RecordingNotifier notifier;
    D3DInit init(notifier, source.function());
    bool fullscreen = true, windowed = false;
    EXPECT_EQ(init.CheckFormat(0, D3DDEVTYPE_REF, D3DFMT_X8R8G8B8, fullscreen, windowed), -1); // no object

    ASSERT_TRUE(init.EnumerateAdapters(nullptr));
    EXPECT_EQ(init.CheckFormat(0, D3DDEVTYPE_HAL, D3DFMT_R5G6B5, fullscreen, windowed), 32);
    EXPECT_FALSE(fullscreen);
    EXPECT_TRUE(windowed);
    EXPECT_TRUE(init.deviceCaps().devCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT);
    EXPECT_TRUE(init.adapters()[0].caps.devCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT);

    source.latest().hardwareAvailable = false;
    EXPECT_EQ(init.CheckFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, fullscreen, windowed), -1);
    EXPECT_FALSE(fullscreen || windowed);
}

} // namespace
} // namespace bw::testing
