// Stands in for netsh, cmd and the other tools the tool starts. Each start appends one line to
// the file named by RECORDER_LOG:
//   creation time (100 ns units) TAB image name TAB STARTUPINFO flags TAB show request
//   TAB current directory (hex) TAB command line (hex) LF
// Hex keeps the bytes exact, GBK included. Launches that do not wait run side by side, so the
// order of the lines is not the order of the starts: sort by creation time. Built as a windows
// program with RECORDER_BUSY_MS, it stays busy for that long after logging.
#include "win32/unique_handle.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Hex(const char* bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes); *p; ++p) {
        hex += digits[*p >> 4];
        hex += digits[*p & 15];
    }
    return hex;
}

unsigned long long CreationTime()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

const char* BaseName(const char* path)
{
    const char* base = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/')
            base = p + 1;
    return base;
}

}  // namespace

int main()
{
    char logPath[MAX_PATH];
    if (!GetEnvironmentVariableA("RECORDER_LOG", logPath, sizeof logPath))
        return 2;

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);

    char image[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, image, sizeof image);
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof directory, directory);

    char head[160];
    std::snprintf(head, sizeof head, "%llu\t%s\t%lu\t%u\t", CreationTime(), BaseName(image),
                  static_cast<unsigned long>(startup.dwFlags), static_cast<unsigned>(startup.wShowWindow));
    const std::string line = head + Hex(directory) + "\t" + Hex(GetCommandLineA()) + "\n";

    // Several recorders may finish at once: the file is opened exclusively, one writer at a time.
    for (int attempt = 0; attempt < 2000; ++attempt) {
        win32::unique_hfile log(
            CreateFileA(logPath, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (log) {
            DWORD written = 0;
            WriteFile(log.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            log.reset();
#ifdef RECORDER_BUSY_MS
            // Like a program that is slow to become idle for input: whoever starts it waits.
            Sleep(RECORDER_BUSY_MS);
#endif
            return written == line.size() ? 0 : 3;
        }
        Sleep(5);
    }
    return 4;
}
