#pragma once

namespace korvel {

// Loads the window library the program carries in its own file and runs the editor with its
// window: the exit code of its event loop, or 1 (with the reason on standard error) when the
// library cannot be loaded.
int runWindowFromImage(int argc, char **argv);

} // namespace korvel
