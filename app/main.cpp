#include "app/main_window.h"
#include "app/program.h"
#include "app/windowing/runtime.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    static const windowing::WindowLayout* const layouts[] = {&MainWindow};
    return windowing::RunProgram(layouts, 1, &StartProgram);
}
