#include "commands/capture.h"

#include "commands/os_family.h"
#include "commands/output_pieces.h"
#include "commands/system_program.h"
#include "win32/message_pump.h"
#include "win32/overlapped_pipe.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

#include <windows.h>

#include <algorithm>

namespace {

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

bool QuitPending()
{
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

enum class Wake { Ended, Output, Message };

// Sleeps until the command ends, the read in progress ends, or a message arrives. Once a quit
// request waits in the queue, messages are no longer listened to: the request stays there for the
// event loop, and a wait that heeded it would return at once, again and again.
Wake WaitForNext(HANDLE process, const win32::OverlappedPipe& pipe, bool heedMessages)
{
    // The command's end comes first, so that a process it started and that keeps writing cannot
    // hold the capture up. Its handle, unlike its exit code, also tells a command that ended with
    // the code meaning "still running" from one that runs.
    const HANDLE handles[] = {process, pipe.ReadEnded()};
    const DWORD count = pipe.Reading() ? 2 : 1;
    const DWORD woke = heedMessages
        ? MsgWaitForMultipleObjectsEx(count, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE)
        : WaitForMultipleObjects(count, handles, FALSE, INFINITE);
    if (heedMessages && woke == WAIT_OBJECT_0 + count)
        return Wake::Message;
    if (count == 2 && woke == WAIT_OBJECT_0 + 1)
        return Wake::Output;
    // A failed wait ends the capture rather than spinning on it.
    return Wake::Ended;
}

// Takes what the command left in the pipe as it ended, unless the callback stops it. Only what
// waits already: a process the command started may still hold the pipe open and go on writing,
// or never write again.
void TakeRest(win32::OverlappedPipe& pipe, OutputPieces& pieces)
{
    if (!pieces.HandOn(pipe.Block(), pipe.CancelRead()))
        return;
    for (DWORD left = pipe.BytesWaiting(); left > 0;) {
        if (!pipe.BeginRead())
            return;
        const DWORD taken = pipe.EndRead(true);
        if (taken == 0 || !pieces.HandOn(pipe.Block(), taken))
            return;
        left -= std::min(taken, left);
    }
}

}  // namespace

Text CaptureCommandOutput(const Text& commandLine, ChunkCallback callback, bool callbackGiven)
{
    if (IsEmptyText(commandLine))
        return Text();

    // Without a pipe the command still runs; it only has nowhere to write, and nothing is read.
    win32::OverlappedPipe pipe;
    const win32::ProcessHandles command = StartInterpreter(commandLine, pipe.WriteEnd());
    pipe.CloseWriteEnd();
    if (!command.process)
        return Text();

    OutputPieces pieces(callbackGiven ? callback : nullptr);
    pipe.BeginRead();
    bool heedMessages = true;
    for (;;) {
        switch (WaitForNext(command.process.get(), pipe, heedMessages)) {
        case Wake::Ended:
            TakeRest(pipe, pieces);
            return pieces.TakeOutput();
        case Wake::Output:
            // Stopping closes the read end as the pipe goes: the command's next write fails, and it
            // ends by itself.
            if (!pieces.HandOn(pipe.Block(), pipe.EndRead(false)))
                return pieces.TakeOutput();
            pipe.BeginRead();
            // While output streams in, the read is always ready first; messages still get their
            // turn after every block.
            break;
        case Wake::Message:
            break;
        }
        ProcessPendingEvents();
        heedMessages = !QuitPending();
    }
}
