#pragma once

#include "win32/unique_handle.h"

#include <windows.h>

#include <string>
#include <vector>

// A program of the build started as a user would start it, and driven from outside through the
// window system: real key presses and mouse clicks, or messages posted to its windows.
class ToolProcess {
public:
    // Starts the program with the given arguments from `currentDirectory` (not its own folder).
    ToolProcess(const std::string& program, const std::string& arguments, const std::string& currentDirectory);
    ~ToolProcess();
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    bool started() const { return static_cast<bool>(process_.process); }
    DWORD id() const { return id_; }

    // Its visible top-level window of the given class (any class when null), waiting for it.
    HWND WaitForWindow(const char* windowClass = nullptr, unsigned timeoutMs = 15000) const;

    // The control of its GUI thread that has the keyboard focus now.
    HWND Focus() const;
    // Waits until `control` has the focus in the foreground window; false when it does not get it
    // in time.
    bool WaitForFocus(HWND control, unsigned timeoutMs = 15000) const;

    // Waits for the process to end and gives its exit code; STILL_ACTIVE when it has not ended.
    DWORD WaitForExit(unsigned timeoutMs = 15000) const;

private:
    win32::ProcessHandles process_;
    DWORD id_ = 0;
    DWORD thread_ = 0;
};

// Real input through the window system, to whatever window is under the pointer or has the focus.
void PressKey(WORD virtualKey, std::initializer_list<WORD> held = {});
void ClickAt(POINT screen);
POINT CentreOf(HWND window);

// A window's text, read across processes, as bytes of its code page.
std::string WindowText(HWND window);
std::string ClassOf(HWND window);

// The controls of a window in z-order, top first.
std::vector<HWND> Children(HWND parent);
