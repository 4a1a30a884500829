#include "win32/overlapped_pipe.h"

#include <atomic>
#include <cstdio>
#include <new>

namespace win32 {
namespace {

// Anonymous pipes cannot read in the background, so the pipe gets a name no other pipe has: this
// process's id and a count of the pipes it has made.
std::atomic<unsigned long> pipesMade{0};

}  // namespace

OverlappedPipe::OverlappedPipe() noexcept
{
    char name[64];
    std::snprintf(name, sizeof name, "\\\\.\\pipe\\overlapped-%lu-%lu", static_cast<unsigned long>(GetCurrentProcessId()),
                  pipesMade.fetch_add(1));
    block_.reset(new (std::nothrow) char[kBlockBytes]);
    readEnded_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!block_ || !readEnded_)
        return;
    // The first instance only: should the name be taken after all, the pipe fails rather than
    // joining someone else's.
    read_ = AdoptFileHandle(CreateNamedPipeA(name, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                             PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, 0, kBlockBytes, 0,
                                             nullptr));
    if (!read_)
        return;
    // The access rights an anonymous pipe's write end has: some commands ask about their output.
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    write_ = AdoptFileHandle(CreateFileA(name, GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, &inheritable, OPEN_EXISTING,
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
    DWORD taken = 0;
    if (!GetOverlappedResult(read_.get(), &overlapped_, &taken, wait ? TRUE : FALSE)) {
        if (GetLastError() == ERROR_IO_INCOMPLETE)
            return 0;
        taken = 0;
    }
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
