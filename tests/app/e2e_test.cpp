// The real tool, started from another folder on a virtual display and used as a person would:
// its window is checked with the window system's own queries, and what it starts is seen by the
// recording stand-in that takes the place of netsh in the system folder. Copies of the stand-in
// planted beside the tool as netsh.exe and cmd.exe must never run.
#include "app/resources/resource_ids.h"
#include "tests/app/tool_process.h"
#include "tests/support/filetime.h"
#include "tests/support/recorder_log.h"
#include "tests/support/temp_path.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

const char kCaption[] = "架设个人wifi";
const char kCreateLine[] = "netsh wlan set hostednetwork mode=allow ssid=wifi key=pebrowask";
const char kDeleteLine[] = "netsh wlan set hostednetwork mode=disallow";
const char kStartLine[] = "netsh wlan start hostednetwork ";

// The tool started from the temporary folder, with its window up.
class Tool : public testing::Test {
protected:
    explicit Tool(const char* folder = "tool")
        : folder_(ExecutableFolder() + "\\" + folder),
          tool_(folder_ + "\\personal-wifi.exe", "", TempFolder()),
          window_(tool_.WaitForWindow())
    {
    }

    void SetUp() override
    {
        ASSERT_TRUE(tool_.started());
        ASSERT_NE(window_, nullptr) << "no window appeared";
        ASSERT_TRUE(tool_.WaitForFocus(Button(100))) << "the first button never got the focus";
    }

    HWND Button(int id) const { return GetDlgItem(window_, id); }

    // Waits a moment to make sure nothing more than `count` launches follow; every one of them
    // must have been the system's tool.
    std::vector<RecordedLaunch> Launches(std::size_t count) const
    {
        std::vector<RecordedLaunch> launches = log_.WaitFor(count);
        if (launches.size() == count)
            launches = log_.WaitFor(count + 1, 500);
        EXPECT_EQ(StartedOutsideTheSystemFolder(launches), std::vector<std::wstring>{}) << "a planted copy ran";
        return launches;
    }

    RecorderLog log_;
    std::string folder_;
    ToolProcess tool_;
    HWND window_;
};

}  // namespace

TEST_F(Tool, WindowIsCentredWithItsDeclaredLookAndButtons)
{
    EXPECT_EQ(WindowText(window_), kCaption);
    RECT outer;
    GetWindowRect(window_, &outer);
    // Centred, each quotient truncated toward zero.
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 283) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 86) / 2);
    EXPECT_EQ(outer.right - outer.left, 283);
    EXPECT_EQ(outer.bottom - outer.top, 86);

    const LONG style = GetWindowLongA(window_, GWL_STYLE);
    const LONG shapeBits = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME |
                           WS_CLIPCHILDREN | WS_POPUP | WS_CHILD | WS_VISIBLE | WS_DISABLED;
    EXPECT_EQ(style & shapeBits, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN | WS_VISIBLE);
    // The window system adds the edge of a captioned window by itself.
    EXPECT_EQ(GetWindowLongA(window_, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
    EXPECT_EQ(GetClassLongA(window_, GCL_STYLE), static_cast<DWORD>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));
    EXPECT_EQ(GetWindow(window_, GW_OWNER), nullptr) << "shown in the taskbar, owned by nobody";
    EXPECT_EQ(GetMenu(window_), nullptr);

    const struct {
        int id;
        const char* caption;
        RECT rect;  // relative to the client area
    } buttons[] = {
        {100, "创建虚拟网卡", {8, 8, 88, 40}},
        {110, "删除虚拟网卡", {96, 9, 176, 41}},
        {120, "启动虚拟网卡", {184, 8, 264, 40}},
    };
    const std::vector<HWND> children = Children(window_);
    ASSERT_EQ(children.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        // Each control created goes below the ones before it: 创建 was created first.
        const HWND button = children[i];
        SCOPED_TRACE(buttons[i].caption);
        EXPECT_EQ(GetDlgCtrlID(button), buttons[i].id);
        EXPECT_EQ(ClassOf(button), "Button");
        EXPECT_EQ(WindowText(button), buttons[i].caption);
        RECT rect;
        GetWindowRect(button, &rect);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, buttons[i].rect.left);
        EXPECT_EQ(rect.top, buttons[i].rect.top);
        EXPECT_EQ(rect.right, buttons[i].rect.right);
        EXPECT_EQ(rect.bottom, buttons[i].rect.bottom);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(button, GWL_STYLE)),
                  static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON |
                                     BS_CENTER | BS_VCENTER | BS_MULTILINE));
        EXPECT_EQ(GetWindowLongA(button, GWL_EXSTYLE), 0);
    }
    PressKey(VK_ESCAPE);
    EXPECT_EQ(tool_.WaitForExit(), 0u);
}

TEST_F(Tool, KeyboardCyclesFocusClicksWithSpaceAndClosesWithEsc)
{
    const struct {
        const char* name;
        WORD key;
        std::initializer_list<WORD> held;
        int focus;
    } keys[] = {
        {"Tab", VK_TAB, {}, 110},
        {"Tab", VK_TAB, {}, 120},
        {"Tab", VK_TAB, {}, 100},
        {"Shift+Tab", VK_TAB, {VK_SHIFT}, 120},
        {"Shift+Tab", VK_TAB, {VK_SHIFT}, 110},
    };
    for (const auto& key : keys) {
        PressKey(key.key, key.held);
        EXPECT_TRUE(tool_.WaitForFocus(Button(key.focus))) << "after " << key.name << " the focus is on "
                                                           << GetDlgCtrlID(tool_.Focus());
    }

    PressKey(VK_SPACE);
    EXPECT_EQ(CommandLinesOf(Launches(1)), std::vector<std::string>{kDeleteLine}) << "Space clicks once";
    PressKey(VK_RETURN);
    EXPECT_EQ(Launches(1).size(), 1u) << "Enter clicks nothing";
    EXPECT_EQ(tool_.Focus(), Button(110));

    PressKey(VK_ESCAPE);
    EXPECT_EQ(tool_.WaitForExit(), 0u);
}

TEST_F(Tool, MouseClicksStartTheCommandsHiddenInTheToolsFolder)
{
    ClickAt(CentreOf(Button(100)));
    std::vector<RecordedLaunch> launches = Launches(1);
    ASSERT_EQ(CommandLinesOf(launches), std::vector<std::string>{kCreateLine});
    EXPECT_EQ(launches[0].showRequest, static_cast<unsigned>(SW_HIDE));
    EXPECT_EQ(launches[0].startFlags, static_cast<unsigned long>(STARTF_USESHOWWINDOW));
    EXPECT_EQ(_stricmp(launches[0].currentDirectory.c_str(), folder_.c_str()), 0)
        << "started in " << launches[0].currentDirectory;

    ClickAt(CentreOf(Button(120)));
    launches = Launches(5);
    const std::string connection = "\"无线网络连接 2\"";
    const std::vector<std::string> expected = {
        kCreateLine,
        kStartLine,
        "netsh interface ip set address name=" + connection +
            " source=static addr=192.168.0.10 mask=255.255.255.0 gateway=192.168.0.1",
        "netsh interface ip set dns " + connection + " source=static addr=192.168.0.1",
        "netsh interface ip add dns " + connection + " addr=",
    };
    EXPECT_EQ(CommandLinesOf(launches), expected);
    for (const RecordedLaunch& launch : launches)
        EXPECT_EQ(launch.showRequest, static_cast<unsigned>(SW_HIDE)) << launch.commandLine;

    PressKey(VK_ESCAPE);
    EXPECT_EQ(tool_.WaitForExit(), 0u);
}

TEST_F(Tool, TwoHundredQuickClicksAllRunInOrder)
{
    const int ids[] = {100, 110, 120};
    std::vector<std::string> expected;
    std::size_t lines = 0;
    for (int i = 0; i < 200; ++i) {
        PostMessageA(Button(ids[i % 3]), BM_CLICK, 0, 0);
        expected.push_back(i % 3 == 0 ? kCreateLine : i % 3 == 1 ? kDeleteLine : kStartLine);
        lines += i % 3 == 2 ? 4 : 1;
    }
    const std::vector<RecordedLaunch> launches = log_.WaitFor(lines, 240000);
    ASSERT_EQ(launches.size(), lines);
    EXPECT_EQ(StartedOutsideTheSystemFolder(launches), std::vector<std::wstring>{});
    std::vector<std::string> clicked;
    for (std::size_t i = 0; i < launches.size(); i += launches[i].commandLine == kStartLine ? 4 : 1)
        clicked.push_back(launches[i].commandLine);
    EXPECT_EQ(clicked, expected);

    PressKey(VK_ESCAPE);
    EXPECT_EQ(tool_.WaitForExit(), 0u);
}

namespace {

// Puts the windows build of the stand-in in place of netsh in the system folder, and makes the
// stand-ins that this process starts from now on, and what those start, slow to become idle for
// input. The tests that start netsh take turns with this one.
class SlowNetsh {
public:
    explicit SlowNetsh(const std::string& busyMs)
    {
        EXPECT_TRUE(MoveFileExW(netsh_.c_str(), console_.c_str(), MOVEFILE_REPLACE_EXISTING));
        EXPECT_TRUE(CopyFileW((folder_ + L"\\windowed_recorder.exe").c_str(), netsh_.c_str(), FALSE));
        SetEnvironmentVariableA("RECORDER_BUSY_MS", busyMs.c_str());
    }
    ~SlowNetsh()
    {
        SetEnvironmentVariableA("RECORDER_BUSY_MS", nullptr);
        // The last slow netsh may still be running; its file can be moved aside all the same.
        MoveFileExW(netsh_.c_str(), (folder_ + L"\\netsh-windowed.exe").c_str(), MOVEFILE_REPLACE_EXISTING);
        EXPECT_TRUE(MoveFileExW(console_.c_str(), netsh_.c_str(), MOVEFILE_REPLACE_EXISTING));
    }
    SlowNetsh(const SlowNetsh&) = delete;
    SlowNetsh& operator=(const SlowNetsh&) = delete;

private:
    std::wstring folder_ = SystemFolder();
    std::wstring netsh_ = folder_ + L"\\netsh.exe";
    std::wstring console_ = folder_ + L"\\netsh-console.exe";
};

// The same tool, where netsh never becomes idle for input and ends only after the given time: each
// launch waits for it, at most a second.
template <int kBusyMs>
class SlowToolFor : private SlowNetsh, public Tool {
protected:
    SlowToolFor() : SlowNetsh(std::to_string(kBusyMs)) {}
};

// Its netsh ends before the second is up.
using SlowTool = SlowToolFor<800>;
// Its netsh runs well beyond the second.
using BusyTool = SlowToolFor<3000>;

}  // namespace

namespace {

unsigned long long CreationTime(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    return Ticks(created);
}

// The stand-in for netsh that the given process started last and that still runs, if there is one.
win32::unique_handle RunningNetshOf(DWORD parent)
{
    const win32::unique_hfile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    win32::unique_handle newest;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        if (entry.th32ParentProcessID != parent || _stricmp(entry.szExeFile, "netsh.exe") != 0)
            continue;
        win32::unique_handle netsh(
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, entry.th32ProcessID));
        if (netsh && (!newest || CreationTime(netsh.get()) > CreationTime(newest.get())))
            newest = std::move(netsh);
    }
    return newest;
}

unsigned long long ExitTime(HANDLE process)
{
    WaitForSingleObject(process, 15000);
    FILETIME created, exited, kernel, user;
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    return Ticks(exited);
}

}  // namespace

TEST_F(SlowTool, AClickWhileAnActionRunsIsNotLost)
{
    ClickAt(CentreOf(Button(100)));
    ASSERT_EQ(log_.WaitFor(1).size(), 1u);
    // The Create action waits for its netsh to become idle, which it never does before it ends.
    const win32::unique_handle createNetsh = RunningNetshOf(tool_.id());
    ASSERT_TRUE(createNetsh) << "the Create action's netsh has already ended";
    ClickAt(CentreOf(Button(110)));

    const std::vector<RecordedLaunch> launches = Launches(2);
    ASSERT_EQ(CommandLinesOf(launches), (std::vector<std::string>{kCreateLine, kDeleteLine}));
    EXPECT_GE(launches[1].creationTime, ExitTime(createNetsh.get()))
        << "the Delete action ran before the Create action had returned";

    PressKey(VK_ESCAPE);
    EXPECT_EQ(tool_.WaitForExit(), 0u);
}

TEST_F(BusyTool, ActionsWaitForTheirCommandsAtMostASecondAndNeverForTheirEnd)
{
    // Create, then Delete: Delete's netsh starts after Create's second of waiting and while
    // Create's netsh still runs. Start: its address command follows the start command likewise.
    const struct {
        const char* name;
        std::vector<int> clicks;
        std::size_t launches;  // all that the clicks launch
    } cases[] = {
        {"Create, then Delete", {100, 110}, 2},
        {"Start", {120}, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = log_.Read().size();
        win32::unique_handle firstNetsh;
        for (const int id : c.clicks) {
            ClickAt(CentreOf(Button(id)));
            if (!firstNetsh) {
                ASSERT_EQ(log_.WaitFor(before + 1).size(), before + 1);
                firstNetsh = RunningNetshOf(tool_.id());
                ASSERT_TRUE(firstNetsh) << "the first netsh has already ended";
            }
        }
        const std::vector<RecordedLaunch> launches = log_.WaitFor(before + c.launches);
        ASSERT_EQ(launches.size(), before + c.launches);
        const RecordedLaunch& first = launches[before];
        const RecordedLaunch& next = launches[before + 1];
        const unsigned long long firstEnded = ExitTime(firstNetsh.get());
        EXPECT_LT(next.creationTime, firstEnded)
            << "the action waited for its netsh to end: it ran " << (firstEnded - first.creationTime) / kTicksPerMs
            << " ms, the next launch came " << (next.creationTime - first.creationTime) / kTicksPerMs << " ms after it";
        EXPECT_GE(next.creationTime - first.creationTime, 900 * kTicksPerMs)
            << "the next launch did not wait for the first netsh to become idle";
    }
    PressKey(VK_ESCAPE);
    EXPECT_EQ(tool_.WaitForExit(), 0u);
}

namespace {

class Closing : public Tool, public testing::WithParamInterface<const char*> {};

// The middle of the part of the window's frame that the window system takes for the close button.
POINT CloseButtonOf(HWND window)
{
    RECT outer;
    GetWindowRect(window, &outer);
    long sumX = 0, sumY = 0, points = 0;
    for (int y = outer.top; y < outer.top + 40; ++y)
        for (int x = outer.right - 60; x < outer.right; ++x)
            if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                sumX += x;
                sumY += y;
                ++points;
            }
    if (points == 0)
        return {-1, -1};
    return {sumX / points, sumY / points};
}

}  // namespace

TEST_P(Closing, EndsTheToolWithCodeZero)
{
    const std::string how = GetParam();
    if (how == "close button") {
        const POINT button = CloseButtonOf(window_);
        ASSERT_NE(button.x, -1) << "no close button in the title bar";
        ClickAt(button);
    } else if (how == "Alt+F4") {
        PressKey(VK_F4, {VK_MENU});
    } else if (how == "system menu") {
        PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
        PressKey(VK_ESCAPE);
    }
    EXPECT_EQ(tool_.WaitForExit(), 0u);
    EXPECT_EQ(log_.Read().size(), 0u) << "closing starts nothing";
}

INSTANTIATE_TEST_SUITE_P(Tool, Closing, testing::Values("close button", "Alt+F4", "system menu", "Esc"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name;
                             for (const char* c = info.param; *c; ++c)
                                 if (isalnum(static_cast<unsigned char>(*c)))
                                     name += *c;
                             return name;
                         });

namespace {

std::size_t LinesIn(const std::string& path)
{
    std::size_t lines = 0;
    const win32::unique_hfile file(
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    char buffer[256];
    DWORD read = 0;
    while (file && ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        for (DWORD i = 0; i < read; ++i)
            lines += buffer[i] == '\n';
    return lines;
}

}  // namespace

TEST(RuntimeProcess, FatalErrorsShowTheErrorBoxAndEndWithoutTheAtExitRoutine)
{
    for (const char* mode : {"unreadable", "unbuildable", "out-of-memory"}) {
        SCOPED_TRACE(mode);
        const std::string atExitLog = FreshTempPath();
        ToolProcess probe(ExecutableFolder() + "\\runtime_probe.exe", std::string(mode) + " \"" + atExitLog + "\"",
                          TempFolder());
        const HWND box = probe.WaitForWindow("#32770");
        ASSERT_NE(box, nullptr) << "no error box";
        EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
        int buttons = 0, icons = 0;
        HWND ok = nullptr;
        for (HWND child : Children(box)) {
            if (ClassOf(child) == "Button" && IsWindowVisible(child)) {
                ++buttons;
                ok = child;
            }
            if (ClassOf(child) == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                ++icons;
        }
        EXPECT_EQ(buttons, 1);
        EXPECT_EQ(icons, 1);
        EXPECT_EQ(GetDlgCtrlID(ok), IDOK);
        EXPECT_EQ(probe.WaitForExit(300), static_cast<DWORD>(STILL_ACTIVE)) << "the box waits for the user";
        PostMessageA(ok, BM_CLICK, 0, 0);
        EXPECT_EQ(probe.WaitForExit(), static_cast<DWORD>(-1));
        EXPECT_EQ(LinesIn(atExitLog), 0u) << "the at-exit routine ran";
    }
}

namespace {

std::wstring WideTempFolder()
{
    wchar_t folder[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder, length > 0 ? length - 1 : 0);
}

std::wstring OwnFolder()
{
    wchar_t path[MAX_PATH];
    const std::wstring own(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return own.substr(0, own.find_last_of(L'\\'));
}

std::wstring WideFileContents(const std::wstring& path)
{
    const win32::unique_hfile file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::wstring contents(1024, L'\0');
    DWORD read = 0;
    if (!file || !ReadFile(file.get(), &contents[0], 1024 * sizeof(wchar_t), &read, nullptr))
        return std::wstring();
    contents.resize(read / sizeof(wchar_t));
    return contents;
}

}  // namespace

// Started from another folder, a program of the runtime works in its own, whatever the folder is
// called: code page 1252 holds none of these names, 950 not the first, 936 not the last, and no
// code page all three.
TEST(ModuleFolder, BecomesCurrentWhateverTheFoldersName)
{
    for (const wchar_t* name : {L"架设工具 测试", L"個人 wifi 工具", L"ÎÞÏß 工具"}) {
        const std::wstring folder = WideTempFolder() + L"\\" + name;
        const std::wstring program = folder + L"\\runtime_probe.exe";
        const std::wstring log = WideTempFolder() + L"\\probe-folder.log";
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        CreateDirectoryW(folder.c_str(), nullptr);
        DeleteFileW(log.c_str());
        ASSERT_TRUE(CopyFileW((OwnFolder() + L"\\runtime_probe.exe").c_str(), program.c_str(), FALSE));

        std::wstring line = L"\"" + program + L"\" folder \"" + log + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION created{};
        const std::wstring startedIn = WideTempFolder();
        ASSERT_TRUE(CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, startedIn.c_str(),
                                   &startup, &created));
        const win32::ProcessHandles probe = win32::ProcessHandles::Adopt(created);
        ASSERT_EQ(WaitForSingleObject(probe.process.get(), 15000), WAIT_OBJECT_0);
        DWORD exitCode = 1;
        GetExitCodeProcess(probe.process.get(), &exitCode);
        EXPECT_EQ(exitCode, 0u);
        EXPECT_EQ(WideFileContents(log), folder);

        DeleteFileW(program.c_str());
        RemoveDirectoryW(folder.c_str());
        DeleteFileW(log.c_str());
    }
}

TEST(RuntimeProcess, NormalEndRunsTheAtExitRoutineOnce)
{
    const std::string atExitLog = FreshTempPath();
    ToolProcess probe(ExecutableFolder() + "\\runtime_probe.exe", "normal \"" + atExitLog + "\"", TempFolder());
    const HWND window = probe.WaitForWindow();
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(probe.WaitForExit(), 0u);
    EXPECT_EQ(LinesIn(atExitLog), 1u);
}

namespace {

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

}  // namespace

TEST(Executable, CarriesItsIconVersionAndManifest)
{
    const std::string exe = ExecutableFolder() + "\\tool\\personal-wifi.exe";

    DWORD ignored = 0;
    std::vector<char> version(GetFileVersionInfoSizeA(exe.c_str(), &ignored));
    ASSERT_FALSE(version.empty());
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(version.size()), version.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(version.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    const HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const HRSRC group = FindResourceA(module, IDI_DEFAULT_ICON, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
    ASSERT_NE(group, nullptr);
    const auto* header = static_cast<const WORD*>(LockResource(LoadResource(module, group)));
    ASSERT_EQ(header[2], 3u) << "images in the icon group";
    const auto* entries = reinterpret_cast<const IconGroupEntry*>(header + 3);
    const int sizes[] = {16, 32, 48};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(entries[i].width, sizes[i]);
        EXPECT_EQ(entries[i].height, sizes[i]);
        EXPECT_EQ(entries[i].colourCount, 16);
        EXPECT_EQ(entries[i].bitCount, 4);
    }

    const HRSRC manifestResource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */);
    ASSERT_NE(manifestResource, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, manifestResource))),
                               SizeofResource(module, manifestResource));
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("<supportedOS"), std::string::npos);
    EXPECT_NE(manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2<"),
              std::string::npos);
    EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true<"),
              std::string::npos)
        << "Windows 7 and 8 need the system-aware declaration";
    FreeLibrary(module);
}
