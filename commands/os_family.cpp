#include "commands/os_family.h"

#include <windows.h>

OsFamily OsFamilyForPlatform(std::uint32_t platformId) noexcept
{
    switch (platformId) {
    case VER_PLATFORM_WIN32s:
        return kOsWin32s;
    case VER_PLATFORM_WIN32_WINDOWS:
        return kOsWindows9x;
    case VER_PLATFORM_WIN32_NT:
        return kOsWindowsNt;
    default:
        return kOsUnknown;
    }
}

const char* InterpreterPrefixFor(OsFamily family) noexcept
{
    return family > kOsWindows9x ? "cmd.exe /c " : "command.com /c ";
}

OsFamily GetOsFamily() noexcept
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    // Only the platform id is wanted, which the version shims of newer systems leave alone, so the
    // deprecation of this call for version numbers does not concern it.
#ifdef _MSC_VER
#pragma warning(suppress : 4996)
#endif
    if (!GetVersionExA(&version))
        return kOsUnknown;
    return OsFamilyForPlatform(version.dwPlatformId);
}
