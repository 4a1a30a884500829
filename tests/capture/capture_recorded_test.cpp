// How a capture starts its command, seen from the command's side. This program runs from a folder
// where cmd.exe is the recording stand-in, so the interpreter a capture starts logs its command
// line and the way it was asked to show itself.
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
        EXPECT_EQ(launches[0].commandLine, c.expected);
        EXPECT_EQ(launches[0].startFlags, static_cast<unsigned long>(STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES));
        EXPECT_EQ(launches[0].showRequest, static_cast<unsigned>(SW_HIDE));
    }
}
