#pragma once

#include <windows.h>

// The DPI that windows are shown at. Windows 10 knows it for each window; earlier systems know
// one DPI for the whole screen, which then holds for every window.
namespace windowing {

int DpiOfWindow(HWND window) noexcept;
int SystemDpi() noexcept;

}  // namespace windowing
