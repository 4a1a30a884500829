// How a block of output, however large, reaches the callback: in order, in zero-terminated pieces
// of at most 1023 bytes, each cut at its first zero byte, and no further once the callback stops.
#include "commands/output_pieces.h"

#include "tests/capture/capture_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Letters(std::size_t size, char first = 'a')
{
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i)
        bytes += static_cast<char>(first + i % 26);
    return bytes;
}

std::string WithZeroAt(std::string bytes, std::size_t at)
{
    bytes[at] = '\0';
    return bytes;
}

}  // namespace

TEST(OutputPieces, CutsABlockIntoTheCallbacksPieces)
{
    const struct {
        const char* name;
        std::string block;
        std::vector<std::string> pieces;
    } cases[] = {
        {"nothing", "", {}},
        {"one byte", "x", {"x"}},
        {"exactly one piece", Letters(1023), {Letters(1023)}},
        {"one byte more", Letters(1024), {Letters(1023), "j"}},
        {"a zero byte ends its piece only", WithZeroAt(Letters(2100), 1500),
         {Letters(1023), Letters(2100).substr(1023, 477), Letters(2100).substr(2046)}},
        {"a piece that starts with zero is null", WithZeroAt(Letters(1030), 1023), {Letters(1023), kNullPiece}},
        {"a zero byte as the last of a piece", WithZeroAt(Letters(1024), 1022), {Letters(1022), "j"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PieceLog log;
        OutputPieces pieces(PieceLog::Callback);
        EXPECT_TRUE(pieces.HandOn(c.block.data(), c.block.size()));
        EXPECT_EQ(log.pieces, c.pieces);
        // The collected output is what the callback saw.
        std::string collected;
        for (const std::string& piece : c.pieces)
            collected += piece == kNullPiece ? "" : piece;
        EXPECT_EQ(pieces.TakeOutput(), collected);
    }
}

TEST(OutputPieces, AWholeBlockOfReadingGoesOutIn65Pieces)
{
    const std::string block = Letters(64 * 1024);
    PieceLog log;
    OutputPieces pieces(PieceLog::Callback);
    EXPECT_TRUE(pieces.HandOn(block.data(), block.size()));
    std::vector<std::size_t> sizes(64, 1023);
    sizes.push_back(64);
    EXPECT_EQ(log.Sizes(), sizes);
    EXPECT_EQ(log.Joined(), block);
    EXPECT_EQ(pieces.TakeOutput(), block);
}

TEST(OutputPieces, ContinuesAcrossBlocksInOrder)
{
    PieceLog log;
    OutputPieces pieces(PieceLog::Callback);
    EXPECT_TRUE(pieces.HandOn("first,", 6));
    EXPECT_TRUE(pieces.HandOn("second", 6));
    EXPECT_EQ(log.pieces, (std::vector<std::string>{"first,", "second"}));
    EXPECT_EQ(pieces.TakeOutput(), "first,second");
}

TEST(OutputPieces, AStoppingPieceAndAllAfterItAreLeftOut)
{
    const std::string block = Letters(3000);
    for (const std::size_t stopAt : {1, 2, 3}) {
        SCOPED_TRACE(testing::Message() << "stop at piece " << stopAt);
        PieceLog log;
        log.stopAt = stopAt;
        OutputPieces pieces(PieceLog::Callback);
        EXPECT_FALSE(pieces.HandOn(block.data(), block.size()));
        EXPECT_EQ(log.pieces.size(), stopAt) << "pieces were handed on after the stop";
        EXPECT_EQ(pieces.TakeOutput(), block.substr(0, 1023 * (stopAt - 1)));
    }
}

TEST(OutputPieces, WithoutACallbackTheBlockIsCollectedAlone)
{
    PieceLog log;
    OutputPieces pieces(nullptr);
    const std::string block = WithZeroAt(Letters(2100), 1500);
    EXPECT_TRUE(pieces.HandOn(block.data(), block.size()));
    EXPECT_TRUE(log.pieces.empty());
    EXPECT_EQ(pieces.TakeOutput(), Letters(2100).substr(0, 1500) + Letters(2100).substr(2046));
}
