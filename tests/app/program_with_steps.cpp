#include "tests/app/program_with_steps.h"

#include "app/windowing/runtime.h"

#include <utility>

namespace {

// A start routine takes no arguments, so the steps wait here for it.
std::function<void()> pendingSteps;

int RunPendingSteps()
{
    pendingSteps();
    return 0;
}

}  // namespace

int RunProgramWithSteps(const windowing::WindowLayout& layout, std::function<void()> steps)
{
    pendingSteps = std::move(steps);
    const windowing::WindowLayout* const layouts[] = {&layout};
    return windowing::RunProgram(layouts, 1, &RunPendingSteps);
}
