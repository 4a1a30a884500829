// A console command that writes COUNT lines to standard output, PAUSE milliseconds apart, each
// holding the performance counter read just before its write. The counter is the same for every
// process on the machine, so a reader can tell how long each line took to reach it.
// Usage: stamp_writer COUNT PAUSE
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const unsigned long count = std::strtoul(argv[1], nullptr, 10);
    const DWORD pause = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    for (unsigned long i = 0; i < count; ++i) {
        Sleep(pause);
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        char line[32];
        const int length = std::snprintf(line, sizeof line, "%lld\n", static_cast<long long>(now.QuadPart));
        DWORD written = 0;
        if (!WriteFile(out, line, static_cast<DWORD>(length), &written, nullptr) || written != static_cast<DWORD>(length))
            return 3;
    }
    return 0;
}
