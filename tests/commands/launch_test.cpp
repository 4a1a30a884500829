// LaunchCommand with the real process creation of Windows and no stand-ins: what it can start,
// what it cannot, when it returns and what it hands on. The sleepers lie in the system folder, and
// copies of them and of the recording stand-in beside this program.
#include "commands/launch.h"

#include "tests/support/recorder_log.h"
#include "win32/unique_handle.h"

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

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitUntilGone(const std::string& path)
{
    for (int i = 0; i < 500 && FileExists(path); ++i)
        Sleep(20);
    return !FileExists(path);
}

std::string SleeperLine(const char* sleeper, unsigned milliseconds, const std::string& doneFile)
{
    return std::string(sleeper) + " " + std::to_string(milliseconds) + " \"" + doneFile + "\"";
}

std::string SleeperLine(unsigned milliseconds, const std::string& doneFile)
{
    return SleeperLine("sleeper", milliseconds, doneFile);
}

// Waits for the state, up to the deadline; the last answer.
template <typename Condition>
bool WaitUntil(Condition condition, unsigned timeoutMs = 15000)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition() && GetTickCount64() < deadline)
        Sleep(10);
    return condition();
}

}  // namespace

TEST(LaunchCommand, InterpreterOnlyCommandsAreNotFound)
{
    // md, rd, copy, ren and deltree live only inside the command interpreter, which is not involved.
    for (const char* line : {"md personal_wifi_never_made", "rd x", "copy a b", "ren a b", "deltree x"}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(LaunchCommand(line, false, kShowHidden));
    }
    EXPECT_FALSE(FileExists("personal_wifi_never_made"));
}

TEST(LaunchCommand, NothingToStart)
{
    EXPECT_FALSE(LaunchCommand(Text()));
    EXPECT_FALSE(LaunchCommand("no_such_program_of_personal_wifi.exe", false, kShowHidden));
}

TEST(LaunchCommand, NamingTheInterpreterRunsItsCommand)
{
    const std::string doomed = TempFile("del");
    ASSERT_TRUE(FileExists(doomed));
    EXPECT_TRUE(LaunchCommand("CMD /C Del \"" + doomed + "\" /Q", false, kShowHidden));
    EXPECT_TRUE(WaitUntilGone(doomed));
}

TEST(LaunchCommand, WithoutWaitReturnsWhileTheCommandStillRuns)
{
    const std::string done = TempFile("slp");
    DeleteFileA(done.c_str());
    ASSERT_TRUE(LaunchCommand(SleeperLine(3000, done), false, kShowHidden));
    EXPECT_FALSE(FileExists(done)) << "returned only after the command had ended";
    for (int i = 0; i < 500 && !FileExists(done); ++i)
        Sleep(20);
    EXPECT_TRUE(FileExists(done)) << "the command never ended";
    DeleteFileA(done.c_str());
}

TEST(LaunchCommand, WithWaitReturnsAfterTheCommandHasEnded)
{
    const std::string done = TempFile("slp");
    DeleteFileA(done.c_str());
    ASSERT_TRUE(LaunchCommand(SleeperLine(1500, done), true, kShowHidden));
    EXPECT_TRUE(FileExists(done));
    DeleteFileA(done.c_str());
}

TEST(LaunchCommand, OnlyProgramsOfTheSystemFolderRun)
{
    RecorderLog log;
    const std::string done = TempFile("slp");
    DeleteFileA(done.c_str());
    const std::string beside = ExecutableFolder() + "\\sleeper.exe";
    ASSERT_TRUE(FileExists(beside));
    const std::string lines[] = {
        "recorder",  // lies beside this program and in its current folder only
        "recorder.exe",
        "\"" + ExecutableFolder() + "\\recorder.exe\"",
        SleeperLine(("\"" + beside + "\"").c_str(), 10, done),
        SleeperLine(".\\sleeper.exe", 10, done),
    };
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(LaunchCommand(line, true, kShowHidden));
    }
    EXPECT_FALSE(FileExists(done));
    EXPECT_TRUE(log.WaitFor(1, 300).empty());

    EXPECT_TRUE(LaunchCommand(SleeperLine(10, done), true, kShowHidden)) << "the same sleeper in the system folder";
    EXPECT_TRUE(FileExists(done));
    DeleteFileA(done.c_str());
}

// A windows program that never becomes idle for input: without the cap, the launch would wait for
// its end.
TEST(LaunchCommand, WaitsForIdleAtMostASecond)
{
    const std::string done = TempFile("slp");
    DeleteFileA(done.c_str());
    ASSERT_TRUE(LaunchCommand(SleeperLine("windowed_sleeper", 4000, done), false, kShowHidden));
    EXPECT_FALSE(FileExists(done)) << "returned only after the command had ended";
    EXPECT_TRUE(WaitUntil([&] { return FileExists(done); })) << "the command never ended";
    DeleteFileA(done.c_str());
}

// The command gets none of the caller's inheritable handles: the pipe below breaks as soon as the
// test closes its own write end, unless the command holds a copy of it.
TEST(LaunchCommand, PassesNoHandleToTheCommand)
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    win32::unique_handle read, write;
    ASSERT_TRUE(CreatePipe(read.put(), write.put(), &inheritable, 0));
    const std::string done = TempFile("slp");
    DeleteFileA(done.c_str());

    ASSERT_TRUE(LaunchCommand(SleeperLine(3000, done), false, kShowHidden));
    write.reset();
    const auto broken = [&] {
        DWORD waiting = 0;
        return !PeekNamedPipe(read.get(), nullptr, 0, nullptr, &waiting, nullptr) &&
               GetLastError() == ERROR_BROKEN_PIPE;
    };
    EXPECT_TRUE(WaitUntil([&] { return broken() || FileExists(done); }));
    EXPECT_TRUE(broken());
    EXPECT_FALSE(FileExists(done)) << "the pipe broke only when the command ended: it held the write end";
    EXPECT_TRUE(WaitUntil([&] { return FileExists(done); }));
    DeleteFileA(done.c_str());
}
