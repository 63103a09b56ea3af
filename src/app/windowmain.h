#pragma once

// The editor with its window: everything that needs the widgets and the web engine. It is
// built as a library of its own that the program carries inside its file and loads only when
// a window is wanted, so that the batch commands and --version start without those libraries.
extern "C" int korvel_window_main(int argc, char **argv);
