#include "app/program.h"

#include "app/main_window.h"
#include "app/windowing/runtime.h"
#include "win32/message_pump.h"

#include "commands/system_commands_instance.h"

int StartProgram()
{
    // Out of memory here ends in the runtime's fatal error, before anything else has run.
    systemCommands = new SystemCommands();
    windowing::RegisterAtExit(&ReleaseGlobals);
    OnStartup();
    windowing::LoadStartupWindow(MainWindow);
    win32::RunEventLoop();
    return 0;
}

int OnStartup()
{
    return 0;
}

void ReleaseGlobals()
{
    systemCommands->Release();
    delete systemCommands;
    systemCommands = nullptr;
}
