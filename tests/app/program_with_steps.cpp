#include "tests/app/program_with_steps.h"

#include "app/windowing/runtime.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

// Start routines and timer callbacks take no context, so what they need waits here; each entry
// point below sets it afresh.
std::function<void()> pendingSteps;
std::string shownCaption;
ULONGLONG focusDeadline = 0;

int RunPendingSteps()
{
    pendingSteps();
    return 0;
}

// The state the steps wait for, with a deadline: a test that never gets there fails, and its
// program is asked to end, instead of hanging.
bool ReadyOrGivenUp(UINT_PTR timer, const char* waitingFor)
{
    const bool shown = shownCaption.empty() || IsWindowVisible(FindWindowA(nullptr, shownCaption.c_str()));
    if (shown && GetFocus() != nullptr) {
        KillTimer(nullptr, timer);
        return true;
    }
    if (GetTickCount64() > focusDeadline) {
        KillTimer(nullptr, timer);
        ADD_FAILURE() << "gave up waiting for " << waitingFor;
        PostQuitMessage(0);
    }
    return false;
}

void CALLBACK RunStepsWhenReady(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!ReadyOrGivenUp(timer, "the window and its focus"))
        return;
    std::exchange(pendingSteps, nullptr)();
    // Steps stopped by a failed assertion did not close the window: the program is ended for them.
    if (testing::Test::HasFatalFailure())
        PostQuitMessage(0);
}

void CALLBACK PressEscWhenReady(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (ReadyOrGivenUp(timer, "the focus to press Esc"))
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
}

void Arm(TIMERPROC callback)
{
    focusDeadline = GetTickCount64() + 15000;
    SetTimer(nullptr, 0, 10, callback);
}

}  // namespace

int RunProgramWithSteps(const windowing::WindowLayout& layout, std::function<void()> steps)
{
    pendingSteps = std::move(steps);
    const windowing::WindowLayout* const layouts[] = {&layout};
    return windowing::RunProgram(layouts, 1, &RunPendingSteps);
}

void RunStepsOnceShown(const char* caption, std::function<void()> steps)
{
    pendingSteps = std::move(steps);
    shownCaption = caption;
    Arm(&RunStepsWhenReady);
}

void PressEscOnceFocused()
{
    shownCaption.clear();
    Arm(&PressEscWhenReady);
}
