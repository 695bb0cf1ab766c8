#pragma once
// For timing start-up from outside (scripts/bench.sh): with the environment variable
// BOARDWRIGHT_EXIT_AT_DESIGN_DIALOG=1 the program ends, through Exit, as soon as the
// Design dialog that closes start-up has been drawn on the screen.

namespace bw::app {

class Frmmain;

// The environment asks for it.
bool exitAtDesignDialogRequested();

// Runs window's Exit once the Design dialog (frm1) has been painted, from the event loop.
void exitOnceDesignDialogDrawn(Frmmain& window);

} // namespace bw::app
