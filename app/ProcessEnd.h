#pragma once
// How the program ends once its event loop is over.

namespace bw::app {

// Ends the process with this status, without tearing down what it built. By the time the
// event loop is over, Exit has written the settings and the design has been saved or
// given up by the user; destroying the model's thousand frames, the windows, the toolkit
// and the graphics driver would only give back memory that the system takes back at once
// (about a tenth of the start-up's time, twice that with OpenGL). What was written to the
// standard streams is flushed first.
//
// Builds checked by a sanitizer return instead, so that the teardown stays checked.
void endWithoutTeardown(int status);

} // namespace bw::app
