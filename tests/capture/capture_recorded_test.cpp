// How a capture starts its command, seen from the command's side. The recording stand-in takes the
// place of cmd.exe in the system folder, so the interpreter a capture starts logs its command line,
// the way it was asked to show itself and where it lies. Planted copies named cmd.exe lie beside
// this program and in a folder made current, and never run.
#include "commands/capture.h"
#include "commands/system_commands.h"

#include "tests/capture/capture_run.h"
#include "tests/support/recorder_log.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

TEST(CaptureStart, AnEmptyLineStartsNothing)
{
    for (const Text& line : {Text(), Text("\0echo x", 7)}) {
        RecorderLog recorder;
        PieceLog log;
        EXPECT_EQ(CaptureCommandOutput(line, PieceLog::Callback, true), "");
        EXPECT_TRUE(log.pieces.empty());
        EXPECT_TRUE(recorder.WaitFor(1, 500).empty());
    }
}

TEST(CaptureStart, TheLineGoesHiddenToCmd)
{
    SystemCommands commands;
    const struct {
        const char* expected;
        std::function<Text()> capture;
    } cases[] = {
        {"cmd.exe /c netsh wlan show hostednetwork",
         [] { return CaptureCommandOutput("netsh wlan show hostednetwork", PieceLog::Callback, true); }},
        {"cmd.exe /c echo 无线网络连接 2", [] { return CaptureCommandOutput("echo 无线网络连接 2", nullptr, false); }},
        {"cmd.exe /c netsh wlan show settings",
         [&] { return commands.RunAndCapture("netsh wlan show settings", PieceLog::Callback); }},
        {"cmd.exe /c ping 127.0.0.1", [&] { return commands.Ping("127.0.0.1", PieceLog::Callback); }},
        {"cmd.exe /c ipconfig/all", [&] { return commands.IpConfigAll(PieceLog::Callback); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        RecorderLog recorder;
        PieceLog log;
        // The stand-in writes nothing, and it has ended by the time the capture returns.
        EXPECT_EQ(c.capture(), "");
        const std::vector<RecordedLaunch> launches = recorder.Read();
        ASSERT_EQ(launches.size(), 1u);
        EXPECT_EQ(launches[0].image, "cmd.exe");
        EXPECT_EQ(StartedOutsideTheSystemFolder(launches), std::vector<std::wstring>{});
        EXPECT_EQ(launches[0].commandLine, c.expected);
        EXPECT_EQ(launches[0].startFlags, static_cast<unsigned long>(STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES));
        EXPECT_EQ(launches[0].showRequest, static_cast<unsigned>(SW_HIDE));
    }
}

TEST(CaptureStart, APlantedInterpreterNeverRuns)
{
    const std::string recorded = ExecutableFolder();
    const std::string planted = recorded.substr(0, recorded.find_last_of('\\')) + "\\planted";
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    for (const std::string& folder : {recorded, planted}) {
        SCOPED_TRACE(folder);
        ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
        RecorderLog recorder;
        EXPECT_EQ(CaptureCommandOutput("ping 127.0.0.1", nullptr, false), "");
        const std::vector<RecordedLaunch> launches = recorder.Read();
        ASSERT_EQ(launches.size(), 1u);
        EXPECT_EQ(StartedOutsideTheSystemFolder(launches), std::vector<std::wstring>{});
        EXPECT_EQ(launches[0].commandLine, "cmd.exe /c ping 127.0.0.1");
        // The interpreter looks for ping outside its current folder, which stays the one it was.
        EXPECT_FALSE(launches[0].searchesCurrentFolder);
        EXPECT_EQ(_stricmp(launches[0].currentDirectory.c_str(), folder.c_str()), 0) << launches[0].currentDirectory;
    }
    SetCurrentDirectoryA(previous);
}

// The line as the interpreter sees it in UTF-16, whatever the system code page.
TEST(CaptureStart, TheLineArrivesIntactInUnicode)
{
    RecorderLog recorder;
    CaptureCommandOutput("echo 无线网络连接 2", nullptr, false);
    const std::vector<RecordedLaunch> launches = recorder.Read();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].wideCommandLine, L"cmd.exe /c echo 无线网络连接 2");
}
