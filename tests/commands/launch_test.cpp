// LaunchCommand with the real process creation of Windows and no stand-ins: what it can start,
// what it cannot, and when it returns.
#include "commands/launch.h"

#include "tests/support/recorder_log.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

std::string TempFile(const char* prefix)
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    char file[MAX_PATH];
    GetTempFileNameA(folder, prefix, 0, file);
    return file;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitUntilGone(const std::string& path)
{
    for (int i = 0; i < 500 && Exists(path); ++i)
        Sleep(20);
    return !Exists(path);
}

std::string SleeperLine(unsigned milliseconds, const std::string& doneFile)
{
    return "\"" + ExecutableFolder() + "\\sleeper.exe\" " + std::to_string(milliseconds) + " \"" + doneFile + "\"";
}

}  // namespace

TEST(LaunchCommand, InterpreterOnlyCommandsAreNotFound)
{
    // md, rd, copy and ren live only inside the command interpreter, which is not involved.
    for (const char* line : {"md personal_wifi_never_made", "rd x", "copy a b", "ren a b"}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(LaunchCommand(line, false, kShowHidden));
    }
    EXPECT_FALSE(Exists("personal_wifi_never_made"));
}

TEST(LaunchCommand, NothingToStart)
{
    EXPECT_FALSE(LaunchCommand(Text()));
    EXPECT_FALSE(LaunchCommand("no_such_program_of_personal_wifi.exe", false, kShowHidden));
}

TEST(LaunchCommand, NamingTheInterpreterRunsItsCommand)
{
    const std::string doomed = TempFile("del");
    ASSERT_TRUE(Exists(doomed));
    EXPECT_TRUE(LaunchCommand("CMD /C Del \"" + doomed + "\" /Q", false, kShowHidden));
    EXPECT_TRUE(WaitUntilGone(doomed));
}

TEST(LaunchCommand, WithoutWaitReturnsWhileTheCommandStillRuns)
{
    const std::string done = TempFile("slp");
    DeleteFileA(done.c_str());
    ASSERT_TRUE(LaunchCommand(SleeperLine(3000, done), false, kShowHidden));
    EXPECT_FALSE(Exists(done)) << "returned only after the command had ended";
    for (int i = 0; i < 500 && !Exists(done); ++i)
        Sleep(20);
    EXPECT_TRUE(Exists(done)) << "the command never ended";
    DeleteFileA(done.c_str());
}

TEST(LaunchCommand, WithWaitReturnsAfterTheCommandHasEnded)
{
    const std::string done = TempFile("slp");
    DeleteFileA(done.c_str());
    ASSERT_TRUE(LaunchCommand(SleeperLine(1500, done), true, kShowHidden));
    EXPECT_TRUE(Exists(done));
    DeleteFileA(done.c_str());
}
