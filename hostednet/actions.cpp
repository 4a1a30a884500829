#include "hostednet/actions.h"

#include "commands/launch.h"
#include "commands/system_commands_instance.h"

namespace {

// The connection Windows creates for the hosted network's virtual adapter.
constexpr char kAdapterConnection[] = "无线网络连接 2";
constexpr char kAdapterAddress[] = "192.168.0.10";
constexpr char kSubnetMask[] = "255.255.255.0";
constexpr char kGateway[] = "192.168.0.1";
constexpr char kPrimaryDns[] = "192.168.0.1";

}  // namespace

void CreateAction()
{
    LaunchHidden("netsh wlan set hostednetwork mode=allow ssid=wifi key=pebrowask");
}

void DeleteAction()
{
    LaunchHidden("netsh wlan set hostednetwork mode=disallow");
}

void StartAction()
{
    LaunchHidden("netsh wlan start hostednetwork ");
    // Nothing checks that the network has started: the address commands follow at once.
    systemCommands->SetAdapterAddress(kAdapterConnection, kAdapterAddress, kSubnetMask, kGateway,
                                      kPrimaryDns);
}
