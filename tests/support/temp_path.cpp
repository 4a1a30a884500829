#include "tests/support/temp_path.h"

#include <windows.h>

std::string TempFolder()
{
    char folder[MAX_PATH];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    return std::string(folder, length > 0 ? length - 1 : 0);
}

std::string FreshTempPath()
{
    static unsigned count = 0;
    for (;;) {
        const std::string path = TempFolder() + "\\pw" + std::to_string(GetCurrentProcessId()) + "-" +
                                 std::to_string(++count) + ".tmp";
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            return path;
    }
}
