#include "tests/support/recorder_log.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

std::string Unhex(const std::string& hex)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

}  // namespace

RecorderLog::RecorderLog()
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    char file[MAX_PATH];
    GetTempFileNameA(folder, "rec", 0, file);
    DeleteFileA(file);
    path_ = file;
    SetEnvironmentVariableA("RECORDER_LOG", path_.c_str());
}

RecorderLog::~RecorderLog()
{
    DeleteFileA(path_.c_str());
    SetEnvironmentVariableA("RECORDER_LOG", nullptr);
}

std::vector<RecordedLaunch> RecorderLog::Read() const
{
    std::vector<RecordedLaunch> launches;
    std::ifstream in(path_, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        RecordedLaunch launch;
        std::string directory, commandLine;
        fields >> launch.creationTime;
        fields.ignore(1);
        std::getline(fields, launch.image, '\t');
        fields >> launch.startFlags >> launch.showRequest;
        fields.ignore(1);
        std::getline(fields, directory, '\t');
        std::getline(fields, commandLine);
        launch.currentDirectory = Unhex(directory);
        launch.commandLine = Unhex(commandLine);
        launches.push_back(launch);
    }
    std::stable_sort(launches.begin(), launches.end(),
                     [](const RecordedLaunch& a, const RecordedLaunch& b) { return a.creationTime < b.creationTime; });
    return launches;
}

std::vector<RecordedLaunch> RecorderLog::WaitFor(std::size_t count, unsigned timeoutMs) const
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        std::vector<RecordedLaunch> launches = Read();
        if (launches.size() >= count || GetTickCount64() > deadline)
            return launches;
        Sleep(20);
    }
}

std::vector<std::string> CommandLinesOf(const std::vector<RecordedLaunch>& launches)
{
    std::vector<std::string> lines;
    for (const RecordedLaunch& launch : launches)
        lines.push_back(launch.commandLine);
    return lines;
}

std::string ExecutableFolder()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\'));
}
