// Times each program given from the moment it is started to the moment a visible window of its
// own exists, alternating between them, and prints the median and the fastest run of each.
// Usage: startup_timer RUNS PROGRAM...
#include "win32/unique_handle.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One start of the program; negative when no window appeared within ten seconds.
double TimeToWindow(const std::string& program)
{
    std::string line = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    LARGE_INTEGER start, shown;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &created))
        return -1;
    const auto process = win32::ProcessHandles::Adopt(created);
    Search search{created.dwProcessId, nullptr};
    for (;;) {
        EnumWindows(&FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&shown);
        if (search.found || Milliseconds(start, shown) > 10000)
            break;
        Sleep(1);
    }
    if (search.found)
        PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.process.get(), 5000) != WAIT_OBJECT_0)
        TerminateProcess(process.process.get(), 1);
    return search.found ? Milliseconds(start, shown) : -1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const int runs = std::atoi(argv[1]);
    std::vector<std::vector<double>> times(static_cast<std::size_t>(argc - 2));
    for (int run = 0; run < runs; ++run)
        for (int p = 2; p < argc; ++p) {
            const double ms = TimeToWindow(argv[p]);
            if (ms < 0) {
                std::printf("%s: no window appeared\n", argv[p]);
                return 1;
            }
            times[static_cast<std::size_t>(p - 2)].push_back(ms);
        }
    for (int p = 2; p < argc; ++p) {
        std::vector<double>& t = times[static_cast<std::size_t>(p - 2)];
        std::sort(t.begin(), t.end());
        std::printf("%s\t%.1f\t%.1f\n", argv[p], t[t.size() / 2], t.front());
    }
    return 0;
}
