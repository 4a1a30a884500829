#include "app/windowing/window.h"

#include "app/windowing/placement.h"
#include "app/windowing/tab_order.h"

#include <algorithm>
#include <string>

namespace windowing {
namespace {

// One window class for each set of class styles that the layouts ask for.
std::string WindowClassFor(UINT classStyle)
{
    return "Windowing.Window." + std::to_string(classStyle);
}

bool RegisterWindowClass(const std::string& name, UINT classStyle, WNDPROC procedure)
{
    WNDCLASSEXA known{};
    known.cbSize = sizeof known;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), name.c_str(), &known))
        return true;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    // The window paints its own background, in the 3D face colour.
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    windowClass.lpszClassName = name.c_str();
    return RegisterClassExA(&windowClass) != 0;
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
    const std::string windowClass = WindowClassFor(layout.classStyle);
    if (!RegisterWindowClass(windowClass, layout.classStyle, &Window::Procedure))
        return nullptr;

    std::unique_ptr<Window> window(new Window(layout, host));
    const Bounds bounds = layout.centred ? CentredOnScreen(GetSystemMetrics(SM_CXSCREEN),
                                                           GetSystemMetrics(SM_CYSCREEN), layout.bounds)
                                         : layout.bounds;
    const HWND created = CreateWindowExA(layout.exStyle, windowClass.c_str(), layout.caption, layout.style, bounds.left,
                                         bounds.top, bounds.width, bounds.height, nullptr, nullptr,
                                         GetModuleHandleA(nullptr), window.get());
    if (!created)
        return nullptr;

    RECT outer;
    GetWindowRect(created, &outer);
    if (outer.right - outer.left != bounds.width || outer.bottom - outer.top != bounds.height)
        MoveWindow(created, bounds.left, bounds.top, bounds.width, bounds.height, FALSE);

    if (layout.iconResource) {
        const HINSTANCE module = GetModuleHandleA(nullptr);
        window->largeIcon_.reset(static_cast<HICON>(LoadImageA(module, layout.iconResource, IMAGE_ICON, 32, 32, 0)));
        window->smallIcon_.reset(static_cast<HICON>(LoadImageA(module, layout.iconResource, IMAGE_ICON, 16, 16, 0)));
        SendMessageA(created, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(window->largeIcon_.get()));
        SendMessageA(created, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(window->smallIcon_.get()));
    }
    SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);

    if (!window->CreateControls())
        return nullptr;
    return window;
}

bool Window::CreateControls()
{
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    // Created in reverse layout order, each hidden until all exist.
    for (std::size_t i = layout_.controlCount; i-- > 0;) {
        const ControlLayout& control = layout_.controls[i];
        const DWORD style = control.style | (control.enabled ? 0 : WS_DISABLED);
        controls_[i] = CreateWindowExA(0, control.windowClass, control.caption, style, control.bounds.left,
                                       control.bounds.top, control.bounds.width, control.bounds.height, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                       GetModuleHandleA(nullptr), nullptr);
        if (!controls_[i])
            return false;
        SendMessageA(controls_[i], WM_SETFONT, font, FALSE);
    }
    for (std::size_t i = 0; i < layout_.controlCount; ++i)
        if (layout_.controls[i].visible)
            ShowWindow(controls_[i], SW_SHOWNA);
    return true;
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
        SendMessageA(window_, WM_CLOSE, 0, 0);
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
        auto* window = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        window->window_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!window)
        return DefWindowProcA(hwnd, message, wParam, lParam);
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
        const LRESULT result = DefWindowProcA(window_, message, wParam, lParam);
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        std::fill(controls_.begin(), controls_.end(), nullptr);
        host_.WindowDestroyed();
        return result;
    }
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace windowing
