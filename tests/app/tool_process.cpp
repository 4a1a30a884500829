#include "tests/app/tool_process.h"

#include <vector>

ToolProcess::ToolProcess(const std::string& program, const std::string& arguments,
                         const std::string& currentDirectory)
{
    std::string line = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, currentDirectory.c_str(),
                       &startup, &created)) {
        process_ = win32::ProcessHandles::Adopt(created);
        id_ = created.dwProcessId;
        thread_ = created.dwThreadId;
    }
}

ToolProcess::~ToolProcess()
{
    if (process_.process && WaitForSingleObject(process_.process.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.process.get(), 99);
        WaitForSingleObject(process_.process.get(), 5000);
    }
}

namespace {

struct WindowSearch {
    DWORD process;
    const char* windowClass;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process || !IsWindowVisible(window))
        return TRUE;
    if (search->windowClass && ClassOf(window) != search->windowClass)
        return TRUE;
    search->found = window;
    return FALSE;
}

template <typename Condition>
bool WaitUntil(unsigned timeoutMs, Condition condition)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() > deadline)
            return false;
        Sleep(10);
    }
    return true;
}

}  // namespace

HWND ToolProcess::WaitForWindow(const char* windowClass, unsigned timeoutMs) const
{
    WindowSearch search{id_, windowClass, nullptr};
    WaitUntil(timeoutMs, [&] {
        EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

HWND ToolProcess::Focus() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread_, &info) ? info.hwndFocus : nullptr;
}

bool ToolProcess::WaitForFocus(HWND control, unsigned timeoutMs) const
{
    // Key presses go to the foreground window: the control's window must be that one as well.
    return WaitUntil(timeoutMs,
                     [&] { return Focus() == control && GetForegroundWindow() == GetAncestor(control, GA_ROOT); });
}

DWORD ToolProcess::WaitForExit(unsigned timeoutMs) const
{
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_.process.get(), timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process_.process.get(), &code);
    return code;
}

namespace {

INPUT KeyInput(WORD virtualKey, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

void PressKey(WORD virtualKey, std::initializer_list<WORD> held)
{
    std::vector<INPUT> inputs;
    for (WORD modifier : held)
        inputs.push_back(KeyInput(modifier, false));
    inputs.push_back(KeyInput(virtualKey, false));
    inputs.push_back(KeyInput(virtualKey, true));
    for (auto it = held.end(); it != held.begin();)
        inputs.push_back(KeyInput(*--it, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ClickAt(POINT screen)
{
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    // The pointer has to be over the target before the button goes down, and stay there: the
    // display server reports pointer moves back late, and a click lands where it last said.
    SendInput(1, &inputs[0], sizeof(INPUT));
    WaitUntil(2000, [&] {
        POINT now;
        GetCursorPos(&now);
        return now.x == screen.x && now.y == screen.y;
    });
    Sleep(100);
    SendInput(2, &inputs[1], sizeof(INPUT));
}

POINT CentreOf(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::string WindowText(HWND window)
{
    char text[256] = {};
    const LRESULT length = SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return std::string(text, static_cast<std::size_t>(length));
}

std::string ClassOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}
