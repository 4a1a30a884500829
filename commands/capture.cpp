#include "commands/capture.h"

#include "commands/os_family.h"
#include "commands/system_program.h"
#include "win32/message_pump.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// The largest piece read at once; with its terminating zero it fills a 1024-byte buffer.
constexpr DWORD kChunkBytes = 1023;

// How long a pass that found nothing rests unless a message or the command's end wakes it: short
// enough that output shows without a noticeable delay, long enough to leave the core idle.
constexpr DWORD kIdleWaitMs = 5;

struct OutputPipe {
    win32::unique_handle read;
    win32::unique_handle write;
};

// Only the write end may reach the command. Were the read end inherited as well, a command we stop
// listening to would hold the pipe open itself and block for good once the pipe is full.
void CreateOutputPipe(OutputPipe& pipe)
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    if (CreatePipe(pipe.read.put(), pipe.write.put(), &inheritable, 0))
        SetHandleInformation(pipe.read.get(), HANDLE_FLAG_INHERIT, 0);
}

win32::ProcessHandles StartInterpreter(const Text& commandLine, HANDLE output)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdOutput = output;
    startup.hStdError = output;

    std::wstring line = win32::WideFromText(ConcatText({InterpreterPrefixFor(GetOsFamily()), commandLine}));
    const std::wstring interpreter = SystemProgramPath(line);
    if (interpreter.empty())
        return {};
    // The interpreter keeps the tool's folder as its current one, so that relative file names in
    // the line mean what they always meant, but looks for the programs it names elsewhere only.
    std::wstring environment = InterpreterEnvironment();
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(interpreter.c_str(), &line[0], nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                        &environment[0], nullptr, &startup, &created))
        return {};
    return win32::ProcessHandles::Adopt(created);
}

DWORD BytesWaiting(HANDLE pipe)
{
    DWORD waiting = 0;
    if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr))
        return 0;
    return waiting;
}

// A command may end with the very code that otherwise means "still running"; its handle, which
// is signalled once it has ended, tells that case apart.
bool HasEnded(HANDLE process)
{
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process, &exitCode) || exitCode != STILL_ACTIVE)
        return true;
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

class OutputReader {
public:
    OutputReader(HANDLE pipe, ChunkCallback callback) : pipe_(pipe), callback_(callback) {}

    // Reads one piece and hands it on; false when the callback asks to stop, and that piece is
    // then left out. `taken` receives the bytes the read removed from the pipe.
    bool TakeChunk(DWORD& taken)
    {
        char buffer[kChunkBytes + 1] = {};
        if (!ReadFile(pipe_, buffer, kChunkBytes, &taken, nullptr))
            taken = 0;
        // Pieces travel as zero-terminated strings, so a zero byte ends one; the collected text
        // keeps to what the callback saw.
        const std::size_t length = std::strlen(buffer);
        if (callback_ && callback_(length ? buffer : nullptr) != 0)
            return false;
        output_.append(buffer, length);
        return true;
    }

    // Reads what the command left in the pipe as it ended, unless the callback stops it. Only what
    // waits already: a process the command started may still hold the pipe open and go on
    // writing, or never write again.
    void TakeRest()
    {
        for (DWORD left = BytesWaiting(pipe_); left > 0;) {
            DWORD taken = 0;
            if (!TakeChunk(taken) || taken == 0)
                return;
            left -= std::min(taken, left);
        }
    }

    Text TakeOutput() { return std::move(output_); }

private:
    HANDLE pipe_;
    ChunkCallback callback_;
    Text output_;
};

}  // namespace

Text CaptureCommandOutput(const Text& commandLine, ChunkCallback callback, bool callbackGiven)
{
    if (IsEmptyText(commandLine))
        return Text();

    OutputPipe pipe;
    // Without a pipe the command still runs; it only has nowhere to write, and nothing is read.
    CreateOutputPipe(pipe);
    const win32::ProcessHandles command = StartInterpreter(commandLine, pipe.write.get());
    // The pipe breaks only once every write end is closed, the command's and ours.
    pipe.write.reset();
    if (!command.process)
        return Text();

    HANDLE process = command.process.get();
    OutputReader reader(pipe.read.get(), callbackGiven ? callback : nullptr);
    for (;;) {
        const bool readable = BytesWaiting(pipe.read.get()) > 0;
        ProcessPendingEvents();
        if (readable) {
            DWORD taken = 0;
            if (!reader.TakeChunk(taken))
                break;
        } else if (HasEnded(process)) {
            reader.TakeRest();
            break;
        } else {
            MsgWaitForMultipleObjects(1, &process, FALSE, kIdleWaitMs, QS_ALLINPUT);
        }
    }
    return reader.TakeOutput();
}
