#include "commands/output_pieces.h"

#include <algorithm>
#include <cstring>

bool OutputPieces::HandOn(const char* block, std::size_t size)
{
    for (std::size_t offset = 0; offset < size; offset += kPieceBytes) {
        const char* window = block + offset;
        const std::size_t windowBytes = std::min(kPieceBytes, size - offset);
        // Pieces travel as zero-terminated strings, so a zero byte ends one; the collected text
        // keeps to what the callback saw.
        const std::size_t length =
            static_cast<std::size_t>(std::find(window, window + windowBytes, '\0') - window);
        if (callback_) {
            char piece[kPieceBytes + 1];
            std::memcpy(piece, window, length);
            piece[length] = '\0';
            if (callback_(length ? piece : nullptr) != 0)
                return false;
        }
        output_.append(window, length);
    }
    return true;
}
