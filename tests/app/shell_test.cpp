// The tool's own window and start-up in this process, with the real actions. This program runs
// beside a planted copy of the recording stand-in named netsh.exe; the stand-in that must run is
// the one in the system folder.
#include "app/main_window.h"
#include "app/program.h"
#include "app/windowing/runtime.h"
#include "win32/message_pump.h"

#include "commands/system_commands_instance.h"
#include "tests/app/icon_size.h"
#include "tests/app/program_with_steps.h"
#include "tests/support/recorder_log.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace windowing;

namespace {

const WindowLayout* const kLayouts[] = {&MainWindow};

// The tool's real start-up, with the body run from inside its event loop once the window is up.
// The body ends by closing the window.
int RunWithMainWindow(const std::function<void()>& body)
{
    RunStepsOnceShown("架设个人wifi", body);
    return RunProgram(kLayouts, 1, &StartProgram);
}

// The tool's window of this test program; another program's window of that caption is not it.
HWND MainWindowHandle()
{
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, nullptr, "架设个人wifi")) != nullptr;)
        if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
            return window;
    return nullptr;
}

struct ObjectCounts {
    DWORD handles, windows, user, gdi;
};

// Wine answers 0 to GetProcessHandleCount and GetGuiResources, so the kernel handles are counted by
// asking about every handle value in use, and the windows by enumerating them.
DWORD CountOpenHandles()
{
    DWORD open = 0;
    for (UINT_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++open;
    }
    return open;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count)
{
    ++*reinterpret_cast<DWORD*>(count);
    EnumChildWindows(window, &CountWindow, count);
    return TRUE;
}

ObjectCounts CountObjects()
{
    ObjectCounts counts{};
    counts.handles = CountOpenHandles();
    EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&counts.windows));
    counts.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    counts.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return counts;
}

}  // namespace

TEST(MainWindow, ClassFontIconsAndBackground)
{
    RunWithMainWindow([] {
        const HWND window = MainWindowHandle();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(GetClassLongPtrA(window, GCLP_HBRBACKGROUND), reinterpret_cast<ULONG_PTR>(GetStockObject(NULL_BRUSH)));
        EXPECT_EQ(GetClassLongPtrA(window, GCLP_HCURSOR), reinterpret_cast<ULONG_PTR>(LoadCursor(nullptr, IDC_ARROW)));
        EXPECT_EQ(GetClassLongPtrA(window, GCLP_HICON), 0u) << "no class icon";

        const auto defaultFont = reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
        EXPECT_EQ(SendMessageA(window, WM_GETFONT, 0, 0), defaultFont);
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            EXPECT_EQ(SendMessageA(child, WM_GETFONT, 0, 0), defaultFont) << GetDlgCtrlID(child);

        const SIZE large = IconSize(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0)));
        const SIZE small = IconSize(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0)));
        EXPECT_EQ(large.cx, 32);
        EXPECT_EQ(large.cy, 32);
        EXPECT_EQ(small.cx, 16);
        EXPECT_EQ(small.cy, 16);

        // Between the buttons and below them the client area shows the 3D face colour.
        UpdateWindow(window);
        const HDC dc = GetDC(window);
        EXPECT_EQ(GetPixel(dc, 4, 60), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(GetPixel(dc, 92, 20), GetSysColor(COLOR_BTNFACE));
        ReleaseDC(window, dc);
        DestroyWindow(window);
    });
}

TEST(MainWindow, EscEndsTheProgramWithCodeZeroAfterReleasingTheSystemCommands)
{
    // The real start-up, with Esc pressed once the event loop runs.
    PressEscOnceFocused();
    const int exitCode = RunProgram(kLayouts, 1, &StartProgram);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(systemCommands, nullptr) << "ReleaseGlobals did not run";
    EXPECT_EQ(MainWindowHandle(), nullptr);
}

TEST(MainWindow, TwoHundredClicksAllRunInOrderAndLeaveNoObjectsBehind)
{
    RunWithMainWindow([] {
        const HWND window = MainWindowHandle();
        const HWND buttons[] = {GetDlgItem(window, 100), GetDlgItem(window, 110), GetDlgItem(window, 120)};
        const std::size_t linesPerClick[] = {1, 1, 4};
        const char* const firstLine[] = {"netsh wlan set hostednetwork mode=allow ssid=wifi key=pebrowask",
                                         "netsh wlan set hostednetwork mode=disallow",
                                         "netsh wlan start hostednetwork "};

        const auto clickAll = [&](int count, RecorderLog& log) {
            std::vector<std::string> expected;
            for (int i = 0; i < count; ++i) {
                PostMessageA(buttons[i % 3], BM_CLICK, 0, 0);
                expected.push_back(firstLine[i % 3]);
            }
            std::size_t lines = 0;
            for (int i = 0; i < count; ++i)
                lines += linesPerClick[i % 3];
            ProcessPendingEvents();
            std::vector<RecordedLaunch> launches = log.WaitFor(lines, 240000);
            EXPECT_EQ(launches.size(), lines);
            EXPECT_EQ(StartedOutsideTheSystemFolder(launches), std::vector<std::wstring>{}) << "a planted netsh ran";
            std::vector<std::string> firstLines;
            for (std::size_t i = 0; i < launches.size(); i += (launches[i].commandLine == firstLine[2] ? 4 : 1))
                firstLines.push_back(launches[i].commandLine);
            EXPECT_EQ(firstLines, expected);
        };

        {
            RecorderLog warmUp;  // the first launches load what every later one shares
            clickAll(3, warmUp);
        }
        const ObjectCounts before = CountObjects();
        RecorderLog log;
        clickAll(200, log);
        const ObjectCounts after = CountObjects();
        EXPECT_GT(before.handles, 0u);
        EXPECT_EQ(after.handles, before.handles);
        EXPECT_EQ(after.windows, before.windows);
        EXPECT_EQ(after.user, before.user);
        EXPECT_EQ(after.gdi, before.gdi);
        std::printf("before and after 200 clicks: %lu/%lu handles, %lu/%lu windows, "
                    "%lu/%lu USER and %lu/%lu GDI objects as the system reports them\n",
                    static_cast<unsigned long>(before.handles), static_cast<unsigned long>(after.handles),
                    static_cast<unsigned long>(before.windows), static_cast<unsigned long>(after.windows),
                    static_cast<unsigned long>(before.user), static_cast<unsigned long>(after.user),
                    static_cast<unsigned long>(before.gdi), static_cast<unsigned long>(after.gdi));
        DestroyWindow(window);
    });
}
