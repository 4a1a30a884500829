// CaptureCommandOutput with the real command interpreter, running a writer command of the tests'
// own whose output, timing and end each test chooses.
#include "commands/capture.h"

#include "tests/capture/capture_run.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Pattern(std::size_t size)
{
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i)
        bytes += static_cast<char>('A' + i % 26);
    return bytes;
}

// The labels of an output's lines, the text before each colon: what stays the same from one run
// of a report to the next while the values may change.
std::vector<std::string> Labels(const std::string& output)
{
    std::vector<std::string> labels;
    std::size_t start = 0;
    while (start < output.size()) {
        std::size_t end = output.find('\n', start);
        if (end == std::string::npos)
            end = output.size();
        const std::string line = output.substr(start, end - start);
        labels.push_back(line.substr(0, line.find(':')));
        start = end + 1;
    }
    return labels;
}

Text exit259Output;

DWORD WINAPI CaptureExit259(void*)
{
    exit259Output = CaptureCommandOutput("echo ending& exit 259", nullptr, false);
    return 0;
}

}  // namespace

TEST(CaptureCommandOutput, CollectsStandardOutputAndErrorExactly)
{
    const struct {
        const char* name;
        std::string line;
        std::string output;
    } cases[] = {
        {"both streams, in the order written",
         WriterLine({"out:first,", "err:second,", "sleep:100", "out:third", "err:无线网络"}),
         "first,second,third无线网络"},
        {"an interpreter command", "echo 无线网络连接 2", "无线网络连接 2\r\n"},
        {"a command without output", WriterLine({"sleep:100"}), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PieceLog log;
        EXPECT_EQ(CaptureCommandOutput(c.line, PieceLog::Callback, true), c.output);
        EXPECT_EQ(log.Joined(), c.output);
    }
}

TEST(CaptureCommandOutput, HandsOnPiecesOfAtMost1023Bytes)
{
    // Each size is written at once and the writer then waits, so all of it lies in the pipe
    // before the first read.
    const struct {
        std::size_t written;
        std::vector<std::size_t> pieces;
    } cases[] = {
        {1, {1}}, {1023, {1023}}, {1024, {1023, 1}}, {3000, {1023, 1023, 954}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.written << " bytes");
        PieceLog log;
        const Text output = CaptureCommandOutput(
            WriterLine({"fill:" + std::to_string(c.written), "sleep:300"}), PieceLog::Callback, true);
        EXPECT_EQ(log.Sizes(), c.pieces);
        EXPECT_EQ(output, Pattern(c.written));
    }
}

TEST(CaptureCommandOutput, AZeroByteEndsItsPiece)
{
    const struct {
        const char* name;
        const char* bytes;
        std::vector<std::string> pieces;
        std::string output;
    } cases[] = {
        {"the rest of the piece is lost", "hex:616263006465", {"abc", "ghi"}, "abcghi"},
        {"a piece that starts with it is null", "hex:00616263", {kNullPiece, "ghi"}, "ghi"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PieceLog log;
        const Text output =
            CaptureCommandOutput(WriterLine({c.bytes, "sleep:300", "out:ghi"}), PieceLog::Callback, true);
        EXPECT_EQ(log.pieces, c.pieces);
        EXPECT_EQ(output, c.output);
    }
}

TEST(CaptureCommandOutput, StoppingAtTheFirstPieceLeavesTheCommandRunning)
{
    const std::string ended = FreshTempPath();
    PieceLog log;
    log.stopAt = 1;
    const Text output = CaptureCommandOutput(WriterLine({"out:first", "sleep:1500", "mark:" + ended}),
                                             PieceLog::Callback, true);
    EXPECT_EQ(output, "");
    EXPECT_EQ(log.pieces, std::vector<std::string>{"first"});
    EXPECT_FALSE(FileExists(ended)) << "the capture waited for the command to end";
    EXPECT_TRUE(WaitForFile(ended, 10000)) << "the command did not end by itself";
    DeleteFileA(ended.c_str());
}

TEST(CaptureCommandOutput, AStoppedCommandThatKeepsWritingEndsByItself)
{
    // The writer floods the pipe; once the capture stops listening, its writes must fail rather
    // than block on a full pipe that someone still holds open.
    const std::string ended = FreshTempPath();
    PieceLog log;
    log.stopAt = 2;
    const Text output = CaptureCommandOutput(WriterLine({"flood:" + ended}), PieceLog::Callback, true);
    ASSERT_EQ(log.pieces.size(), 2u);
    EXPECT_EQ(output, log.pieces[0]);
    EXPECT_TRUE(WaitForFile(ended, 10000)) << "the command hangs on the pipe";
    DeleteFileA(ended.c_str());
}

TEST(CaptureCommandOutput, ACommandStartedByTheCommandDoesNotHoldTheCaptureUp)
{
    // The spawned writer inherits the pipe and holds it open well after the command has ended.
    const std::string ended = FreshTempPath();
    PieceLog log;
    const Text output = CaptureCommandOutput(
        WriterLine({"out:parent", "spawn", "sleep:2000", "mark:" + ended}), PieceLog::Callback, true);
    EXPECT_EQ(output, "parent");
    EXPECT_FALSE(FileExists(ended)) << "the capture waited for the spawned command";
    EXPECT_TRUE(WaitForFile(ended, 10000));
    DeleteFileA(ended.c_str());
}

TEST(CaptureCommandOutput, ACommandEndingWithTheCodeForStillRunningIsSeenToEnd)
{
    // On a thread of its own, so that a capture that never sees the end fails the test rather
    // than hanging it.
    const win32::unique_handle worker(CreateThread(nullptr, 0, CaptureExit259, nullptr, 0, nullptr));
    ASSERT_TRUE(worker);
    ASSERT_EQ(WaitForSingleObject(worker.get(), 15000), WAIT_OBJECT_0) << "the capture did not see the end";
    EXPECT_EQ(exit259Output, "ending\r\n");
}

TEST(CaptureCommandOutput, AMissingCommandYieldsTheInterpretersComplaint)
{
    // The complaint goes to standard error and is worded in the system's language, but it names
    // the command.
    PieceLog log;
    const Text output = CaptureCommandOutput("no_such_command_xyz", PieceLog::Callback, true);
    EXPECT_NE(output.find("no_such_command_xyz"), std::string::npos) << output;
    EXPECT_EQ(log.Joined(), output);
}

TEST(CaptureCommandOutput, ALineTooLongToStartYieldsNothing)
{
    PieceLog log;
    EXPECT_EQ(CaptureCommandOutput("echo " + std::string(33000, 'x'), PieceLog::Callback, true), "");
    EXPECT_TRUE(log.pieces.empty());
}

TEST(CaptureCommandOutput, WithoutACallbackTheOutputIsCollectedAlone)
{
    // The tool's own line. Windows' interpreter splits it into ipconfig and its switch and the
    // report comes in several pieces; Wine's takes the whole of it for the name of a command and
    // complains that there is none.
    const bool underWine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    PieceLog withCallback;
    const Text reported = CaptureCommandOutput("ipconfig/all", PieceLog::Callback, true);
    if (underWine)
        EXPECT_NE(reported.find("\"ipconfig/all\""), std::string::npos) << reported;
    else
        ASSERT_GT(withCallback.pieces.size(), 1u);
    EXPECT_EQ(withCallback.Joined(), reported);

    withCallback.pieces.clear();
    const Text collected = CaptureCommandOutput("ipconfig/all", PieceLog::Callback, false);
    EXPECT_TRUE(withCallback.pieces.empty()) << "the callback was called though none was given";
    EXPECT_FALSE(collected.empty());
    EXPECT_EQ(Labels(collected), Labels(reported));
}

TEST(CaptureCommandOutput, EveryWayACaptureEndsLeavesNoHandleOpen)
{
    const std::string floodEnded = FreshTempPath();
    const struct {
        const char* name;
        std::string line;
        std::size_t stopAt;
    } cases[] = {
        {"the command ends", WriterLine({"out:done"}), 0},
        {"the callback stops while the command writes on", WriterLine({"flood:" + floodEnded}), 2},
        {"the callback stops while a read waits", WriterLine({"out:first", "sleep:300", "out:second"}), 1},
        {"a started command outlives the capture", WriterLine({"out:parent", "spawn", "sleep:300"}), 0},
        {"no process", "echo " + std::string(33000, 'x'), 0},
    };
    const auto captureEach = [&](int times) {
        for (const auto& c : cases) {
            for (int i = 0; i < times; ++i) {
                PieceLog log;
                log.stopAt = c.stopAt;
                CaptureCommandOutput(c.line, PieceLog::Callback, true);
            }
        }
    };
    // Once to let the system set up what it keeps for good, then counted: a count takes a while.
    captureEach(1);
    const unsigned long before = CountOpenHandles();
    captureEach(3);
    EXPECT_EQ(CountOpenHandles(), before);
    EXPECT_TRUE(WaitForFile(floodEnded, 10000));
    DeleteFileA(floodEnded.c_str());
}
