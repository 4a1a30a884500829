#pragma once

#include <string>
#include <string_view>

namespace windowing {

// The folder that holds a module, which start-up makes the current directory: the path cut at its
// last backslash. For a module in a drive's root folder the backslash stays, so that the result
// names the root ("C:\") rather than the drive's current folder ("C:"). Paths are UTF-16, as the
// system keeps them: a folder's name need not fit the system's code page.
std::wstring FolderOfModule(std::wstring_view modulePath);

}  // namespace windowing
