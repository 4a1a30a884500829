#include "app/windowing/dpi.h"

#include "app/windowing/dpi_scale.h"
#include "win32/unique_handle.h"

namespace windowing {
namespace {

// Windows 7 and 8 lack these functions, so they are looked up when the program runs rather than
// imported.
template <typename Function>
Function User32Function(const char* name) noexcept
{
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const FARPROC found = user32 ? GetProcAddress(user32, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

int ScreenDpi() noexcept
{
    const win32::ScreenDC screen;
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kLayoutDpi;
}

}  // namespace

int DpiOfWindow(HWND window) noexcept
{
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0)
            return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

int SystemDpi() noexcept
{
    using GetDpiForSystemFunction = UINT(WINAPI*)();
    static const auto getDpiForSystem = User32Function<GetDpiForSystemFunction>("GetDpiForSystem");
    if (getDpiForSystem) {
        const UINT dpi = getDpiForSystem();
        if (dpi > 0)
            return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

}  // namespace windowing
