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
    const char* name;
    const char* windowClass;
    const char* caption;
    Bounds bounds;  // relative to the parent's client area
    int id;
    DWORD style;
    bool visible;
    bool enabled;
    bool tabStop;
    int tabKey;  // tab order: lower keys first; among equal keys the control listed later first
    ClickRoutine onClick;
};

struct WindowLayout {
    const char* caption;
    Bounds bounds;  // outer size; left and top are used only when the window is not centred
    bool centred;
    DWORD style;
    DWORD exStyle;
    UINT classStyle;
    const char* iconResource;  // null: no icon of its own
    bool escCloses;
    const ControlLayout* controls;
    std::size_t controlCount;
};

}  // namespace windowing
