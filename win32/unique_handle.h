#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

namespace win32 {

// Owns one Win32 resource and closes it when it goes out of scope; move-only. The type names the
// call that closes the resource and the value that means "none": most handles are null when
// there is none, files are INVALID_HANDLE_VALUE (-1).
template <typename T, typename CloseFn, CloseFn Close, std::intptr_t InvalidValue = 0>
class unique_any {
public:
    using pointer = T;

    unique_any() noexcept = default;
    explicit unique_any(T value) noexcept : value_(value) {}
    ~unique_any() { reset(); }

    unique_any(unique_any&& other) noexcept : value_(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;

    static T invalid() noexcept { return reinterpret_cast<T>(InvalidValue); }

    T get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != invalid(); }

    // For calls that fill in a handle through an out parameter; closes the one held first.
    T* put() noexcept
    {
        reset();
        return &value_;
    }

    T release() noexcept { return std::exchange(value_, invalid()); }

    void reset(T value = invalid()) noexcept
    {
        const T old = std::exchange(value_, value);
        if (old != invalid())
            Close(old);
    }

private:
    T value_ = invalid();
};

// Processes, threads, pipes, events.
using unique_handle = unique_any<HANDLE, decltype(&::CloseHandle), ::CloseHandle>;
// What CreateFile, CreateNamedPipe and CreateToolhelp32Snapshot give back.
using unique_hfile = unique_any<HANDLE, decltype(&::CloseHandle), ::CloseHandle, -1>;
using unique_hwnd = unique_any<HWND, decltype(&::DestroyWindow), ::DestroyWindow>;
using unique_hicon = unique_any<HICON, decltype(&::DestroyIcon), ::DestroyIcon>;
using unique_hfont = unique_any<HFONT, decltype(&::DeleteObject), ::DeleteObject>;

// The screen's device context, borrowed from the window system and given back.
class ScreenDC {
public:
    ScreenDC() noexcept : dc_(::GetDC(nullptr)) {}
    ~ScreenDC()
    {
        if (dc_)
            ::ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;

    HDC get() const noexcept { return dc_; }

private:
    HDC dc_;
};

// The two handles that process creation hands back, both owned.
struct ProcessHandles {
    unique_handle process;
    unique_handle thread;

    static ProcessHandles Adopt(const PROCESS_INFORMATION& info) noexcept
    {
        return ProcessHandles{unique_handle(info.hProcess), unique_handle(info.hThread)};
    }
};

}  // namespace win32
