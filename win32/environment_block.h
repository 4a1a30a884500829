#pragma once

#include "win32/unique_handle.h"

#include <windows.h>

namespace win32 {

// The process's environment block as GetEnvironmentStringsW hands it out, freed when it goes.
using unique_environment_strings =
    unique_any<wchar_t*, decltype(&::FreeEnvironmentStringsW), ::FreeEnvironmentStringsW>;

inline unique_environment_strings EnvironmentOfThisProcess() noexcept
{
    return unique_environment_strings(::GetEnvironmentStringsW());
}

}  // namespace win32
