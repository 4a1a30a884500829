#pragma once

#include <windows.h>

#include <cstddef>

// A window declared as data: its properties and its controls, each with the routine bound to its
// click. The windowing runtime turns a layout into real windows.
namespace windowing {

using ClickRoutine = void (*)();

struct Bounds {
    int left;
    int top;
    int width;
    int height;
};

struct ControlLayout {
    const char* name = nullptr;
    const char* windowClass = nullptr;
    const char* caption = nullptr;
    Bounds bounds{};  // relative to the parent's client area
    int id = 0;
    DWORD style = 0;
    bool visible = true;
    bool enabled = true;
    bool tabStop = true;
    int tabKey = 0;  // tab order: lower keys first; among equal keys the control listed later first
    ClickRoutine onClick = nullptr;
};

// An ordinary push button whose caption is centred and may wrap, in the tab order, visible and
// enabled, calling `onClick` when clicked.
constexpr ControlLayout PushButton(const char* name, const char* caption, Bounds bounds, int id, ClickRoutine onClick)
{
    ControlLayout button;
    button.name = name;
    button.windowClass = "BUTTON";
    button.caption = caption;
    button.bounds = bounds;
    button.id = id;
    button.style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
    button.onClick = onClick;
    return button;
}

struct WindowLayout {
    const char* caption = nullptr;
    Bounds bounds{};  // outer size; left and top are used only when the window is not centred
    bool centred = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT classStyle = 0;
    const char* iconResource = nullptr;  // null: no icon of its own
    bool escCloses = false;
    const ControlLayout* controls = nullptr;
    std::size_t controlCount = 0;
};

}  // namespace windowing
