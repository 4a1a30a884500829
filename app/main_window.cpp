#include "app/main_window.h"

#include "hostednet/actions.h"

namespace {

using windowing::ControlLayout;

constexpr DWORD kButtonStyle =
    WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;

// In layout order. The buttons are created in reverse, so 按钮_创建 gets the first control ID and
// comes first in the tab order.
constexpr ControlLayout kControls[] = {
    // name        class     caption          left  top  w   h    ID   style         visible enabled tab  key  click
    {"按钮_启动", "BUTTON", "启动虚拟网卡", {184, 8, 80, 32}, 120, kButtonStyle, true, true, true, 0, StartAction},
    {"按钮_删除", "BUTTON", "删除虚拟网卡", {96, 9, 80, 32}, 110, kButtonStyle, true, true, true, 0, DeleteAction},
    {"按钮_创建", "BUTTON", "创建虚拟网卡", {8, 8, 80, 32}, 100, kButtonStyle, true, true, true, 0, CreateAction},
};

}  // namespace

const windowing::WindowLayout MainWindow = {
    "架设个人wifi",
    {50, 50, 283, 86},
    true,
    WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
    0,
    CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
    "DEFAULT_ICON",
    true,
    kControls,
    sizeof kControls / sizeof kControls[0],
};
