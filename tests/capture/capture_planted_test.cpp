// A captured ping, run by Windows' own command interpreter, with copies of the recording stand-in
// planted as cmd.exe and ping.exe beside this program and as cmd.exe in a folder made current. The
// stand-in also takes the place of ping in the system folder: the interpreter must start that one,
// and no planted copy may ever run. (That the interpreter skips its current folder when it looks
// for ping is up to the interpreter; Wine's does not, Windows' does when told so by its
// environment, which the capture tests with the stand-in as interpreter check.)
#include "commands/system_commands.h"

#include "tests/support/recorder_log.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(CapturedPing, RunsThePingOfTheSystemFolderOnly)
{
    const std::string recorded = ExecutableFolder();
    const std::string current = recorded.substr(0, recorded.find_last_of('\\')) + "\\planted_cmd";
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(current.c_str()));

    SystemCommands commands;
    RecorderLog recorder;
    commands.Ping("127.0.0.1", [](const char*) { return 0; });
    const std::vector<RecordedLaunch> launches = recorder.WaitFor(2, 500);
    SetCurrentDirectoryA(previous);

    ASSERT_EQ(launches.size(), 1u) << "the interpreter started no ping, or more than one program ran";
    EXPECT_EQ(StartedOutsideTheSystemFolder(launches), std::vector<std::wstring>{});
    EXPECT_EQ(launches[0].image, "ping.exe");
    EXPECT_NE(launches[0].commandLine.find("127.0.0.1"), std::string::npos) << launches[0].commandLine;
    EXPECT_EQ(_stricmp(launches[0].currentDirectory.c_str(), current.c_str()), 0) << launches[0].currentDirectory;
}
