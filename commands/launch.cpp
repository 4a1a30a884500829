#include "commands/launch.h"

#include "commands/system_program.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

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
    // The line goes to the W function so that it arrives as written whatever code page the
    // system runs in; CreateProcessW may write into it, so it is a private copy anyway.
    std::wstring line = win32::WideFromText(commandLine);
    const std::wstring program = SystemProgramPath(line);
    if (program.empty())
        return false;

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(ShowRequestFor(show));

    PROCESS_INFORMATION created{};
    if (!CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
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
