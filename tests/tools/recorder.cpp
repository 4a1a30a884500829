// Stands in for netsh, cmd and the other tools the tool starts. Each start appends one line to
// the file named by RECORDER_LOG:
//   creation time (100 ns units) TAB own path TAB STARTUPINFO flags TAB show request
//   TAB 1 when a program named by a bare name would be looked for in the current folder, else 0
//   TAB current directory TAB command line LF
// The path, the folder and the command line are what Windows gives in UTF-16, written as four hex
// digits per unit: exact whatever the code page. Launches that do not wait run side by side, so
// the order of the lines is not the order of the starts: sort by creation time. With
// RECORDER_BUSY_MS set, it stays busy for that long after logging without ever becoming idle for
// input; built as a windows program, whoever starts it then waits for it, as for a program slow to
// start. (Wine leaks a handle of the starter's for every wait for a windows program to become idle,
// so the stand-in in place is the console build unless a test asks for the other.)
#include "win32/unique_handle.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Hex(const wchar_t* text)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (const wchar_t* p = text; *p; ++p) {
        const unsigned unit = static_cast<unsigned short>(*p);
        for (int shift = 12; shift >= 0; shift -= 4)
            hex += digits[(unit >> shift) & 15];
    }
    return hex;
}

unsigned long long CreationTime()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

DWORD BusyMilliseconds()
{
    char value[16] = {};
    if (!GetEnvironmentVariableA("RECORDER_BUSY_MS", value, sizeof value))
        return 0;
    return static_cast<DWORD>(std::strtoul(value, nullptr, 10));
}

}  // namespace

int main()
{
    wchar_t logPath[MAX_PATH];
    if (!GetEnvironmentVariableW(L"RECORDER_LOG", logPath, MAX_PATH))
        return 2;

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);

    wchar_t image[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, image, MAX_PATH);
    wchar_t directory[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, directory);

    char times[64];
    std::snprintf(times, sizeof times, "%llu\t", CreationTime());
    char start[64];
    std::snprintf(start, sizeof start, "\t%lu\t%u\t%d\t", static_cast<unsigned long>(startup.dwFlags),
                  static_cast<unsigned>(startup.wShowWindow), NeedCurrentDirectoryForExePathW(L"ping") ? 1 : 0);
    const std::string line =
        times + Hex(image) + start + Hex(directory) + "\t" + Hex(GetCommandLineW()) + "\n";

    // Several recorders may finish at once: the file is opened exclusively, one writer at a time.
    for (int attempt = 0; attempt < 2000; ++attempt) {
        win32::unique_hfile log(
            CreateFileW(logPath, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (log) {
            DWORD written = 0;
            WriteFile(log.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            log.reset();
            if (const DWORD busy = BusyMilliseconds())
                Sleep(busy);
            return written == line.size() ? 0 : 3;
        }
        Sleep(5);
    }
    return 4;
}
