#pragma once

#include <string>
#include <vector>

// One start of the recording stand-in, as it logged it.
struct RecordedLaunch {
    unsigned long long creationTime = 0;
    std::wstring imagePath;  // where the stand-in that was started lies
    std::string image;       // its file name, e.g. "netsh.exe"
    unsigned long startFlags = 0;
    unsigned showRequest = 0;
    bool searchesCurrentFolder = true;  // for the programs it would start by a bare name
    std::string currentDirectory;
    std::wstring wideCommandLine;  // as the stand-in got it from Windows
    std::string commandLine;       // the same in the tool's GBK bytes
};

// A log file of this test process's own in the temporary folder that the stand-ins started from
// now on write to (through the inherited RECORDER_LOG variable). The file exists from the start,
// so no other process is given its name; it is removed when the object goes.
class RecorderLog {
public:
    RecorderLog();
    ~RecorderLog();
    RecorderLog(const RecorderLog&) = delete;
    RecorderLog& operator=(const RecorderLog&) = delete;

    const std::wstring& path() const { return path_; }

    // The launches logged so far, in the order they were started.
    std::vector<RecordedLaunch> Read() const;

    // Waits up to timeoutMs until at least `count` launches are logged, then gives them in the
    // order they were started.
    std::vector<RecordedLaunch> WaitFor(std::size_t count, unsigned timeoutMs = 15000) const;

private:
    std::wstring path_;
};

// The command lines of the launches, in their order.
std::vector<std::string> CommandLinesOf(const std::vector<RecordedLaunch>& launches);

// The launches whose stand-in is not the one in the system folder: planted copies that ran.
std::vector<std::wstring> StartedOutsideTheSystemFolder(const std::vector<RecordedLaunch>& launches);

// The folder of the running test program, without a trailing backslash.
std::string ExecutableFolder();

// The system folder, e.g. C:\windows\system32.
std::wstring SystemFolder();
