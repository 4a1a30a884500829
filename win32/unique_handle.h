#pragma once

#include <windows.h>

#include <utility>

namespace win32 {

// Owns one Win32 handle and closes it when it goes out of scope. Move-only. The traits name the
// value that means "no handle" and the call that closes one.
template <typename Traits>
class UniqueResource {
public:
    using Pointer = typename Traits::Pointer;

    UniqueResource() noexcept = default;
    explicit UniqueResource(Pointer value) noexcept : value_(value) {}
    ~UniqueResource() { reset(); }

    UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    Pointer get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::Invalid(); }

    // For APIs that fill in a handle through an out parameter; closes the one held first.
    Pointer* put() noexcept
    {
        reset();
        return &value_;
    }

    Pointer release() noexcept { return std::exchange(value_, Traits::Invalid()); }

    void reset(Pointer value = Traits::Invalid()) noexcept
    {
        Pointer old = std::exchange(value_, value);
        if (old != Traits::Invalid())
            Traits::Close(old);
    }

private:
    Pointer value_ = Traits::Invalid();
};

struct HandleTraits {
    using Pointer = HANDLE;
    static Pointer Invalid() noexcept { return nullptr; }
    static void Close(Pointer h) noexcept { ::CloseHandle(h); }
};

struct WindowTraits {
    using Pointer = HWND;
    static Pointer Invalid() noexcept { return nullptr; }
    static void Close(Pointer h) noexcept { ::DestroyWindow(h); }
};

struct IconTraits {
    using Pointer = HICON;
    static Pointer Invalid() noexcept { return nullptr; }
    static void Close(Pointer h) noexcept { ::DestroyIcon(h); }
};

struct FontTraits {
    using Pointer = HFONT;
    static Pointer Invalid() noexcept { return nullptr; }
    static void Close(Pointer h) noexcept { ::DeleteObject(h); }
};

// Kernel handles: processes, threads, pipes, events, files; the null handle means "none".
using unique_handle = UniqueResource<HandleTraits>;

// CreateFile reports failure as INVALID_HANDLE_VALUE rather than null.
inline unique_handle AdoptFileHandle(HANDLE file) noexcept
{
    return unique_handle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}
using unique_hwnd = UniqueResource<WindowTraits>;
using unique_hicon = UniqueResource<IconTraits>;
using unique_hfont = UniqueResource<FontTraits>;

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
