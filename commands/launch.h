#pragma once

#include "commands/text.h"

// How a launched command's window is shown: 1 hidden, 2 normal, 3 minimised, 4 maximised,
// 5 shown without activation, 6 minimised. Values below 1 count as 1, above 6 as 6.
using ShowMode = int;

constexpr ShowMode kShowHidden = 1;
constexpr ShowMode kShowNormal = 2;

// Starts the command line as a new process, directly: no command interpreter is involved, so its
// first word must name an executable, and only one in the system folder runs. The child sees the
// line unchanged. With `wait` it returns once the command has ended; without,
// once the command is idle for input, at most a second. True when the process was created.
bool LaunchCommand(const Text& commandLine, bool wait = false, ShowMode show = kShowNormal);

// The way the tool starts its commands: hidden, without waiting. True when the process was
// created.
bool LaunchHidden(const Text& commandLine);
