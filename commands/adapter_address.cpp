#include "commands/adapter_address.h"

AdapterAddressCommands ComposeAdapterAddressCommands(const Text& adapterName, const Text& ipAddress,
                                                     const Text& subnetMask, const Text& gateway,
                                                     const Text& primaryDns, const Text& alternateDns)
{
    return {
        ConcatText({"netsh interface ip set address name=\"", adapterName, "\" source=static addr=",
                    ipAddress, " mask=", subnetMask, " gateway=", gateway}),
        ConcatText({"netsh interface ip set dns \"", adapterName, "\" source=static addr=", primaryDns}),
        ConcatText({"netsh interface ip add dns \"", adapterName, "\" addr=", alternateDns}),
    };
}

const char* AdapterAddressFailure(bool addressStarted, bool primaryDnsStarted,
                                  bool alternateDnsStarted) noexcept
{
    if (!addressStarted)
        return "ip地址，子网掩码，网关，修改失败。";
    if (!primaryDnsStarted)
        return "dns主服务器修改失败。";
    if (!alternateDnsStarted)
        return "dns备用服务器修改失败。";
    return nullptr;
}
