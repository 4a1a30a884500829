#include "tests/capture/capture_run.h"

#include "tests/support/recorder_log.h"

#include <windows.h>

const char kNullPiece[] = "<null>";

namespace {

PieceLog* activeLog = nullptr;

}  // namespace

PieceLog::PieceLog()
{
    activeLog = this;
}

PieceLog::~PieceLog()
{
    activeLog = nullptr;
}

std::int32_t PieceLog::Callback(const char* piece)
{
    PieceLog& log = *activeLog;
    log.pieces.push_back(piece ? piece : kNullPiece);
    const std::size_t call = log.pieces.size();
    if (log.onPiece)
        log.onPiece(call);
    return call == log.stopAt ? 1 : 0;
}

std::vector<std::size_t> PieceLog::Sizes() const
{
    std::vector<std::size_t> sizes;
    for (const std::string& piece : pieces)
        sizes.push_back(piece.size());
    return sizes;
}

std::string PieceLog::Joined() const
{
    std::string joined;
    for (const std::string& piece : pieces)
        joined += piece;
    return joined;
}

std::string WriterLine(std::initializer_list<std::string> steps)
{
    std::string line = ExecutableFolder() + "\\capture_writer.exe";
    for (const std::string& step : steps)
        line += " " + step;
    return line;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

unsigned long CountOpenHandles(unsigned long withFlags)
{
    unsigned long open = 0;
    for (UINT_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) && (flags & withFlags) == withFlags)
            ++open;
    }
    return open;
}

bool WaitForFile(const std::string& path, unsigned timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!FileExists(path) && GetTickCount64() < deadline)
        Sleep(10);
    return FileExists(path);
}
