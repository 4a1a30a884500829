// A capture keeps the tool's windows served while the command runs: messages for them are handled
// during the capture, and a quit request is left for the event loop.
#include "commands/capture.h"

#include "tests/capture/capture_run.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kPing = WM_APP + 1;
// Its handler returns only once the command has written its last output and had time to end.
constexpr UINT kHoldUntilEnded = WM_APP + 2;

int pingsHandled = 0;
std::string lastOutputWritten;
bool endSeenByHandler = false;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kPing:
        ++pingsHandled;
        return 0;
    case kHoldUntilEnded:
        endSeenByHandler = WaitForFile(lastOutputWritten, 10000);
        Sleep(500);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

class CaptureMessages : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = TestWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "CaptureMessagesTestWindow";
        RegisterClassA(&windowClass);
        window_.reset(CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                      nullptr, nullptr, windowClass.hInstance, nullptr));
        ASSERT_TRUE(window_);
        pingsHandled = 0;
    }

    void Post(UINT message) { ASSERT_TRUE(PostMessageA(window_.get(), message, 0, 0)); }

    win32::unique_hwnd window_;
};

}  // namespace

TEST_F(CaptureMessages, AMessageIsHandledWhileTheCommandRuns)
{
    // The command writes twice, a second apart; the second piece arrives while it still runs.
    for (const bool fromCallback : {false, true}) {
        SCOPED_TRACE(fromCallback ? "posted from the callback" : "posted before the capture");
        pingsHandled = 0;
        int handledAtSecondPiece = -1;
        PieceLog log;
        log.onPiece = [&](std::size_t call) {
            if (call == 1 && fromCallback)
                Post(kPing);
            if (call == 2)
                handledAtSecondPiece = pingsHandled;
        };
        if (!fromCallback)
            Post(kPing);
        EXPECT_EQ(CaptureCommandOutput(WriterLine({"out:first", "sleep:1000", "out:second"}), PieceLog::Callback, true),
                  "firstsecond");
        EXPECT_EQ(handledAtSecondPiece, 1);
        EXPECT_EQ(pingsHandled, 1);
    }
}

TEST_F(CaptureMessages, AQuitRequestStaysQueuedAndTheCaptureCompletes)
{
    for (const bool fromCallback : {false, true}) {
        SCOPED_TRACE(fromCallback ? "posted from the callback" : "posted before the capture");
        PieceLog log;
        log.onPiece = [&](std::size_t call) {
            if (call == 1 && fromCallback)
                PostQuitMessage(7);
        };
        if (!fromCallback)
            PostQuitMessage(7);
        EXPECT_EQ(CaptureCommandOutput(WriterLine({"out:first", "sleep:500", "out:second"}), PieceLog::Callback, true),
                  "firstsecond");
        MSG message{};
        ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(message.wParam, 7u);
    }
}

TEST_F(CaptureMessages, OutputWrittenAsTheCommandEndsIsKept)
{
    // A slow message handler runs after a pass has found the pipe empty; meanwhile the command
    // writes its last output and ends. That output still comes through, in pieces of at most 1023
    // bytes, and a callback can still stop it.
    const std::string tail = std::string(2500, 'T');
    const struct {
        std::size_t stopAt;
        std::vector<std::size_t> pieces;
        std::string output;
    } cases[] = {
        {0, {4, 1023, 1023, 454}, "head" + tail},
        {3, {4, 1023, 1023}, "head" + tail.substr(0, 1023)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "stop at piece " << c.stopAt);
        lastOutputWritten = FreshTempPath();
        endSeenByHandler = false;
        PieceLog log;
        log.stopAt = c.stopAt;
        log.onPiece = [&](std::size_t call) {
            if (call == 1)
                Post(kHoldUntilEnded);
        };
        const Text output = CaptureCommandOutput(
            WriterLine({"out:head", "sleep:300", "out:" + tail, "mark:" + lastOutputWritten}), PieceLog::Callback,
            true);
        EXPECT_TRUE(endSeenByHandler) << "the command did not write its last output in time";
        EXPECT_EQ(log.Sizes(), c.pieces);
        EXPECT_EQ(output, c.output);
        DeleteFileA(lastOutputWritten.c_str());
    }
}

TEST_F(CaptureMessages, MessagesAreHandledWhileOutputStreamsIn)
{
    // The first piece holds the capture up until the writer has filled the pipe; from then on the
    // writer is always ahead and output is ready on every pass. A message posted at that first
    // piece must not wait for the stream to end.
    const std::string pipeFull = FreshTempPath();
    const std::size_t bytes = 64 * 1024 + 4 * 1024 * 1024;
    std::size_t handledAtPiece = 0;
    PieceLog log;
    log.onPiece = [&](std::size_t call) {
        if (call == 1) {
            Post(kPing);
            ASSERT_TRUE(WaitForFile(pipeFull, 10000));
        }
        if (pingsHandled == 1 && handledAtPiece == 0)
            handledAtPiece = call;
    };
    const Text output = CaptureCommandOutput(
        WriterLine({"fill:65536", "mark:" + pipeFull, "fill:" + std::to_string(bytes - 64 * 1024)}), PieceLog::Callback,
        true);
    EXPECT_EQ(output.size(), bytes);
    ASSERT_EQ(pingsHandled, 1);
    ASSERT_NE(handledAtPiece, 0u) << "the message was handled only after the last piece";
    EXPECT_LT(handledAtPiece, log.pieces.size() / 2) << "the message waited for half the stream";
    DeleteFileA(pipeFull.c_str());
}
