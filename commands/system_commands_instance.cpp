#include "commands/system_commands_instance.h"

SystemCommands* systemCommands = nullptr;
