#pragma once

#include "app/windowing/layout.h"

#include <functional>

// Runs a whole program of the windowing runtime in this process, with the layout as its only
// window layout and the test's own steps as its start routine. Yields the program's exit code.
int RunProgramWithSteps(const windowing::WindowLayout& layout, std::function<void()> steps);

// Runs the steps from inside the event loop of the program about to run in this process, once its
// window with this caption is shown and one of its controls has the focus.
void RunStepsOnceShown(const char* caption, std::function<void()> steps);

// Presses Esc once the program about to run in this process has a control with the focus.
void PressEscOnceFocused();
