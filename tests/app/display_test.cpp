// The tool's window as users see it on their systems: its texts as the window system hands them
// back in UTF-16, and its layout at the display scale of the run. This program runs under the code
// pages 936, 1252 and 950, at 100, 125, 150 and 200 %.
#include "app/main_window.h"
#include "app/windowing/runtime.h"
#include "win32/message_pump.h"

#include "tests/app/icon_size.h"
#include "tests/app/program_with_steps.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace windowing;

namespace {

int EnvironmentNumber(const char* name, int otherwise)
{
    char value[16];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::atoi(value) : otherwise;
}

int ScreenDpi()
{
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// What the window looks like at each display scale: the 96-DPI layout in proportion.
struct ExpectedLayout {
    int dpi;
    SIZE outer;
    RECT buttons[3];  // 按钮_创建, 按钮_删除, 按钮_启动, relative to the client area
    int largeIcon, smallIcon;
};

const ExpectedLayout kLayouts[] = {
    {96, {283, 86}, {{8, 8, 88, 40}, {96, 9, 176, 41}, {184, 8, 264, 40}}, 32, 16},
    {120, {354, 108}, {{10, 10, 110, 50}, {120, 11, 220, 51}, {230, 10, 330, 50}}, 40, 20},
    {144, {425, 129}, {{12, 12, 132, 60}, {144, 14, 264, 62}, {276, 12, 396, 60}}, 48, 24},
    {192, {566, 172}, {{16, 16, 176, 80}, {192, 18, 352, 82}, {368, 16, 528, 80}}, 64, 32},
};

const ExpectedLayout* LayoutFor(int dpi)
{
    for (const auto& layout : kLayouts)
        if (layout.dpi == dpi)
            return &layout;
    return nullptr;
}

const int kButtonIds[] = {100, 110, 120};
const wchar_t* const kButtonCaptions[] = {L"创建虚拟网卡", L"删除虚拟网卡", L"启动虚拟网卡"};

HWND MainWindowHandle()
{
    return FindWindowW(nullptr, L"架设个人wifi");
}

std::wstring TextOf(HWND window)
{
    wchar_t text[256] = {};
    const int length = GetWindowTextW(window, text, 256);
    return std::wstring(text, length > 0 ? length : 0);
}

LONG FontHeight(HFONT font)
{
    LOGFONTW description{};
    return GetObjectW(font, sizeof description, &description) == sizeof description ? description.lfHeight : 0;
}

// The button's caption on one line in the button's own font, and the room inside its edges.
struct Fit {
    SIZE text;
    SIZE room;
};

Fit CaptionFit(HWND button)
{
    const std::wstring caption = TextOf(button);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0));
    const HDC dc = GetDC(button);
    const HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    RECT text{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, previous);
    ReleaseDC(button, dc);

    RECT client;
    GetClientRect(button, &client);
    // A push button draws a raised edge and, inside it, the focus rectangle.
    const int edgeX = 2 * GetSystemMetrics(SM_CXEDGE);
    const int edgeY = 2 * GetSystemMetrics(SM_CYEDGE);
    return {{text.right - text.left, text.bottom - text.top},
            {client.right - client.left - 2 * edgeX, client.bottom - client.top - 2 * edgeY}};
}

RECT ClientRectOf(HWND window, HWND child)
{
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectLayout(HWND window, const ExpectedLayout& expected)
{
    SCOPED_TRACE(testing::Message() << expected.dpi << " DPI");
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, expected.outer.cx);
    EXPECT_EQ(outer.bottom - outer.top, expected.outer.cy);
    for (int i = 0; i < 3; ++i) {
        const RECT rect = ClientRectOf(window, GetDlgItem(window, kButtonIds[i]));
        SCOPED_TRACE(testing::Message() << "button " << kButtonIds[i]);
        EXPECT_EQ(rect.left, expected.buttons[i].left);
        EXPECT_EQ(rect.top, expected.buttons[i].top);
        EXPECT_EQ(rect.right, expected.buttons[i].right);
        EXPECT_EQ(rect.bottom, expected.buttons[i].bottom);
    }
    const SIZE large = IconSize(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)));
    const SIZE small = IconSize(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0)));
    EXPECT_EQ(large.cx, expected.largeIcon);
    EXPECT_EQ(large.cy, expected.largeIcon);
    EXPECT_EQ(small.cx, expected.smallIcon);
    EXPECT_EQ(small.cy, expected.smallIcon);
}

void ExpectCaptionsFit(HWND window, bool report = false)
{
    for (const int id : kButtonIds) {
        const Fit fit = CaptionFit(GetDlgItem(window, id));
        if (report)
            std::printf("code page %u, %d DPI, button %d: caption %ldx%ld in room %ldx%ld\n", GetACP(), ScreenDpi(), id,
                        fit.text.cx, fit.text.cy, fit.room.cx, fit.room.cy);
        SCOPED_TRACE(testing::Message() << "button " << id);
        EXPECT_GT(fit.text.cx, 0);
        EXPECT_LE(fit.text.cx, fit.room.cx);
        EXPECT_LE(fit.text.cy, fit.room.cy);
    }
}

void RunWithMainWindow(void (*body)(HWND window))
{
    static void (*pending)(HWND) = nullptr;
    pending = body;
    RunProgramWithSteps(MainWindow, [] {
        LoadStartupWindow(MainWindow);
        ProcessPendingEvents();
        const HWND window = MainWindowHandle();
        ASSERT_NE(window, nullptr);
        pending(window);
        DestroyWindow(window);
    });
}

}  // namespace

// The other checks mean something only if Wine took the code page and the scale they are run for.
TEST(Display, IsTheConfigurationThisRunIsFor)
{
    EXPECT_EQ(static_cast<int>(GetACP()), EnvironmentNumber("EXPECTED_CODEPAGE", 936));
    EXPECT_EQ(ScreenDpi(), EnvironmentNumber("EXPECTED_DPI", 96));
}

TEST(Display, CaptionsReadBackAsUtf16)
{
    RunWithMainWindow([](HWND window) {
        EXPECT_EQ(TextOf(window), L"架设个人wifi");
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(TextOf(GetDlgItem(window, kButtonIds[i])), kButtonCaptions[i]) << kButtonIds[i];
        EXPECT_TRUE(IsWindowUnicode(window));
    });
}

TEST(Display, WindowButtonsAndIconsInProportionToTheScale)
{
    RunWithMainWindow([](HWND window) {
        const ExpectedLayout* expected = LayoutFor(ScreenDpi());
        ASSERT_NE(expected, nullptr) << "no layout known for " << ScreenDpi() << " DPI";
        ExpectLayout(window, *expected);
        RECT outer;
        GetWindowRect(window, &outer);
        EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - expected->outer.cx) / 2);
        EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - expected->outer.cy) / 2);
        // At the system's DPI the stock font is already the right size.
        const auto stock = reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
        EXPECT_EQ(SendMessageW(window, WM_GETFONT, 0, 0), stock);
        for (const int id : kButtonIds)
            EXPECT_EQ(SendMessageW(GetDlgItem(window, id), WM_GETFONT, 0, 0), stock) << id;
    });
}

TEST(Display, EachCaptionFitsOnOneLineInItsButton)
{
    RunWithMainWindow([](HWND window) { ExpectCaptionsFit(window, true); });
}

// The window system tells a window that it now shows at another DPI, with the rectangle it
// suggests; the message is built here as it would send it.
TEST(Display, DpiChangedTakesTheSuggestedRectangleAndRescalesControlsFontAndIcons)
{
    RunWithMainWindow([](HWND window) {
        const int systemDpi = ScreenDpi();
        const LONG stockHeight = FontHeight(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        ASSERT_NE(stockHeight, 0);
        for (const int dpi : {192, 120, 96, 144, systemDpi}) {
            const ExpectedLayout& expected = *LayoutFor(dpi);
            SCOPED_TRACE(testing::Message() << "to " << dpi << " DPI");
            RECT suggested{40 + dpi, 30 + dpi / 2, 40 + dpi + expected.outer.cx, 30 + dpi / 2 + expected.outer.cy};
            EXPECT_EQ(SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested)), 0);

            RECT outer;
            GetWindowRect(window, &outer);
            EXPECT_EQ(outer.left, suggested.left);
            EXPECT_EQ(outer.top, suggested.top);
            ExpectLayout(window, expected);

            const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
            EXPECT_EQ(FontHeight(font), MulDiv(stockHeight, dpi, systemDpi));
            EXPECT_EQ(font == GetStockObject(DEFAULT_GUI_FONT), dpi == systemDpi);
            for (const int id : kButtonIds)
                EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(window, id), WM_GETFONT, 0, 0)), font) << id;
            ExpectCaptionsFit(window);
        }
    });
}
