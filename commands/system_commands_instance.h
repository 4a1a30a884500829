#pragma once

#include "commands/system_commands.h"

// The one program-wide instance. The application shell creates it before anything else of the
// tool runs and releases it at exit; it is null outside that span.
extern SystemCommands* systemCommands;
