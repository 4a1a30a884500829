#pragma once

#include <string>
#include <string_view>

namespace windowing {

// The folder that holds a module, which start-up makes the current directory: the path cut at its
// last backslash. For a module in a drive's root folder the backslash stays, so that the result
// names the root ("C:\") rather than the drive's current folder ("C:").
std::string FolderOfModule(std::string_view modulePath);

}  // namespace windowing
