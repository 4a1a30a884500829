#pragma once

#include "app/windowing/layout.h"

#include <cstddef>

// The windowing runtime: it prepares the process, turns layouts into windows, delivers their
// controls' clicks to the bound routines, runs the event loop and ends the program.
namespace windowing {

using StartRoutine = int (*)();
using AtExitRoutine = void (*)();

// Runs a program: initialises the runtime (the executable's folder becomes the current directory,
// the layouts are read, running out of memory becomes a fatal runtime error), calls the start
// routine, then does the exit processing, which calls the at-exit routine once. Yields the exit
// code: the code of the quit message that ended the event loop.
int RunProgram(const WindowLayout* const* layouts, std::size_t layoutCount, StartRoutine start);

// The runtime keeps a single at-exit routine: a later registration replaces an earlier one.
void RegisterAtExit(AtExitRoutine routine) noexcept;

// Builds the window of the layout with its controls and shows it. A window that cannot be built
// is a fatal runtime error.
void LoadStartupWindow(const WindowLayout& layout);

// Shows the runtime's error box and ends the process with exit code -1, without the at-exit
// routine.
[[noreturn]] void FatalRuntimeError(const char* message) noexcept;

// Whether a layout can be turned into windows: it has a caption and a size, and every control
// has a class, a caption, a size and an ID of its own.
bool IsReadableLayout(const WindowLayout& layout) noexcept;

}  // namespace windowing
