// Every command line the tool issues, checked byte for byte on real processes. This program runs
// from a folder where a recording stand-in takes the place of netsh, cmd and the other tools, so
// process creation starts the stand-in, which logs what it was started with.
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
        {"md C:\\新建", [](SystemCommands& c) { return c.MakeDirectory("C:\\新建"); }},
        {"xcopy a\\*.* b\\", [](SystemCommands& c) { return c.XCopy("a\\*.*", "b\\"); }},
        {"copy a.txt b.txt", [](SystemCommands& c) { return c.CopyFiles("a.txt", "b.txt"); }},
        {"rd old", [](SystemCommands& c) { return c.RemoveDir("old"); }},
        {"deltree old", [](SystemCommands& c) { return c.DeleteTree("old"); }},
        {"taskkill /f /im netsh.exe", [](SystemCommands& c) { return c.KillProcess("netsh.exe"); }},
        {"ren C:\\dir\\old.txt new.txt", [](SystemCommands& c) { return c.RenameFile("C:\\dir\\", "old.txt", "new.txt"); }},
        // No separator is added between the directory and the old name.
        {"ren C:\\dirold.txt new.txt", [](SystemCommands& c) { return c.RenameFile("C:\\dir", "old.txt", "new.txt"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        RecorderLog log;
        EXPECT_TRUE(c.operation(commands_));
        const std::vector<RecordedLaunch> launches = log.WaitFor(1);
        ASSERT_EQ(launches.size(), 1u);
        EXPECT_EQ(launches[0].commandLine, c.expected);
        EXPECT_EQ(launches[0].showRequest, static_cast<unsigned>(SW_HIDE));
    }
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
