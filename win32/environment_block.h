#pragma once

#include "win32/unique_handle.h"

#include <windows.h>

namespace win32 {

struct EnvironmentStringsTraits {
    using Pointer = wchar_t*;
    static Pointer Invalid() noexcept { return nullptr; }
    static void Close(Pointer block) noexcept { ::FreeEnvironmentStringsW(block); }
};

// The process's environment block as GetEnvironmentStringsW hands it out, freed when it goes.
class EnvironmentStrings : public UniqueResource<EnvironmentStringsTraits> {
public:
    using UniqueResource::UniqueResource;
    static EnvironmentStrings OfThisProcess() noexcept { return EnvironmentStrings(::GetEnvironmentStringsW()); }
};

}  // namespace win32
