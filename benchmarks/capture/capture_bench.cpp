// Measures what capturing a command's output costs, beside runners of its own that do the least a
// run or a read can do. Run by scripts/bench-capture.sh, which reads the key=value lines it
// prints. One measurement per start:
//   capture-cpu LINE     captures LINE; wall time and this process's CPU time meanwhile
//   silent-cpu MODE      on a thread that owns a window, captures a command that stays silent for
//                        5 s; this process's CPU time from 1 s to 4 s into it. MODE "quit" posts a
//                        quit request first, which stays queued throughout; "serve" does not
//   latency N MS         on a thread that owns a window, captures N small writes MS apart, each
//                        stamped with the performance counter; how long each took to reach the
//                        callback
//   bare-run LINE        only starts LINE through cmd.exe /c and waits for it
//   capture-volume N     captures N bytes from the writer command; wall time
//   bare-read N          reads the same command's N bytes with blocking 64 KiB reads; wall time
//   handles N            this process's handle count before and after N captures, counted both
//                        by the system and by probing
// Exits with 1 when a measurement could not be made.
#include "commands/capture.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <algorithm>
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

std::string OwnFolder()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    folder.resize(folder.find_last_of('\\'));
    return folder;
}

std::string WriterLine(const std::string& steps)
{
    return OwnFolder() + "\\capture_writer.exe " + steps;
}

std::string WriterLine(unsigned long bytes)
{
    return WriterLine("fill:" + std::to_string(bytes));
}

// A window of this thread, so that the capture runs where a tool's window would keep it company.
win32::unique_hwnd OwnWindow()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "CaptureBenchWindow";
    RegisterClassA(&windowClass);
    return win32::unique_hwnd(CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                              nullptr, nullptr, windowClass.hInstance, nullptr));
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

struct CpuSamples {
    double atFirst = -1;
    double atSecond = -1;
};

constexpr DWORD kSilentMs = 5000;
constexpr DWORD kFirstSampleMs = 1000;
constexpr DWORD kSecondSampleMs = 4000;

// Reads this process's CPU time 1 s and 4 s after it starts, while the capture runs on the main
// thread.
DWORD WINAPI SampleCpu(void* into)
{
    auto& samples = *static_cast<CpuSamples*>(into);
    Sleep(kFirstSampleMs);
    samples.atFirst = ProcessCpuMs();
    Sleep(kSecondSampleMs - kFirstSampleMs);
    samples.atSecond = ProcessCpuMs();
    return 0;
}

int SilentCpu(const std::string& mode)
{
    const win32::unique_hwnd window = OwnWindow();
    if (!window)
        return 1;
    if (mode == "quit")
        PostQuitMessage(0);
    else if (mode != "serve")
        return 1;
    CpuSamples samples;
    const double start = Now();
    const win32::unique_handle sampler(CreateThread(nullptr, 0, SampleCpu, &samples, 0, nullptr));
    if (!sampler)
        return 1;
    CaptureCommandOutput(WriterLine("sleep:" + std::to_string(kSilentMs)), CountPiece, true);
    const double wall = Now() - start;
    WaitForSingleObject(sampler.get(), INFINITE);
    MSG quit{};
    const bool quitKept = PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
    const double cpu = samples.atSecond - samples.atFirst;
    std::printf("wall_ms=%.1f\ncpu_ms=%.1f\nsampled_ms=%lu\nquit_kept=%d\n", wall, cpu,
                static_cast<unsigned long>(kSecondSampleMs - kFirstSampleMs), quitKept ? 1 : 0);
    return wall >= kSecondSampleMs && samples.atFirst >= 0 && quitKept == (mode == "quit") ? 0 : 1;
}

struct Latencies {
    double ticksPerMs = 0;
    std::string partialLine;
    std::vector<double> ms;
};

Latencies* latencies = nullptr;

// Each complete line holds the counter its writer read just before writing it; a line may be
// split between two pieces.
std::int32_t TimePiece(const char* piece)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (!piece)
        return 0;
    Latencies& into = *latencies;
    into.partialLine += piece;
    std::size_t end;
    while ((end = into.partialLine.find('\n')) != std::string::npos) {
        const long long stamp = std::strtoll(into.partialLine.c_str(), nullptr, 10);
        into.ms.push_back(static_cast<double>(now.QuadPart - stamp) / into.ticksPerMs);
        into.partialLine.erase(0, end + 1);
    }
    return 0;
}

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    const std::size_t rank = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[rank];
}

int Latency(unsigned long writes, const std::string& pause)
{
    const win32::unique_hwnd window = OwnWindow();
    if (!window || writes == 0)
        return 1;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    Latencies measured;
    measured.ticksPerMs = static_cast<double>(frequency.QuadPart) / 1000.0;
    latencies = &measured;
    CaptureCommandOutput(OwnFolder() + "\\stamp_writer.exe " + std::to_string(writes) + " " + pause, TimePiece,
                         true);
    latencies = nullptr;
    if (measured.ms.size() != writes)
        return 1;
    std::printf("writes=%lu\nmedian_ms=%.3f\np99_ms=%.3f\nmax_ms=%.3f\n", writes, Percentile(measured.ms, 0.5),
                Percentile(measured.ms, 0.99), Percentile(measured.ms, 1.0));
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
    if (mode == "silent-cpu")
        return SilentCpu(argument);
    if (mode == "latency")
        return argc > 3 ? Latency(number, argv[3]) : 1;
    if (mode == "capture-volume")
        return CaptureVolume(number);
    if (mode == "bare-read")
        return BareRead(number);
    if (mode == "handles")
        return Handles(number);
    return 1;
}
