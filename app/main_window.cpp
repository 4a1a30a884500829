#include "app/main_window.h"

#include "app/resources/resource_ids.h"
#include "hostednet/actions.h"

#include <iterator>

namespace {

using windowing::PushButton;

// In layout order. The buttons are created in reverse, so 按钮_创建 gets the first control ID and
// comes first in the tab order; 按钮_删除 stands one pixel lower than the others.
constexpr windowing::ControlLayout kControls[] = {
    PushButton("按钮_启动", "启动虚拟网卡", {184, 8, 80, 32}, 120, StartAction),
    PushButton("按钮_删除", "删除虚拟网卡", {96, 9, 80, 32}, 110, DeleteAction),
    PushButton("按钮_创建", "创建虚拟网卡", {8, 8, 80, 32}, 100, CreateAction),
};

constexpr windowing::WindowLayout MainWindowLayout()
{
    windowing::WindowLayout window;
    window.caption = "架设个人wifi";
    window.bounds = {50, 50, 283, 86};  // the stored position is not used: the window is centred
    window.centred = true;
    window.style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    window.classStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    window.iconResource = IDI_DEFAULT_ICON;
    window.escCloses = true;
    window.controls = kControls;
    window.controlCount = std::size(kControls);
    return window;
}

}  // namespace

const windowing::WindowLayout MainWindow = MainWindowLayout();
