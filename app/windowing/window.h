#pragma once

#include "app/windowing/keyboard.h"
#include "app/windowing/layout.h"
#include "app/windowing/window_host.h"

#include "win32/unique_handle.h"

#include <memory>
#include <vector>

namespace windowing {

// One top-level window built from a layout, with its controls. The window destroys itself when
// the user closes it; the object stays behind, empty, until the runtime lets it go.
class Window {
public:
    // Creates the window hidden with its controls, as the layout says; null when any part of it
    // cannot be created. The host outlives the window.
    static std::unique_ptr<Window> Build(const WindowLayout& layout, WindowHost& host);

    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND handle() const noexcept { return window_; }
    bool exists() const noexcept { return window_ != nullptr; }

    // The runtime's keyboard handling for a key press in this window or one of its controls; true
    // when the key was consumed.
    bool HandleKey(const MSG& message);

private:
    Window(const WindowLayout& layout, WindowHost& host);

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnButtonClicked(int id);
    Bounds OuterBounds(int dpi) const noexcept;
    void ApplyDpi();
    bool CreateControls();
    void OnDpiChanged(int dpi, const RECT& suggested);
    std::size_t ControlIndexOf(HWND control) const noexcept;
    void MoveFocus(bool forward);
    void TakeFocus();

    const WindowLayout& layout_;
    WindowHost& host_;
    HWND window_ = nullptr;
    std::vector<HWND> controls_;  // by layout index; owned by window_
    std::vector<std::size_t> tabOrder_;
    HWND focusAtDeactivation_ = nullptr;
    HFONT font_ = nullptr;
    int dpi_ = 96;
    win32::unique_hfont scaledFont_;  // the stock font at dpi_, when that is not the system's DPI
    win32::unique_hicon largeIcon_;
    win32::unique_hicon smallIcon_;
};

}  // namespace windowing
