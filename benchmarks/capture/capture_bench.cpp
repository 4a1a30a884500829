// Measures what capturing a command's output costs, beside runners of its own that do the least a
// run or a read can do. Run by scripts/bench-capture.sh, which reads the key=value lines it
// prints. One measurement per start:
//   capture-cpu LINE     captures LINE; wall time and this process's CPU time meanwhile
//   bare-run LINE        only starts LINE through cmd.exe /c and waits for it
//   capture-volume N     captures N bytes from the writer command; wall time
//   bare-read N          reads the same command's N bytes with blocking 64 KiB reads; wall time
//   handles N            this process's handle count before and after N captures, counted both
//                        by the system and by probing
// Exits with 1 when a measurement could not be made.
#include "commands/capture.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double ProcessCpuMs()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 10000.0;
}

std::string WriterLine(unsigned long bytes)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    folder.resize(folder.find_last_of('\\'));
    return folder + "\\capture_writer.exe fill:" + std::to_string(bytes);
}

std::int32_t CountPiece(const char*)
{
    return 0;
}

bool StartThroughCmd(const std::string& commandLine, HANDLE output, win32::ProcessHandles& started)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output;
    std::string line = "cmd.exe /c " + commandLine;
    PROCESS_INFORMATION created{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &created))
        return false;
    started = win32::ProcessHandles::Adopt(created);
    return true;
}

int CaptureCpu(const std::string& line)
{
    const double cpuBefore = ProcessCpuMs();
    const double start = Now();
    const Text output = CaptureCommandOutput(line, CountPiece, true);
    const double wall = Now() - start;
    const double cpu = ProcessCpuMs() - cpuBefore;
    std::printf("wall_ms=%.1f\ncpu_ms=%.1f\nbytes=%u\n", wall, cpu, static_cast<unsigned>(output.size()));
    return output.empty() ? 1 : 0;
}

int BareRun(const std::string& line)
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    const win32::unique_hfile output(CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                 &inheritable, OPEN_EXISTING, 0, nullptr));
    win32::ProcessHandles command;
    const double start = Now();
    if (!output || !StartThroughCmd(line, output.get(), command))
        return 1;
    WaitForSingleObject(command.process.get(), INFINITE);
    std::printf("wall_ms=%.1f\n", Now() - start);
    return 0;
}

int CaptureVolume(unsigned long bytes)
{
    const double start = Now();
    const Text output = CaptureCommandOutput(WriterLine(bytes), nullptr, false);
    const double wall = Now() - start;
    std::printf("wall_ms=%.1f\nbytes=%u\n", wall, static_cast<unsigned>(output.size()));
    return output.size() == bytes ? 0 : 1;
}

int BareRead(unsigned long bytes)
{
    win32::unique_handle read, write;
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    const double start = Now();
    if (!CreatePipe(read.put(), write.put(), &inheritable, 0) ||
        !SetHandleInformation(read.get(), HANDLE_FLAG_INHERIT, 0))
        return 1;
    win32::ProcessHandles command;
    if (!StartThroughCmd(WriterLine(bytes), write.get(), command))
        return 1;
    write.reset();
    std::vector<char> buffer(64 * 1024);
    unsigned long total = 0;
    DWORD got = 0;
    while (ReadFile(read.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0)
        total += got;
    WaitForSingleObject(command.process.get(), INFINITE);
    std::printf("wall_ms=%.1f\nbytes=%lu\n", Now() - start, total);
    return total == bytes ? 0 : 1;
}

// Counts the handles open in this process by asking every value a handle can take up to 64 Ki;
// Wine answers GetProcessHandleCount with 0.
unsigned long ProbeOpenHandles()
{
    unsigned long open = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++open;
    }
    return open;
}

bool CaptureEcho()
{
    return !CaptureCommandOutput("echo x", CountPiece, true).empty();
}

// The first capture of a thread opens one handle for good: the thread's message queue that the
// wait for messages needs. Counting starts after it.
int Handles(unsigned long captures)
{
    const unsigned long atStart = ProbeOpenHandles();
    if (!CaptureEcho())
        return 1;
    DWORD countedBefore = 0, countedAfter = 0;
    const BOOL counted = GetProcessHandleCount(GetCurrentProcess(), &countedBefore);
    const unsigned long probedBefore = ProbeOpenHandles();
    for (unsigned long i = 0; i < captures; ++i)
        if (!CaptureEcho())
            return 1;
    GetProcessHandleCount(GetCurrentProcess(), &countedAfter);
    const unsigned long probedAfter = ProbeOpenHandles();
    std::printf("count_answered=%d\nhandles_before=%lu\nhandles_after=%lu\n"
                "probed_at_start=%lu\nprobed_before=%lu\nprobed_after=%lu\n",
                counted ? 1 : 0, countedBefore, countedAfter, atStart, probedBefore, probedAfter);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 1;
    const std::string mode = argv[1];
    const std::string argument = argv[2];
    const unsigned long number = std::strtoul(argv[2], nullptr, 10);
    if (mode == "capture-cpu")
        return CaptureCpu(argument);
    if (mode == "bare-run")
        return BareRun(argument);
    if (mode == "capture-volume")
        return CaptureVolume(number);
    if (mode == "bare-read")
        return BareRead(number);
    if (mode == "handles")
        return Handles(number);
    return 1;
}
