#pragma once

#include "win32/unique_handle.h"

#include <windows.h>

#include <memory>

namespace win32 {

// A one-way pipe for a child process's output whose reads run in the background, so that a
// thread can sleep in one wait on the read, on other handles and on its messages. The write end
// is inheritable and synchronous, as a child's standard output must be; the read end is neither.
// A read in progress when the pipe is destroyed is cancelled first: the system writes into the
// pipe's block until the read has ended. Neither copyable nor movable, for the same reason.
class OverlappedPipe {
public:
    static constexpr DWORD kBlockBytes = 64 * 1024;

    // Check with operator bool whether the pipe exists; without it nothing can be read.
    OverlappedPipe() noexcept;
    ~OverlappedPipe();
    OverlappedPipe(const OverlappedPipe&) = delete;
    OverlappedPipe& operator=(const OverlappedPipe&) = delete;

    explicit operator bool() const noexcept { return static_cast<bool>(read_); }

    // Null once closed or when the pipe does not exist.
    HANDLE WriteEnd() const noexcept { return write_ ? write_.get() : nullptr; }
    // The pipe breaks only once every write end is closed, this one included.
    void CloseWriteEnd() noexcept { write_.reset(); }

    // Starts a read of up to kBlockBytes. False when none could start: the pipe does not exist or
    // every writer has gone and nothing is left to read.
    bool BeginRead() noexcept;
    bool Reading() const noexcept { return reading_; }
    // Signalled once the read that BeginRead started has ended.
    HANDLE ReadEnded() const noexcept { return readEnded_.get(); }
    // The number of bytes the ended read left at Block(); 0 when it failed. With `wait`, first
    // waits for the read to end; without, a read still running yields 0 and goes on.
    DWORD EndRead(bool wait) noexcept;
    // Stops the read in progress and yields what it had delivered before it stopped, at Block().
    DWORD CancelRead() noexcept;
    const char* Block() const noexcept { return block_.get(); }

    // The bytes lying in the pipe that no read has taken yet.
    DWORD BytesWaiting() const noexcept;

private:
    unique_hfile read_;
    unique_hfile write_;
    unique_handle readEnded_;
    std::unique_ptr<char[]> block_;
    OVERLAPPED overlapped_{};
    bool reading_ = false;
};

}  // namespace win32
