// Running from a shell instead of a window: the platform starts on the
// offscreen display with its own chatter kept off the error stream, and an
// interrupt (Ctrl+C, SIGTERM) reaches the program as an event of its loop.
#pragma once

namespace ui {

// Starts the platform without a display; 0 when it cannot start.
int InitHeadless(int argc, char** argv);
// Calls `onInterrupt` from the event loop after SIGINT or SIGTERM; a second
// signal then ends the program at once. nullptr restores the defaults.
void OnInterrupt(void (*onInterrupt)());
// Whether the standard error stream is a terminal (progress is shown there only then).
bool ErrorStreamIsTerminal();

}  // namespace ui
