#pragma once
// The PC model as the program holds it after start-up, in a model view drawing into a
// window (1024 x 768 unless asked otherwise) that drops its pictures, with every part
// frame switched on: the heaviest scene a user can build, drawn and picked through the
// program's own code.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bench/DiscardingWindow.h"
#include "bench/ModelFolder.h"
#include "modelview/ModelView.h"

namespace bench {

struct ViewSize {
    int width = 1024;
    int height = 768;
};

// Reads "WIDTHxHEIGHT" (both 1 .. 16384); empty when the text is not such a size.
std::optional<ViewSize> parseViewSize(std::string_view text);

enum class DeviceKind { Reference, OpenGL };

class FullModelView {
public:
    // Needs a QGuiApplication. Throws std::runtime_error when the kind of device asked
    // for cannot be had here (the program would have fallen back to another).
    FullModelView(DeviceKind kind, ViewSize size, const std::filesystem::path& folder = modelFolder());
    ~FullModelView();
    FullModelView(const FullModelView&) = delete;
    FullModelView& operator=(const FullModelView&) = delete;

    bw::modelview::ModelView& view() { return *view_; }
    DiscardingWindow& window() { return window_; }
    ViewSize size() const { return size_; }

private:
    class Notifier : public bw::UserNotifier {
    public:
        void showInformation(const std::string&, const std::string& text) override { said.push_back(text); }
        void showError(const std::string&, const std::string& text) override { said.push_back(text); }
        void endProgram() override { said.emplace_back("(the program would end here)"); }
        std::vector<std::string> said;
    };

    Notifier notifier_;
    ViewSize size_;
    DiscardingWindow window_;
    std::unique_ptr<bw::modelview::ModelView> view_;
};

} // namespace bench
