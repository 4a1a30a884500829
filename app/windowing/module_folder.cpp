#include "app/windowing/module_folder.h"

namespace windowing {

std::wstring FolderOfModule(std::wstring_view modulePath)
{
    const std::size_t cut = modulePath.find_last_of(L'\\');
    if (cut == std::wstring_view::npos)
        return std::wstring();
    const bool driveRoot = cut == 2 && modulePath[1] == L':';
    return std::wstring(modulePath.substr(0, driveRoot ? cut + 1 : cut));
}

}  // namespace windowing
