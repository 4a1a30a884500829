#pragma once

#include "commands/capture.h"
#include "tests/support/temp_path.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// How a null piece shows in PieceLog::pieces, told apart from an empty string.
extern const char kNullPiece[];

// Records the pieces a capture hands its callback while the log exists; one log at a time.
class PieceLog {
public:
    PieceLog();
    ~PieceLog();
    PieceLog(const PieceLog&) = delete;
    PieceLog& operator=(const PieceLog&) = delete;

    // The callback to give the capture.
    static std::int32_t Callback(const char* piece);

    std::vector<std::size_t> Sizes() const;
    std::string Joined() const;

    std::vector<std::string> pieces;
    // The call, counted from 1, that answers "stop"; 0 lets every piece through.
    std::size_t stopAt = 0;
    // Runs on every call, with the number of that call.
    std::function<void(std::size_t call)> onPiece;
};

// The command line that runs the tests' writer command, from the test program's folder, with
// these steps.
std::string WriterLine(std::initializer_list<std::string> steps);

bool FileExists(const std::string& path);

// The handles open in this process, or only those whose flags include `withFlags`. Wine answers
// GetProcessHandleCount with 0, so every value a handle can take is asked about instead.
unsigned long CountOpenHandles(unsigned long withFlags = 0);

// Waits up to timeoutMs for the file to appear.
bool WaitForFile(const std::string& path, unsigned timeoutMs);
