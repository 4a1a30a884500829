#pragma once

#include "app/windowing/layout.h"

#include <functional>

// Runs a whole program of the windowing runtime in this process, with the layout as its only
// window layout and the test's own steps as its start routine. Yields the program's exit code.
int RunProgramWithSteps(const windowing::WindowLayout& layout, std::function<void()> steps);
