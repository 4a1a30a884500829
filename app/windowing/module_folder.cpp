#include "app/windowing/module_folder.h"

namespace windowing {

std::string FolderOfModule(std::string_view modulePath)
{
    const std::size_t cut = modulePath.find_last_of('\\');
    if (cut == std::string_view::npos)
        return std::string();
    const bool driveRoot = cut == 2 && modulePath[1] == ':';
    return std::string(modulePath.substr(0, driveRoot ? cut + 1 : cut));
}

}  // namespace windowing
