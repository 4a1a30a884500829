// A library that does nothing: the test loads it by name to see where the search for libraries
// looks.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
