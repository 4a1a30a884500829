#pragma once

#include "commands/capture.h"
#include "commands/text.h"

#include <cstddef>
#include <utility>

// Hands a command's output on in the pieces a ChunkCallback receives, however large the blocks it
// is read in, and collects what was handed on.
class OutputPieces {
public:
    // The most a piece holds; with its terminating zero it fills a 1024-byte buffer.
    static constexpr std::size_t kPieceBytes = 1023;

    // Without a callback the output is only collected.
    explicit OutputPieces(ChunkCallback callback) noexcept : callback_(callback) {}

    // Cuts the block into windows of kPieceBytes, each of whose pieces ends at its first zero byte,
    // and hands them on in order. False once the callback asks to stop: that piece and the rest of
    // the block are left out, and the caller hands on nothing more.
    bool HandOn(const char* block, std::size_t size);

    Text TakeOutput() { return std::move(output_); }

private:
    ChunkCallback callback_;
    Text output_;
};
