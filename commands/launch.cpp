#include "commands/launch.h"

#include "win32/unique_handle.h"

#include <windows.h>

#include <algorithm>

namespace {

// The window-show request (SW_*) that process creation receives for a show mode.
int ShowRequestFor(ShowMode show) noexcept
{
    static constexpr int kRequests[] = {SW_HIDE,          SW_SHOWNORMAL,     SW_SHOWMINIMIZED,
                                        SW_SHOWMAXIMIZED, SW_SHOWNOACTIVATE, SW_MINIMIZE};
    return kRequests[std::clamp(show, 1, 6) - 1];
}

}  // namespace

bool LaunchCommand(const Text& commandLine, bool wait, ShowMode show)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(ShowRequestFor(show));

    // CreateProcessA may write into the command line, so it gets a private copy.
    Text line = commandLine;

    PROCESS_INFORMATION created{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &created))
        return false;
    const auto process = win32::ProcessHandles::Adopt(created);

    if (wait)
        WaitForSingleObject(process.process.get(), INFINITE);
    else
        WaitForInputIdle(process.process.get(), 1000);
    return true;
}

bool LaunchHidden(const Text& commandLine)
{
    return LaunchCommand(commandLine, false, kShowHidden);
}
