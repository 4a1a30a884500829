#pragma once

#include <cstdint>

// The family of Windows the tool runs on; it decides which command interpreter takes commands.
using OsFamily = int;

constexpr OsFamily kOsUnknown = 0;
constexpr OsFamily kOsWin32s = 1;
constexpr OsFamily kOsWindows9x = 2;
constexpr OsFamily kOsWindowsNt = 3;

// The family that a platform id of the system's version information stands for.
OsFamily OsFamilyForPlatform(std::uint32_t platformId) noexcept;

// The start of a line that hands a command to the family's command interpreter.
const char* InterpreterPrefixFor(OsFamily family) noexcept;

// The family of the running system; unknown when the system does not tell its version.
OsFamily GetOsFamily() noexcept;
