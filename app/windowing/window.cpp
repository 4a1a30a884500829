#include "app/windowing/window.h"

#include "app/windowing/dpi.h"
#include "app/windowing/dpi_scale.h"
#include "app/windowing/placement.h"
#include "app/windowing/tab_order.h"
#include "win32/wide_text.h"

#include <algorithm>
#include <string>

namespace windowing {
namespace {

// One window class for each set of class styles that the layouts ask for.
std::wstring WindowClassFor(UINT classStyle)
{
    // std::to_string, unlike std::to_wstring, needs no printf in the executable.
    return L"Windowing.Window." + win32::WideFromText(std::to_string(classStyle));
}

bool RegisterWindowClass(const std::wstring& name, UINT classStyle, WNDPROC procedure)
{
    WNDCLASSEXW known{};
    known.cbSize = sizeof known;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name.c_str(), &known))
        return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    // The window paints its own background, in the 3D face colour.
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    windowClass.lpszClassName = name.c_str();
    return RegisterClassExW(&windowClass) != 0;
}

Modifiers HeldModifiers() noexcept
{
    const auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
    return {down(VK_CONTROL), down(VK_SHIFT), down(VK_MENU)};
}

}  // namespace

Window::Window(const WindowLayout& layout, WindowHost& host)
    : layout_(layout),
      host_(host),
      controls_(layout.controlCount, nullptr),
      tabOrder_(TabOrder(layout.controls, layout.controlCount))
{
}

Window::~Window()
{
    if (window_)
        DestroyWindow(window_);
}

std::unique_ptr<Window> Window::Build(const WindowLayout& layout, WindowHost& host)
{
    const std::wstring windowClass = WindowClassFor(layout.classStyle);
    if (!RegisterWindowClass(windowClass, layout.classStyle, &Window::Procedure))
        return nullptr;

    std::unique_ptr<Window> window(new Window(layout, host));
    // The window's DPI is known only once it exists; the system's is the best guess before.
    Bounds bounds = window->OuterBounds(SystemDpi());
    const HWND created = CreateWindowExW(layout.exStyle, windowClass.c_str(), win32::WideFromText(layout.caption).c_str(),
                                         layout.style, bounds.left, bounds.top, bounds.width, bounds.height, nullptr,
                                         nullptr, GetModuleHandleW(nullptr), window.get());
    if (!created)
        return nullptr;
    window->dpi_ = DpiOfWindow(created);
    bounds = window->OuterBounds(window->dpi_);

    RECT outer;
    GetWindowRect(created, &outer);
    if (outer.right - outer.left != bounds.width || outer.bottom - outer.top != bounds.height)
        MoveWindow(created, bounds.left, bounds.top, bounds.width, bounds.height, FALSE);

    window->ApplyDpi();
    if (!window->CreateControls())
        return nullptr;
    return window;
}

Bounds Window::OuterBounds(int dpi) const noexcept
{
    const Bounds scaled = ScaleBounds(layout_.bounds, dpi);
    return layout_.centred ? CentredOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), scaled)
                           : scaled;
}

// The layout's 96-DPI lengths at the window's DPI. The stock GUI font is made for the system's DPI:
// a window shown at another DPI gets a copy of it at its own, which outlives the font it replaces
// until no control draws with that one any more.
void Window::ApplyDpi()
{
    const auto stockFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const int systemDpi = SystemDpi();
    win32::unique_hfont previousFont = std::move(scaledFont_);
    HFONT font = stockFont;
    LOGFONTW description;
    if (dpi_ != systemDpi && GetObjectW(stockFont, sizeof description, &description) == sizeof description) {
        description.lfHeight = FontHeightAtDpi(description.lfHeight, systemDpi, dpi_);
        scaledFont_.reset(CreateFontIndirectW(&description));
        if (scaledFont_)
            font = scaledFont_.get();
    }
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (std::size_t i = 0; i < layout_.controlCount; ++i) {
        if (!controls_[i])
            continue;
        const Bounds bounds = ScaleBounds(layout_.controls[i].bounds, dpi_);
        SetWindowPos(controls_[i], nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }

    if (layout_.iconResource) {
        const HINSTANCE module = GetModuleHandleW(nullptr);
        const std::wstring name = win32::WideFromText(layout_.iconResource);
        const int large = ScaleToDpi(32, dpi_);
        const int small = ScaleToDpi(16, dpi_);
        win32::unique_hicon largeIcon(
            static_cast<HICON>(LoadImageW(module, name.c_str(), IMAGE_ICON, large, large, 0)));
        win32::unique_hicon smallIcon(
            static_cast<HICON>(LoadImageW(module, name.c_str(), IMAGE_ICON, small, small, 0)));
        SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon.get()));
        SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
        largeIcon_ = std::move(largeIcon);
        smallIcon_ = std::move(smallIcon);
    }
}

bool Window::CreateControls()
{
    // Created in reverse layout order, each hidden until all exist.
    for (std::size_t i = layout_.controlCount; i-- > 0;) {
        const ControlLayout& control = layout_.controls[i];
        const DWORD style = control.style | (control.enabled ? 0 : WS_DISABLED);
        const Bounds bounds = ScaleBounds(control.bounds, dpi_);
        controls_[i] = CreateWindowExW(0, win32::WideFromText(control.windowClass).c_str(),
                                       win32::WideFromText(control.caption).c_str(), style, bounds.left, bounds.top,
                                       bounds.width, bounds.height, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                       GetModuleHandleW(nullptr), nullptr);
        if (!controls_[i])
            return false;
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    for (std::size_t i = 0; i < layout_.controlCount; ++i)
        if (layout_.controls[i].visible)
            ShowWindow(controls_[i], SW_SHOWNA);
    return true;
}

// The window has moved to a monitor of another DPI, or that monitor's scale has changed: it takes
// the rectangle the system suggests, and its controls, font and icons follow.
void Window::OnDpiChanged(int dpi, const RECT& suggested)
{
    dpi_ = dpi;
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyDpi();
}

std::size_t Window::ControlIndexOf(HWND control) const noexcept
{
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i] && controls_[i] == control)
            return i;
    return kNoControl;
}

bool Window::HandleKey(const MSG& message)
{
    switch (CommandForKey(static_cast<unsigned>(message.wParam), HeldModifiers(), layout_.escCloses)) {
    case KeyCommand::FocusNext:
        MoveFocus(true);
        return true;
    case KeyCommand::FocusPrevious:
        MoveFocus(false);
        return true;
    case KeyCommand::Close:
        SendMessageW(window_, WM_CLOSE, 0, 0);
        return true;
    case KeyCommand::PassOn:
        break;
    }
    return false;
}

void Window::MoveFocus(bool forward)
{
    std::vector<bool> canTakeFocus(controls_.size());
    for (std::size_t i = 0; i < controls_.size(); ++i)
        canTakeFocus[i] = IsWindowVisible(controls_[i]) && IsWindowEnabled(controls_[i]);
    const std::size_t next = NextInTabOrder(tabOrder_, ControlIndexOf(GetFocus()), forward, canTakeFocus);
    if (next != kNoControl)
        SetFocus(controls_[next]);
}

void Window::TakeFocus()
{
    const HWND remembered = focusAtDeactivation_;
    if (ControlIndexOf(remembered) != kNoControl && IsWindowVisible(remembered) && IsWindowEnabled(remembered))
        SetFocus(remembered);
    else
        MoveFocus(true);
}

void Window::OnButtonClicked(int id)
{
    for (std::size_t i = 0; i < layout_.controlCount; ++i) {
        const ControlLayout& control = layout_.controls[i];
        if (control.id == id && control.onClick && host_.EventsDelivered())
            control.onClick();
    }
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* window = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->window_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    // No exception may unwind into Windows.
    try {
        return window->OnMessage(message, wParam, lParam);
    } catch (...) {
        window->host_.InternalError();
        return 0;  // not reached: the host ends the process
    }
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    // The window keeps its font, as a control does, though it draws no text itself.
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam)
            OnButtonClicked(LOWORD(wParam));
        return 0;
    case WM_DPICHANGED:
        if (lParam)
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (ControlIndexOf(focus) != kNoControl)
                focusAtDeactivation_ = focus;
        }
        break;
    case WM_SETFOCUS:
        TakeFocus();
        return 0;
    case WM_NCDESTROY: {
        const LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        std::fill(controls_.begin(), controls_.end(), nullptr);
        host_.WindowDestroyed();
        return result;
    }
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace windowing
