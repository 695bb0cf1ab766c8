#pragma once
// Device set-up speaks to the user through real message boxes.

#include "scene3d/init/UserNotifier.h"

class QWidget;

namespace bw::app {

class MessageBoxNotifier : public UserNotifier {
public:
    explicit MessageBoxNotifier(QWidget* parent) : parent_(parent) {}

    void showInformation(const std::string& title, const std::string& text) override;
    void showError(const std::string& title, const std::string& text) override;
    // Ends the process at once: the program cannot go on without a device.
    void endProgram() override;

private:
    QWidget* parent_;
};

// "Unable to initialize 3D device!" with an OK button and no icon.
void showNoDeviceBox(QWidget* parent);

} // namespace bw::app
