// The pipe a capture reads in the background: a read sleeps until output arrives or every writer
// has gone, takes up to a whole block at once, and can be cancelled or abandoned without losing
// output or leaking handles.
#include "win32/overlapped_pipe.h"

#include "tests/capture/capture_run.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr DWORD kDeadlineMs = 10000;

bool Write(HANDLE to, const std::string& bytes)
{
    DWORD written = 0;
    return WriteFile(to, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool Ended(const win32::OverlappedPipe& pipe, DWORD waitMs)
{
    return WaitForSingleObject(pipe.ReadEnded(), waitMs) == WAIT_OBJECT_0;
}

std::string Taken(const win32::OverlappedPipe& pipe, DWORD size)
{
    return std::string(pipe.Block(), size);
}

}  // namespace

TEST(OverlappedPipe, AReadTakesWhatWaitsUpToAWholeBlockAtOnce)
{
    for (const std::size_t size : {std::size_t{1}, std::size_t{1024}, std::size_t{5000}, std::size_t{60000}}) {
        SCOPED_TRACE(testing::Message() << size << " bytes");
        win32::OverlappedPipe pipe;
        ASSERT_TRUE(pipe);
        const std::string bytes(size, 'q');
        ASSERT_TRUE(Write(pipe.WriteEnd(), bytes));
        EXPECT_EQ(pipe.BytesWaiting(), size);
        ASSERT_TRUE(pipe.BeginRead());
        ASSERT_TRUE(Ended(pipe, kDeadlineMs));
        const DWORD taken = pipe.EndRead(false);
        EXPECT_EQ(taken, size);
        EXPECT_EQ(Taken(pipe, taken), bytes);
        EXPECT_EQ(pipe.BytesWaiting(), 0u);
    }
}

TEST(OverlappedPipe, AReadSleepsUntilOutputArrives)
{
    win32::OverlappedPipe pipe;
    ASSERT_TRUE(pipe);
    ASSERT_TRUE(pipe.BeginRead());
    EXPECT_TRUE(pipe.Reading());
    EXPECT_FALSE(Ended(pipe, 0)) << "the read ended with nothing to read";
    EXPECT_EQ(pipe.EndRead(false), 0u);
    EXPECT_TRUE(pipe.Reading()) << "asking early ended the read";
    ASSERT_TRUE(Write(pipe.WriteEnd(), "abc"));
    ASSERT_TRUE(Ended(pipe, kDeadlineMs));
    EXPECT_EQ(pipe.EndRead(false), 3u);
    EXPECT_EQ(Taken(pipe, 3), "abc");
    EXPECT_FALSE(pipe.Reading());
}

TEST(OverlappedPipe, OnceEveryWriterHasGoneTheOutputLeftIsReadAndThenNoMore)
{
    for (const std::string left : {"", "rest"}) {
        SCOPED_TRACE(left.empty() ? "nothing left" : "output left");
        win32::OverlappedPipe pipe;
        ASSERT_TRUE(pipe);
        ASSERT_TRUE(Write(pipe.WriteEnd(), left));
        pipe.CloseWriteEnd();
        EXPECT_EQ(pipe.WriteEnd(), nullptr);
        std::string read;
        int reads = 0;
        while (pipe.BeginRead()) {
            ASSERT_LT(++reads, 3) << "reads go on on a broken pipe";
            ASSERT_TRUE(Ended(pipe, kDeadlineMs)) << "a read on a broken pipe sleeps";
            read += Taken(pipe, pipe.EndRead(false));
        }
        EXPECT_EQ(read, left);
        EXPECT_FALSE(pipe.Reading());
    }
}

TEST(OverlappedPipe, ACancelledReadLosesNothing)
{
    win32::OverlappedPipe pipe;
    ASSERT_TRUE(pipe);
    ASSERT_TRUE(pipe.BeginRead());
    EXPECT_EQ(pipe.CancelRead(), 0u);
    EXPECT_FALSE(pipe.Reading());
    ASSERT_TRUE(Write(pipe.WriteEnd(), "after"));
    ASSERT_TRUE(pipe.BeginRead());
    const DWORD taken = pipe.EndRead(true);
    EXPECT_EQ(Taken(pipe, taken), "after");

    // A read that has already taken output yields it when cancelled.
    ASSERT_TRUE(Write(pipe.WriteEnd(), "kept"));
    ASSERT_TRUE(pipe.BeginRead());
    ASSERT_TRUE(Ended(pipe, kDeadlineMs));
    const DWORD kept = pipe.CancelRead();
    EXPECT_EQ(Taken(pipe, kept), "kept");
}

TEST(OverlappedPipe, PipesAreApartFromEachOther)
{
    win32::OverlappedPipe first;
    win32::OverlappedPipe second;
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    ASSERT_TRUE(first.BeginRead());
    ASSERT_TRUE(second.BeginRead());
    ASSERT_TRUE(Write(second.WriteEnd(), "2"));
    ASSERT_TRUE(Ended(second, kDeadlineMs));
    EXPECT_FALSE(Ended(first, 0)) << "output for one pipe woke the other";
    EXPECT_EQ(Taken(second, second.EndRead(false)), "2");
}

TEST(OverlappedPipe, OnlyTheWriteEndIsInherited)
{
    // A command that inherited the read end would hold the pipe open itself once the reader had
    // gone, and block for good on a full pipe.
    const DWORD inheritableBefore = CountOpenHandles(HANDLE_FLAG_INHERIT);
    win32::OverlappedPipe pipe;
    ASSERT_TRUE(pipe);
    DWORD flags = 0;
    ASSERT_TRUE(GetHandleInformation(pipe.WriteEnd(), &flags));
    EXPECT_NE(flags & HANDLE_FLAG_INHERIT, 0u);
    EXPECT_EQ(CountOpenHandles(HANDLE_FLAG_INHERIT), inheritableBefore + 1);
}

TEST(OverlappedPipe, AbandonedWithAReadRunningItLeavesNoHandleOpen)
{
    // Once to let the system set up what it keeps for good, then counted.
    {
        win32::OverlappedPipe warmUp;
        warmUp.BeginRead();
    }
    const DWORD before = CountOpenHandles();
    for (int i = 0; i < 20; ++i) {
        win32::OverlappedPipe pipe;
        ASSERT_TRUE(pipe);
        ASSERT_TRUE(pipe.BeginRead());
        if (i % 2) {
            ASSERT_TRUE(Write(pipe.WriteEnd(), "unread"));
        }
    }
    EXPECT_EQ(CountOpenHandles(), before);
}
