#pragma once

#include "commands/text.h"

// The three netsh command lines that give a connection its fixed address and DNS servers.
struct AdapterAddressCommands {
    Text address;
    Text primaryDns;
    Text alternateDns;
};

AdapterAddressCommands ComposeAdapterAddressCommands(const Text& adapterName, const Text& ipAddress,
                                                     const Text& subnetMask, const Text& gateway,
                                                     const Text& primaryDns, const Text& alternateDns);

// The message for the first of the three commands that did not start, in the order address,
// primary DNS, alternate DNS; null when all three started.
const char* AdapterAddressFailure(bool addressStarted, bool primaryDnsStarted,
                                  bool alternateDnsStarted) noexcept;
