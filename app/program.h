#pragma once

// The tool's own steps of start-up and exit, run by the windowing runtime.

// Creates the program-wide system commands, registers ReleaseGlobals, opens the main window and
// runs the event loop. Yields 0.
int StartProgram();

// Does nothing; kept as the place for start-up work of the tool's own.
int OnStartup();

// The at-exit routine: releases the program-wide system commands.
void ReleaseGlobals();
