#pragma once
// How device set-up speaks to the user: message boxes, and the end of the program when no
// device can be made at all. The application shows real boxes; tests record what was said.

#include <string>

namespace bw {

class UserNotifier {
public:
    virtual ~UserNotifier() = default;

    // A box with the information icon and an OK button; returns once it is dismissed.
    virtual void showInformation(const std::string& title, const std::string& text) = 0;
    // A box with the error icon and an OK button; returns once it is dismissed.
    virtual void showError(const std::string& title, const std::string& text) = 0;
    // Ends the program at once; nothing is saved.
    virtual void endProgram() = 0;
};

} // namespace bw
