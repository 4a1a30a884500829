// The windowing runtime in this process, driven with hand-built messages: what cannot be seen
// from outside a program (at-exit routine, dropped events, the quit message, focus per key).
#include "win32/message_pump.h"
#include "app/windowing/runtime.h"
#include "commands/capture.h"
#include "tests/app/program_with_steps.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace windowing;

namespace {

// What the routines of the test windows saw. Click, at-exit and callback routines take no
// context, so they reach it through this one global, which the fixture resets for every test.
struct Seen {
    int clicks[3] = {};
    int atExitA = 0;
    int atExitB = 0;
    std::string order;
    bool closedDuringCapture = false;
    Text captured;
};
Seen seen;

class Runtime : public testing::Test {
protected:
    void SetUp() override { seen = Seen{}; }
};

void ClickFirst() { ++seen.clicks[0]; }
void ClickSecond() { ++seen.clicks[1]; }
void ClickThird() { ++seen.clicks[2]; }

constexpr DWORD kButton = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
const char kCaption[] = "runtime test window";

// Shaped like the tool's window: three buttons, listed right to left, all with the same tab key.
const ControlLayout kButtons[] = {
    {"third", "BUTTON", "third", {184, 8, 80, 32}, 120, kButton, true, true, true, 0, ClickThird},
    {"second", "BUTTON", "second", {96, 9, 80, 32}, 110, kButton, true, true, true, 0, ClickSecond},
    {"first", "BUTTON", "first", {8, 8, 80, 32}, 100, kButton, true, true, true, 0, ClickFirst},
};
const WindowLayout kWindow = {kCaption, {50, 50, 283, 86}, true, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                              0, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, nullptr, true, kButtons, 3};
int RunProgramWith(const std::function<void()>& body)
{
    return RunProgramWithSteps(kWindow, body);
}

HWND TestWindow() { return FindWindowA(nullptr, kCaption); }
HWND Button(int id) { return GetDlgItem(TestWindow(), id); }

void CountA() { ++seen.atExitA; }
void CountB() { ++seen.atExitB; }

}  // namespace

TEST_F(Runtime, NormalEndRunsTheLastRegisteredAtExitRoutineOnce)
{
    const int exitCode = RunProgramWith([] {
        RegisterAtExit(&CountA);
        RegisterAtExit(&CountB);
        LoadStartupWindow(kWindow);
        PostMessageA(TestWindow(), WM_CLOSE, 0, 0);
        EXPECT_EQ(win32::RunEventLoop(), 0);
        EXPECT_EQ(seen.atExitB, 0) << "the at-exit routine runs only after the start routine";
    });
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(seen.atExitA, 0);
    EXPECT_EQ(seen.atExitB, 1);
    EXPECT_EQ(TestWindow(), nullptr);
}

// The probe library lies beside this program, where a search that includes the exe's folder finds
// it. Once the runtime has started, before it builds a window, a load by name must miss it.
TEST_F(Runtime, LibrariesAreLoadedOnlyFromTheSystemFolderBeforeAnyWindowExists)
{
    bool windowExisted = true;
    HMODULE plantedByName = nullptr;
    RunProgramWith([&] {
        windowExisted = TestWindow() != nullptr;
        plantedByName = LoadLibraryW(L"planted_probe.dll");
        const HMODULE system = LoadLibraryW(L"version.dll");
        EXPECT_NE(system, nullptr) << "the system folder is searched no more";
        if (system)
            FreeLibrary(system);
    });
    EXPECT_FALSE(windowExisted);
    EXPECT_EQ(plantedByName, nullptr) << "the library beside the exe was loaded";
    if (plantedByName)
        FreeLibrary(plantedByName);

    // The probe is there and loadable: asked for in the exe's folder explicitly, it is found.
    const HMODULE asked = LoadLibraryExW(L"planted_probe.dll", nullptr, LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
    EXPECT_NE(asked, nullptr);
    if (asked)
        FreeLibrary(asked);
}

HHOOK hook = nullptr;

LRESULT CALLBACK ClickEachButtonOnCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && (reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->style & WS_CHILD))
        PostMessageA(reinterpret_cast<HWND>(wParam), BM_CLICK, 0, 0);
    return CallNextHookEx(hook, code, wParam, lParam);
}

TEST_F(Runtime, EventsRaisedWhileBuildingAreDropped)
{
    // Every button is clicked as soon as it is created; those clicks are handled while the window
    // is still being built, so none may reach its routine.
    hook = SetWindowsHookExA(WH_CBT, &ClickEachButtonOnCreation, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    RunProgramWith([] {
        LoadStartupWindow(kWindow);
        UnhookWindowsHookEx(hook);
        EXPECT_EQ(seen.clicks[0] + seen.clicks[1] + seen.clicks[2], 0);

        PostMessageA(Button(110), BM_CLICK, 0, 0);
        ProcessPendingEvents();
        EXPECT_EQ(seen.clicks[1], 1) << "after building, clicks are delivered";
        DestroyWindow(TestWindow());
    });
}

TEST_F(Runtime, ProcessPendingEventsHandlesTheQueueButLeavesTheQuitMessage)
{
    const int exitCode = RunProgramWith([] {
        LoadStartupWindow(kWindow);
        PostMessageA(Button(100), BM_CLICK, 0, 0);
        PostQuitMessage(7);
        PostMessageA(Button(120), BM_CLICK, 0, 0);
        ProcessPendingEvents();
        EXPECT_EQ(seen.clicks[0], 1);
        EXPECT_EQ(seen.clicks[2], 1);

        MSG quit;
        ASSERT_TRUE(PeekMessageA(&quit, nullptr, 0, 0, PM_NOREMOVE));
        EXPECT_EQ(quit.message, static_cast<UINT>(WM_QUIT));
        EXPECT_EQ(quit.wParam, 7u);
        ProcessPendingEvents();  // still there afterwards
        EXPECT_EQ(win32::RunEventLoop(), 7);
        DestroyWindow(TestWindow());
    });
    EXPECT_EQ(exitCode, 7) << "the program ends with the code of the quit message";
}

namespace {

// Turns a marker message into WM_QUIT as it is taken from the queue, so that the quit message
// reaches only a removing peek that an earlier look had seen as an ordinary message.
constexpr UINT kBecomesQuit = WM_APP + 7;
HHOOK quitHook = nullptr;

LRESULT CALLBACK QuitOnRemoval(int code, WPARAM removal, LPARAM lParam)
{
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && message->message == kBecomesQuit) {
        message->message = WM_QUIT;
        message->wParam = 5;
    }
    return CallNextHookEx(quitHook, code, removal, lParam);
}

}  // namespace

TEST_F(Runtime, ProcessPendingEventsKeepsAQuitMessageThatItsRemovingPeekTook)
{
    quitHook = SetWindowsHookExA(WH_GETMESSAGE, &QuitOnRemoval, nullptr, GetCurrentThreadId());
    ASSERT_NE(quitHook, nullptr);
    PostThreadMessageA(GetCurrentThreadId(), kBecomesQuit, 0, 0);
    ProcessPendingEvents();
    UnhookWindowsHookEx(quitHook);

    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) << "the quit message was lost";
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 5u);
}

TEST_F(Runtime, AClickDuringARunningActionRunsAfterIt)
{
    static const ControlLayout slowButtons[] = {
        {"slow", "BUTTON", "slow", {8, 8, 80, 32}, 100, kButton, true, true, true, 0,
         [] {
             seen.order += "slow(";
             // Clicked again while this routine still runs: the click waits in the queue.
             PostMessageA(GetDlgItem(FindWindowA(nullptr, kCaption), 110), BM_CLICK, 0, 0);
             Sleep(200);
             seen.order += ")";
         }},
        {"quick", "BUTTON", "quick", {96, 8, 80, 32}, 110, kButton, true, true, true, 0, [] { seen.order += "quick"; }},
    };
    static const WindowLayout slowWindow = {kCaption, {0, 0, 283, 86}, true, WS_CAPTION | WS_SYSMENU, 0, 0,
                                            nullptr, true, slowButtons, 2};
    RunProgramWith([] {
        LoadStartupWindow(slowWindow);
        PostMessageA(Button(100), BM_CLICK, 0, 0);
        ProcessPendingEvents();
        EXPECT_EQ(seen.order, "slow()quick");
        DestroyWindow(TestWindow());
    });
}

namespace {

// A key as the window system queues it, to the control that has the focus.
struct Key {
    const char* name;
    UINT vk;
    bool shift, ctrl, alt;
};

void Press(const Key& key)
{
    BYTE state[256] = {};
    state[VK_SHIFT] = key.shift ? 0x80 : 0;
    state[VK_CONTROL] = key.ctrl ? 0x80 : 0;
    state[VK_MENU] = key.alt ? 0x80 : 0;
    SetKeyboardState(state);
    const HWND target = GetFocus();
    const UINT down = key.alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = key.alt ? WM_SYSKEYUP : WM_KEYUP;
    const LPARAM context = key.alt ? (1 << 29) : 0;
    PostMessageA(target, down, key.vk, context | 1);
    PostMessageA(target, up, key.vk, context | 1 | (1u << 30) | (1u << 31));
    ProcessPendingEvents();
    BYTE released[256] = {};
    SetKeyboardState(released);
}

}  // namespace

TEST_F(Runtime, KeyboardMovesFocusAndClicksAsAWindowNotADialog)
{
    const struct {
        Key key;
        int focusId;  // control that has the focus afterwards
        int clicks[3];
    } steps[] = {
        {{"Tab", VK_TAB, false, false, false}, 110, {0, 0, 0}},
        {{"Tab", VK_TAB, false, false, false}, 120, {0, 0, 0}},
        {{"Tab", VK_TAB, false, false, false}, 100, {0, 0, 0}},
        {{"Shift+Tab", VK_TAB, true, false, false}, 120, {0, 0, 0}},
        {{"Shift+Tab", VK_TAB, true, false, false}, 110, {0, 0, 0}},
        {{"Ctrl+Tab", VK_TAB, false, true, false}, 110, {0, 0, 0}},
        {{"Enter", VK_RETURN, false, false, false}, 110, {0, 0, 0}},
        {{"F1", VK_F1, false, false, false}, 110, {0, 0, 0}},
        {{"Right", VK_RIGHT, false, false, false}, 110, {0, 0, 0}},
        {{"Down", VK_DOWN, false, false, false}, 110, {0, 0, 0}},
        {{"Alt+W", 'W', false, false, true}, 110, {0, 0, 0}},
        {{"Alt+1", '1', false, false, true}, 110, {0, 0, 0}},
        {{"Space", VK_SPACE, false, false, false}, 110, {0, 1, 0}},
        {{"Shift+Tab", VK_TAB, true, false, false}, 100, {0, 1, 0}},
        {{"Space", VK_SPACE, false, false, false}, 100, {1, 1, 0}},
        {{"Ctrl+Esc", VK_ESCAPE, false, true, false}, 100, {1, 1, 0}},
        {{"Shift+Esc", VK_ESCAPE, true, false, false}, 100, {1, 1, 0}},
    };
    RunProgramWith([&steps] {
        LoadStartupWindow(kWindow);
        ProcessPendingEvents();
        ASSERT_EQ(GetFocus(), Button(100)) << "the first button in tab order has the focus at start";
        for (const auto& step : steps) {
            Press(step.key);
            EXPECT_EQ(GetDlgCtrlID(GetFocus()), step.focusId) << "after " << step.key.name;
            EXPECT_EQ(seen.clicks[0], step.clicks[0]) << "after " << step.key.name;
            EXPECT_EQ(seen.clicks[1], step.clicks[1]) << "after " << step.key.name;
            EXPECT_EQ(seen.clicks[2], step.clicks[2]) << "after " << step.key.name;
            ASSERT_NE(TestWindow(), nullptr) << "closed by " << step.key.name;
        }
        Press({"Esc", VK_ESCAPE, false, false, false});
        EXPECT_EQ(TestWindow(), nullptr) << "Esc closes the window before the key handling returns";
    });
}

TEST_F(Runtime, TabSkipsDisabledAndHiddenControls)
{
    RunProgramWith([] {
        LoadStartupWindow(kWindow);
        ProcessPendingEvents();
        EnableWindow(Button(110), FALSE);
        Press({"Tab", VK_TAB, false, false, false});
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), 120);
        ShowWindow(Button(100), SW_HIDE);
        Press({"Tab", VK_TAB, false, false, false});
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), 120) << "the only control left keeps the focus";
        DestroyWindow(TestWindow());
    });
}

TEST_F(Runtime, RegainedFocusGoesBackToTheButtonThatHadIt)
{
    RunProgramWith([] {
        LoadStartupWindow(kWindow);
        ProcessPendingEvents();
        Press({"Tab", VK_TAB, false, false, false});
        ASSERT_EQ(GetDlgCtrlID(GetFocus()), 110);

        const HWND other = CreateWindowExA(0, "STATIC", "elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100,
                                           100, nullptr, nullptr, nullptr, nullptr);
        SetActiveWindow(other);
        ProcessPendingEvents();
        SetActiveWindow(TestWindow());
        ProcessPendingEvents();
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), 110);

        SetFocus(TestWindow());
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), 110) << "the window itself never keeps the focus";
        DestroyWindow(other);
        DestroyWindow(TestWindow());
    });
}

namespace {


// A button whose action captures a command that runs for about two seconds.
const ControlLayout kCaptureButton[] = {
    {"capture", "BUTTON", "capture", {8, 8, 80, 32}, 100, kButton, true, true, true, 0,
     [] {
         seen.captured = CaptureCommandOutput("ping -n 3 127.0.0.1", [](const char*) -> std::int32_t {
             seen.closedDuringCapture = seen.closedDuringCapture || !TestWindow();
             return 0;
         }, true);
     }},
};
const WindowLayout kCaptureWindow = {kCaption, {0, 0, 283, 86}, true, WS_CAPTION | WS_SYSMENU, 0, 0, nullptr, true,
                                     kCaptureButton, 1};

}  // namespace

TEST_F(Runtime, ClosingTheWindowDuringACaptureEndsTheProgramAfterIt)
{
    const int exitCode = RunProgramWith([] {
        RegisterAtExit(&CountA);
        LoadStartupWindow(kCaptureWindow);
        PostMessageA(Button(100), BM_CLICK, 0, 0);
        PressEscOnceFocused();
        EXPECT_EQ(win32::RunEventLoop(), 0);
    });
    EXPECT_TRUE(seen.closedDuringCapture) << "the window was still open when the command ended";
    EXPECT_NE(seen.captured.find("127.0.0.1"), std::string::npos) << seen.captured;
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(seen.atExitA, 1);
}
