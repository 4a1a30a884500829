#include "tests/support/recorder_log.h"

#include "win32/wide_text.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

std::wstring Unhex(const std::string& hex)
{
    std::wstring text;
    for (std::size_t i = 0; i + 3 < hex.size(); i += 4)
        text += static_cast<wchar_t>(std::stoul(hex.substr(i, 4), nullptr, 16));
    return text;
}

std::wstring FolderOf(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace

RecorderLog::RecorderLog()
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    wchar_t file[MAX_PATH];
    GetTempFileNameW(folder, L"rec", 0, file);
    path_ = file;
    SetEnvironmentVariableW(L"RECORDER_LOG", path_.c_str());
}

RecorderLog::~RecorderLog()
{
    DeleteFileW(path_.c_str());
    SetEnvironmentVariableW(L"RECORDER_LOG", nullptr);
}

std::vector<RecordedLaunch> RecorderLog::Read() const
{
    std::vector<RecordedLaunch> launches;
    std::ifstream in(win32::TextFromWide(path_), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        RecordedLaunch launch;
        std::string image, directory, commandLine;
        fields >> launch.creationTime;
        fields.ignore(1);
        std::getline(fields, image, '\t');
        fields >> launch.startFlags >> launch.showRequest >> launch.searchesCurrentFolder;
        fields.ignore(1);
        std::getline(fields, directory, '\t');
        std::getline(fields, commandLine);
        launch.imagePath = Unhex(image);
        launch.image = win32::TextFromWide(launch.imagePath.substr(FolderOf(launch.imagePath).size() + 1));
        launch.currentDirectory = win32::TextFromWide(Unhex(directory));
        launch.wideCommandLine = Unhex(commandLine);
        launch.commandLine = win32::TextFromWide(launch.wideCommandLine);
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

std::vector<std::wstring> StartedOutsideTheSystemFolder(const std::vector<RecordedLaunch>& launches)
{
    const std::wstring system = SystemFolder();
    std::vector<std::wstring> outside;
    for (const RecordedLaunch& launch : launches)
        if (_wcsicmp(FolderOf(launch.imagePath).c_str(), system.c_str()) != 0)
            outside.push_back(launch.imagePath);
    return outside;
}

std::string ExecutableFolder()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\'));
}

std::wstring SystemFolder()
{
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, length < MAX_PATH ? length : 0);
}
