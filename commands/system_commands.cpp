#include "commands/system_commands.h"

#include "commands/adapter_address.h"
#include "commands/launch.h"

void SystemCommands::Release() {}

std::unique_ptr<SystemCommands> SystemCommands::Clone() const
{
    return std::make_unique<SystemCommands>();
}

bool SystemCommands::SetAdapterAddress(const Text& adapterName, const Text& ipAddress,
                                       const Text& subnetMask, const Text& gateway,
                                       const Text& primaryDns, const Text& alternateDns,
                                       Text* errorMessage)
{
    const AdapterAddressCommands commands = ComposeAdapterAddressCommands(
        adapterName, ipAddress, subnetMask, gateway, primaryDns, alternateDns);
    const bool addressStarted = LaunchHidden(commands.address);
    const bool primaryDnsStarted = LaunchHidden(commands.primaryDns);
    const bool alternateDnsStarted = LaunchHidden(commands.alternateDns);

    const char* failure = AdapterAddressFailure(addressStarted, primaryDnsStarted, alternateDnsStarted);
    if (!failure)
        return true;
    if (errorMessage)
        *errorMessage = failure;
    return false;
}

bool SystemCommands::DeleteFiles(const Text& path)
{
    return LaunchHidden(ConcatText({"CMD /C Del ", path, " /Q"}));
}

Text SystemCommands::RunAndCapture(const Text& commandLine, ChunkCallback callback)
{
    return CaptureCommandOutput(commandLine, callback, true);
}

Text SystemCommands::Ping(const Text& target, ChunkCallback callback)
{
    return CaptureCommandOutput(ConcatText({"ping ", target}), callback, true);
}

Text SystemCommands::IpConfigAll(ChunkCallback callback)
{
    return CaptureCommandOutput("ipconfig/all", callback, true);
}

bool SystemCommands::ScheduleShutdown(const Text& seconds)
{
    return LaunchHidden(ConcatText({"shutdown -s -t ", seconds}));
}

void SystemCommands::AbortShutdown()
{
    LaunchHidden("shutdown -a ");
}

bool SystemCommands::MakeDirectory(const Text& directory)
{
    return LaunchHidden(ConcatText({"md ", directory}));
}

bool SystemCommands::XCopy(const Text& source, const Text& destination)
{
    return LaunchHidden(ConcatText({"xcopy ", source, " ", destination}));
}

bool SystemCommands::CopyFiles(const Text& source, const Text& destination)
{
    return LaunchHidden(ConcatText({"copy ", source, " ", destination}));
}

bool SystemCommands::RemoveDir(const Text& directory)
{
    return LaunchHidden(ConcatText({"rd ", directory}));
}

bool SystemCommands::DeleteTree(const Text& directory)
{
    return LaunchHidden(ConcatText({"deltree ", directory}));
}

bool SystemCommands::KillProcess(const Text& imageName)
{
    return LaunchHidden(ConcatText({"taskkill /f /im ", imageName}));
}

bool SystemCommands::RenameFile(const Text& directory, const Text& oldName, const Text& newName)
{
    return LaunchHidden(ConcatText({"ren ", directory, oldName, " ", newName}));
}
