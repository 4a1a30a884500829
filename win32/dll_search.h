#pragma once

namespace win32 {

// From here on, libraries that the process loads by name come from the system folder only, not
// from the exe's folder or the current one, where a planted DLL of a system name could lie. Older
// Windows lack the call that does this; there the current folder at least drops out of the search.
void RestrictDllSearchToSystemFolder() noexcept;

}  // namespace win32
