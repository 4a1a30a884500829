#pragma once

#include "commands/capture.h"
#include "commands/text.h"

#include <memory>

// The system commands the tool knows how to issue. Each operation composes one command line from
// fixed texts and the caller's arguments and starts it hidden, without waiting; the capturing
// ones run it to its end and yield its output. The class holds no data: the operations, in this
// order, are all there is to it.
class SystemCommands {
public:
    virtual void Release();
    virtual std::unique_ptr<SystemCommands> Clone() const;

    // Gives the named connection a fixed address, mask and gateway, then a primary and an
    // alternate DNS server. All three commands are started before any result is looked at; on
    // failure the first one that did not start is named in errorMessage, which is otherwise left
    // as it was. Omitted texts read as empty.
    virtual bool SetAdapterAddress(const Text& adapterName, const Text& ipAddress,
                                   const Text& subnetMask, const Text& gateway = Text(),
                                   const Text& primaryDns = Text(), const Text& alternateDns = Text(),
                                   Text* errorMessage = nullptr);

    virtual bool DeleteFiles(const Text& path);
    virtual Text RunAndCapture(const Text& commandLine, ChunkCallback callback);
    virtual Text Ping(const Text& target, ChunkCallback callback);
    virtual Text IpConfigAll(ChunkCallback callback);
    virtual bool ScheduleShutdown(const Text& seconds);
    virtual void AbortShutdown();
    virtual bool MakeDirectory(const Text& directory);
    virtual bool XCopy(const Text& source, const Text& destination);
    virtual bool CopyFiles(const Text& source, const Text& destination);
    virtual bool RemoveDir(const Text& directory);
    virtual bool DeleteTree(const Text& directory);
    virtual bool KillProcess(const Text& imageName);
    // The directory must end with its own path separator: it runs straight into oldName.
    virtual bool RenameFile(const Text& directory, const Text& oldName, const Text& newName);

    virtual ~SystemCommands() = default;
};
