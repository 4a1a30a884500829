// Every command line the tool issues, checked byte for byte on real processes. A recording stand-in
// takes the place of netsh, cmd and the other tools in the system folder, so process creation
// starts the stand-in, which logs what it was started with and where it lies. Copies of it planted
// under the same names beside this program, and in a folder the tests make current, never run.
#include "commands/launch.h"
#include "commands/system_commands.h"
#include "commands/system_commands_instance.h"
#include "hostednet/actions.h"

#include "tests/support/recorder_log.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const char kConnection[] = "无线网络连接 2";

// Beside the recorded folder: a folder of planted copies only.
std::string PlantedFolder()
{
    const std::string recorded = ExecutableFolder();
    return recorded.substr(0, recorded.find_last_of('\\')) + "\\planted";
}

// Makes a folder current for the time it lives.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder)
    {
        GetCurrentDirectoryA(MAX_PATH, previous_);
        EXPECT_TRUE(SetCurrentDirectoryA(folder.c_str())) << folder;
    }
    ~CurrentFolder() { SetCurrentDirectoryA(previous_); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    char previous_[MAX_PATH] = {};
};

class RecordedCommands : public testing::Test {
protected:
    // Runs `issue` and gives the launches it caused, checking that there were exactly `count`
    // and that each was asked to start hidden.
    std::vector<std::string> Issued(std::size_t count, const std::function<void()>& issue)
    {
        issue();
        std::vector<RecordedLaunch> launches = log_.WaitFor(count);
        if (launches.size() == count)
            launches = log_.WaitFor(count + 1, 300);  // nothing more follows
        EXPECT_EQ(launches.size(), count);
        EXPECT_EQ(StartedOutsideTheSystemFolder(launches), std::vector<std::wstring>{}) << "a planted copy ran";
        for (const RecordedLaunch& launch : launches) {
            EXPECT_EQ(launch.startFlags & STARTF_USESHOWWINDOW, static_cast<unsigned long>(STARTF_USESHOWWINDOW));
            EXPECT_EQ(launch.showRequest, static_cast<unsigned>(SW_HIDE)) << launch.commandLine;
        }
        return CommandLinesOf(launches);
    }

    RecorderLog log_;
    SystemCommands commands_;
};

}  // namespace

TEST_F(RecordedCommands, CreateAllowsTheNetworkWithItsNameAndPassphrase)
{
    EXPECT_EQ(Issued(1, CreateAction),
              std::vector<std::string>{"netsh wlan set hostednetwork mode=allow ssid=wifi key=pebrowask"});
}

TEST_F(RecordedCommands, DeleteDisallowsTheNetwork)
{
    EXPECT_EQ(Issued(1, DeleteAction), std::vector<std::string>{"netsh wlan set hostednetwork mode=disallow"});
}

TEST_F(RecordedCommands, StartStartsTheNetworkThenSetsTheAdapterAddress)
{
    SystemCommands instance;
    systemCommands = &instance;
    const std::vector<std::string> expected = {
        "netsh wlan start hostednetwork ",
        std::string("netsh interface ip set address name=\"") + kConnection +
            "\" source=static addr=192.168.0.10 mask=255.255.255.0 gateway=192.168.0.1",
        std::string("netsh interface ip set dns \"") + kConnection + "\" source=static addr=192.168.0.1",
        std::string("netsh interface ip add dns \"") + kConnection + "\" addr=",
    };
    EXPECT_EQ(Issued(4, StartAction), expected);
    systemCommands = nullptr;
}

TEST_F(RecordedCommands, EachOperationIssuesItsLine)
{
    const struct {
        const char* expected;
        std::function<bool(SystemCommands&)> operation;
    } cases[] = {
        {"CMD /C Del C:\\temp\\*.tmp /Q", [](SystemCommands& c) { return c.DeleteFiles("C:\\temp\\*.tmp"); }},
        {"shutdown -s -t 60", [](SystemCommands& c) { return c.ScheduleShutdown("60"); }},
        {"shutdown -a ", [](SystemCommands& c) { c.AbortShutdown(); return true; }},
        {"xcopy a\\*.* b\\", [](SystemCommands& c) { return c.XCopy("a\\*.*", "b\\"); }},
        {"taskkill /f /im netsh.exe", [](SystemCommands& c) { return c.KillProcess("netsh.exe"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        RecorderLog log;
        EXPECT_TRUE(c.operation(commands_));
        const std::vector<RecordedLaunch> launches = log.WaitFor(1);
        ASSERT_EQ(launches.size(), 1u);
        EXPECT_EQ(launches[0].commandLine, c.expected);
        EXPECT_EQ(launches[0].showRequest, static_cast<unsigned>(SW_HIDE));
        EXPECT_EQ(StartedOutsideTheSystemFolder(launches), std::vector<std::wstring>{});
    }
}

// The interpreter's built-ins are no programs of the system folder: they start nothing, although
// planted copies of the stand-in under their names lie beside this program and in the current
// folder.
TEST_F(RecordedCommands, InterpreterBuiltInsStartNothingFromAnyFolder)
{
    const struct {
        const char* name;
        std::function<bool(SystemCommands&)> operation;
    } cases[] = {
        {"md", [](SystemCommands& c) { return c.MakeDirectory("C:\\新建"); }},
        {"copy", [](SystemCommands& c) { return c.CopyFiles("a.txt", "b.txt"); }},
        {"rd", [](SystemCommands& c) { return c.RemoveDir("old"); }},
        {"deltree", [](SystemCommands& c) { return c.DeleteTree("old"); }},
        {"ren", [](SystemCommands& c) { return c.RenameFile("C:\\dir\\", "old.txt", "new.txt"); }},
    };
    for (const std::string& folder : {ExecutableFolder(), PlantedFolder()}) {
        CurrentFolder current(folder);
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << " from " << folder);
            RecorderLog log;
            EXPECT_FALSE(c.operation(commands_));
            EXPECT_EQ(CommandLinesOf(log.WaitFor(1, 300)), std::vector<std::string>{});
        }
    }
}

// Every button and every launching operation once more, from a current folder that holds planted
// copies of all the tools: the system's tools run, in the folder that was current.
TEST_F(RecordedCommands, CopiesPlantedInTheCurrentFolderNeverRun)
{
    const std::string planted = PlantedFolder();
    CurrentFolder current(planted);
    SystemCommands instance;
    systemCommands = &instance;
    Issued(11, [&] {
        CreateAction();
        DeleteAction();
        StartAction();
        instance.DeleteFiles("x.tmp");
        instance.ScheduleShutdown("60");
        instance.AbortShutdown();
        instance.XCopy("a", "b");
        instance.KillProcess("x.exe");
    });
    systemCommands = nullptr;
    for (const RecordedLaunch& launch : log_.Read())
        EXPECT_EQ(_stricmp(launch.currentDirectory.c_str(), planted.c_str()), 0) << launch.currentDirectory;
}

// The connection name as the command sees it in UTF-16, whatever the system code page: written
// here as wide text, so no conversion of the test's own is involved.
TEST_F(RecordedCommands, TheConnectionNameArrivesIntactInUnicode)
{
    SystemCommands instance;
    systemCommands = &instance;
    Issued(4, StartAction);
    systemCommands = nullptr;
    std::vector<std::wstring> lines;
    for (const RecordedLaunch& launch : log_.Read())
        lines.push_back(launch.wideCommandLine);
    const std::vector<std::wstring> expected = {
        L"netsh wlan start hostednetwork ",
        L"netsh interface ip set address name=\"无线网络连接 2\" source=static addr=192.168.0.10 mask=255.255.255.0 "
        L"gateway=192.168.0.1",
        L"netsh interface ip set dns \"无线网络连接 2\" source=static addr=192.168.0.1",
        L"netsh interface ip add dns \"无线网络连接 2\" addr=",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(RecordedCommands, RunUnderTheCodePageExpected)
{
    char expected[16] = "936";
    GetEnvironmentVariableA("EXPECTED_CODEPAGE", expected, sizeof expected);
    EXPECT_EQ(std::to_string(GetACP()), expected);
}

TEST_F(RecordedCommands, SetAdapterAddressLaunchesAllThreeAndLeavesTheMessageOnSuccess)
{
    Text message = "untouched";
    bool result = false;
    const std::vector<std::string> lines = Issued(3, [&] {
        result = commands_.SetAdapterAddress("LAN", "10.1.2.3", "255.255.0.0", Text(), "10.1.0.53", "10.1.0.54",
                                             &message);
    });
    EXPECT_TRUE(result);
    EXPECT_EQ(message, "untouched");
    const std::vector<std::string> expected = {
        "netsh interface ip set address name=\"LAN\" source=static addr=10.1.2.3 mask=255.255.0.0 gateway=",
        "netsh interface ip set dns \"LAN\" source=static addr=10.1.0.53",
        "netsh interface ip add dns \"LAN\" addr=10.1.0.54",
    };
    EXPECT_EQ(lines, expected);
}

// A command line longer than process creation takes cannot start: an over-long value makes exactly
// that one of the three commands fail while the others start for real.
TEST_F(RecordedCommands, SetAdapterAddressReportsTheFirstCommandThatDidNotStart)
{
    const Text tooLong(33000, '9');
    const struct {
        const char* name;
        Text ip, primary, alternate;
        std::size_t started;
        const char* message;
    } cases[] = {
        {"address", tooLong, "1.1.1.1", "1.1.1.2", 2, "ip地址，子网掩码，网关，修改失败。"},
        {"primary DNS", "1.1.1.1", tooLong, "1.1.1.2", 2, "dns主服务器修改失败。"},
        {"alternate DNS", "1.1.1.1", "1.1.1.2", tooLong, 2, "dns备用服务器修改失败。"},
        {"primary and alternate DNS", "1.1.1.1", tooLong, tooLong, 1, "dns主服务器修改失败。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecorderLog log;
        Text message = "stale";
        EXPECT_FALSE(commands_.SetAdapterAddress("LAN", c.ip, "255.0.0.0", "1.1.1.254", c.primary, c.alternate,
                                                 &message));
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(log.WaitFor(c.started + 1, 1500).size(), c.started);
    }
    EXPECT_FALSE(commands_.SetAdapterAddress("LAN", tooLong, "255.0.0.0")) << "without a message to fill";
}

TEST_F(RecordedCommands, ShowModesReachTheProcessClamped)
{
    const struct {
        ShowMode show;
        unsigned request;
    } cases[] = {{-1, SW_HIDE},          {0, SW_HIDE},           {1, SW_HIDE},           {2, SW_SHOWNORMAL},
                 {3, SW_SHOWMINIMIZED},  {4, SW_SHOWMAXIMIZED},  {5, SW_SHOWNOACTIVATE}, {6, SW_MINIMIZE},
                 {7, SW_MINIMIZE},       {9, SW_MINIMIZE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "show mode " << c.show);
        RecorderLog log;
        EXPECT_TRUE(LaunchCommand("netsh show", false, c.show));
        const std::vector<RecordedLaunch> launches = log.WaitFor(1);
        ASSERT_EQ(launches.size(), 1u);
        EXPECT_EQ(launches[0].startFlags, static_cast<unsigned long>(STARTF_USESHOWWINDOW));
        EXPECT_EQ(launches[0].showRequest, c.request);
    }
    RecorderLog log;
    EXPECT_TRUE(LaunchCommand("netsh show"));
    const std::vector<RecordedLaunch> launches = log.WaitFor(1);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].showRequest, static_cast<unsigned>(SW_SHOWNORMAL)) << "an omitted show mode is 2";
}
