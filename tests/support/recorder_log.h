#pragma once

#include <string>
#include <vector>

// One start of the recording stand-in, as it logged it.
struct RecordedLaunch {
    unsigned long long creationTime = 0;
    std::string image;  // file name of the stand-in that was started, e.g. "netsh.exe"
    unsigned long startFlags = 0;
    unsigned showRequest = 0;
    std::string currentDirectory;
    std::string commandLine;  // exact bytes, GBK included
};

// A fresh log file in the temporary folder that the stand-ins started from now on write to
// (through the inherited RECORDER_LOG variable). Removed again when the object goes.
class RecorderLog {
public:
    RecorderLog();
    ~RecorderLog();
    RecorderLog(const RecorderLog&) = delete;
    RecorderLog& operator=(const RecorderLog&) = delete;

    const std::string& path() const { return path_; }

    // The launches logged so far, in the order they were started.
    std::vector<RecordedLaunch> Read() const;

    // Waits up to timeoutMs until at least `count` launches are logged, then gives them in the
    // order they were started.
    std::vector<RecordedLaunch> WaitFor(std::size_t count, unsigned timeoutMs = 15000) const;

private:
    std::string path_;
};

// The command lines of the launches, in their order.
std::vector<std::string> CommandLinesOf(const std::vector<RecordedLaunch>& launches);

// The folder of the running test program, without a trailing backslash.
std::string ExecutableFolder();
