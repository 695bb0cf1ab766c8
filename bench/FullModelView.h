#pragma once
// The PC model as the program holds it after start-up, in a model view drawing into a
// 1024 x 768 window that drops its pictures, with every part frame switched on: the
// heaviest scene a user can build, drawn and picked through the program's own code.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/DiscardingWindow.h"
#include "bench/ModelFolder.h"
#include "modelview/ModelView.h"

namespace bench {

inline constexpr int viewWidth = 1024;
inline constexpr int viewHeight = 768;

enum class DeviceKind { Reference, OpenGL };

class FullModelView {
public:
    // Needs a QGuiApplication. Throws std::runtime_error when the kind of device asked
    // for cannot be had here (the program would have fallen back to another).
    explicit FullModelView(DeviceKind kind, const std::filesystem::path& folder = modelFolder());
    ~FullModelView();
    FullModelView(const FullModelView&) = delete;
    FullModelView& operator=(const FullModelView&) = delete;

    bw::modelview::ModelView& view() { return *view_; }
    const DiscardingWindow& window() const { return window_; }

private:
    class Notifier : public bw::UserNotifier {
    public:
        void showInformation(const std::string&, const std::string& text) override { said.push_back(text); }
        void showError(const std::string&, const std::string& text) override { said.push_back(text); }
        void endProgram() override { said.emplace_back("(the program would end here)"); }
        std::vector<std::string> said;
    };

    Notifier notifier_;
    DiscardingWindow window_{viewWidth, viewHeight};
    std::unique_ptr<bw::modelview::ModelView> view_;
};

} // namespace bench
