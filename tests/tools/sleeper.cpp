// A console command that runs for a while: sleeps the milliseconds given as its first argument,
// then creates the file named as its second, so a test can tell whether it has ended.
#include "win32/unique_handle.h"

#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    Sleep(static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10)));
    const win32::unique_hfile done(
        CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return done ? 0 : 3;
}
