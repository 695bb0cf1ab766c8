#pragma once
// The toolkit reads the font configuration and the font cache the first time a window
// draws text, which is most of what showing the first window costs. This starts that
// reading on another core as the program starts, while the main thread makes the
// application and its windows.

#include <thread>

namespace bw::app {

class ToolkitWarmUp {
public:
    ToolkitWarmUp();
    ~ToolkitWarmUp();
    ToolkitWarmUp(const ToolkitWarmUp&) = delete;
    ToolkitWarmUp& operator=(const ToolkitWarmUp&) = delete;

    // Waits until the reading is done. Call it before the first text is drawn: the
    // toolkit would otherwise start the same reading a second time meanwhile.
    void wait();

private:
    std::thread thread_;
};

// Calls the function of that name, taking no arguments and returning an int, in the
// shared library of that name if the process has loaded it already; never loads a
// library. Whether it was called.
bool callIfLoaded(const char* library, const char* function);

} // namespace bw::app
