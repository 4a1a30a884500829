#include "win32/overlapped_pipe.h"

#include <atomic>
#include <cstring>
#include <new>

namespace win32 {
namespace {

// Anonymous pipes cannot read in the background, so the pipe gets a name of its own. Process ids
// come back quickly, and a pipe lives on under its name while a process its owner started still
// holds the write end: the name also carries a count of this process's pipes and the time, and a
// name found taken is given up for the next.
std::atomic<unsigned long> pipesMade{0};
constexpr int kNamesTried = 8;

// The decimal digits of a value, written at `out`; the end of them is returned. Formatting by
// printf would bring a whole printf implementation into the executable.
char* AppendNumber(char* out, unsigned long long value)
{
    char digits[20];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0)
        *out++ = digits[--count];
    return out;
}

HANDLE CreateReadEnd(char (&name)[96])
{
    for (int tried = 0; tried < kNamesTried; ++tried) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        char* end = std::strcpy(name, "\\\\.\\pipe\\overlapped-") + std::strlen(name);
        end = AppendNumber(end, GetCurrentProcessId());
        *end++ = '-';
        end = AppendNumber(end, pipesMade.fetch_add(1));
        *end++ = '-';
        *AppendNumber(end, static_cast<unsigned long long>(now.QuadPart)) = '\0';
        // The first instance only: a name that is taken fails rather than joining someone else's pipe.
        const HANDLE read = CreateNamedPipeA(
            name, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
            PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, 0, OverlappedPipe::kBlockBytes, 0, nullptr);
        if (read != INVALID_HANDLE_VALUE)
            return read;
        const DWORD error = GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_PIPE_BUSY)
            break;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

OverlappedPipe::OverlappedPipe() noexcept
{
    block_.reset(new (std::nothrow) char[kBlockBytes]);
    readEnded_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!block_ || !readEnded_)
        return;
    char name[96];
    read_.reset(CreateReadEnd(name));
    if (!read_)
        return;
    // The access rights an anonymous pipe's write end has: some commands ask about their output.
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    write_.reset(CreateFileA(name, GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, &inheritable, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!write_)
        read_.reset();
    overlapped_.hEvent = readEnded_.get();
}

OverlappedPipe::~OverlappedPipe()
{
    CancelRead();
}

bool OverlappedPipe::BeginRead() noexcept
{
    if (!read_ || reading_)
        return false;
    if (ReadFile(read_.get(), block_.get(), kBlockBytes, nullptr, &overlapped_)) {
        // Done at once: the event says so as for a read that had to wait.
        SetEvent(readEnded_.get());
    } else if (GetLastError() != ERROR_IO_PENDING) {
        return false;
    }
    reading_ = true;
    return true;
}

DWORD OverlappedPipe::EndRead(bool wait) noexcept
{
    if (!reading_)
        return 0;
    // Wine signals the event before it has filled in the read's result; asked then, it reports a
    // read of nothing, and the bytes the read took from the pipe would be lost. Its waits hand the
    // result over.
    while (!HasOverlappedIoCompleted(&overlapped_)) {
        if (!wait)
            return 0;
        WaitForSingleObjectEx(readEnded_.get(), INFINITE, TRUE);
    }
    DWORD taken = 0;
    if (!GetOverlappedResult(read_.get(), &overlapped_, &taken, FALSE))
        taken = 0;
    reading_ = false;
    return taken;
}

DWORD OverlappedPipe::CancelRead() noexcept
{
    if (!reading_)
        return 0;
    CancelIo(read_.get());
    return EndRead(true);
}

DWORD OverlappedPipe::BytesWaiting() const noexcept
{
    DWORD waiting = 0;
    if (!read_ || !PeekNamedPipe(read_.get(), nullptr, 0, nullptr, &waiting, nullptr))
        return 0;
    return waiting;
}

}  // namespace win32
