#include "app/windowing/runtime.h"

#include "app/windowing/module_folder.h"
#include "app/windowing/window.h"
#include "win32/dll_search.h"
#include "win32/message_pump.h"
#include "win32/wide_text.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace windowing {
namespace {

struct Runtime final : WindowHost {
    AtExitRoutine atExit = nullptr;
    bool eventsDelivered = true;
    std::vector<std::unique_ptr<Window>> windows;

    bool EventsDelivered() const noexcept override { return eventsDelivered; }

    // When no window is left and the event loop runs, the loop is asked to end.
    void WindowDestroyed() noexcept override
    {
        const bool anyLeft = std::any_of(windows.begin(), windows.end(),
                                         [](const std::unique_ptr<Window>& window) { return window->exists(); });
        if (!anyLeft && win32::EventLoopStarted())
            PostQuitMessage(0);
    }

    void InternalError() noexcept override { FatalRuntimeError("程序内部错误。"); }
};

Runtime runtime;

// In UTF-16, the path is right whatever the folders are called; in the system's code page a name
// it cannot hold would come back as question marks.
void MakeExecutableFolderCurrent()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return;
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::wstring folder = FolderOfModule(path);
    if (!folder.empty())
        SetCurrentDirectoryW(folder.c_str());
}

void OutOfMemory()
{
    FatalRuntimeError("内存不足。");
}

bool KeyPressInWindow(const MSG& message)
{
    const HWND topLevel = GetAncestor(message.hwnd, GA_ROOT);
    for (const auto& window : runtime.windows)
        if (window->exists() && window->handle() == topLevel)
            return window->HandleKey(message);
    return false;
}

void ReadLayouts(const WindowLayout* const* layouts, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        if (!layouts[i] || !IsReadableLayout(*layouts[i]))
            FatalRuntimeError("无法读取窗口布局。");
}

// Destroying a window reports back to the runtime, which then looks at the list of windows: the
// list is emptied before the windows in it go.
void ReleaseWindows() noexcept
{
    std::vector<std::unique_ptr<Window>> windows = std::move(runtime.windows);
    runtime.windows.clear();
    windows.clear();
}

void Initialise(const WindowLayout* const* layouts, std::size_t count)
{
    // Before anything loads a library: the exe's folder is often Downloads, where a DLL of a
    // system name may wait.
    win32::RestrictDllSearchToSystemFolder();
    MakeExecutableFolderCurrent();
    std::set_new_handler(&OutOfMemory);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    win32::SetKeyboardFilter(&KeyPressInWindow);
    ReadLayouts(layouts, count);
}

}  // namespace

bool IsReadableLayout(const WindowLayout& layout) noexcept
{
    if (!layout.caption || layout.bounds.width <= 0 || layout.bounds.height <= 0)
        return false;
    if (layout.controlCount > 0 && !layout.controls)
        return false;
    for (std::size_t i = 0; i < layout.controlCount; ++i) {
        const ControlLayout& control = layout.controls[i];
        if (!control.windowClass || !control.caption || control.bounds.width <= 0 || control.bounds.height <= 0)
            return false;
        for (std::size_t j = 0; j < i; ++j)
            if (layout.controls[j].id == control.id)
                return false;
    }
    return true;
}

void RegisterAtExit(AtExitRoutine routine) noexcept
{
    runtime.atExit = routine;
}

void LoadStartupWindow(const WindowLayout& layout)
{
    runtime.eventsDelivered = false;
    std::unique_ptr<Window> window = Window::Build(layout, runtime);
    if (!window)
        FatalRuntimeError("无法创建程序窗口。");
    const HWND handle = window->handle();
    runtime.windows.push_back(std::move(window));
    // Whatever building queued is handled now, its events dropped.
    ProcessPendingEvents();
    runtime.eventsDelivered = true;
    ShowWindow(handle, SW_SHOW);
}

void FatalRuntimeError(const char* message) noexcept
{
    runtime.eventsDelivered = false;
    // Memory may be what ran out, so the texts are converted into room of the stack's.
    wchar_t text[256];
    wchar_t caption[32];
    win32::WideFromTextInto(message, text);
    win32::WideFromTextInto("运行时错误", caption);
    MessageBoxW(nullptr, text, caption, MB_OK | MB_ICONSTOP);
    runtime.atExit = nullptr;
    ReleaseWindows();
    ExitProcess(static_cast<UINT>(-1));
}

int RunProgram(const WindowLayout* const* layouts, std::size_t layoutCount, StartRoutine start)
{
    Initialise(layouts, layoutCount);
    try {
        start();
    } catch (...) {
        runtime.InternalError();
    }
    if (const AtExitRoutine atExit = std::exchange(runtime.atExit, nullptr))
        atExit();
    ReleaseWindows();
    return win32::LastQuitCode();
}

}  // namespace windowing
