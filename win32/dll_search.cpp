#include "win32/dll_search.h"

#include <windows.h>

namespace win32 {

void RestrictDllSearchToSystemFolder() noexcept
{
    // Looked up at run time: the call is missing from Windows 7 without its 2011 updates and older.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const FARPROC found = kernel ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
    if (found && reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(found))(kSearchSystem32))
        return;
    SetDllDirectoryW(L"");
}

}  // namespace win32
