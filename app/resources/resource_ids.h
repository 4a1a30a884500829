#pragma once

// Names of the tool's resources, shared by the resource script and the code that loads them.

// The icon group: the exe's icon in Explorer and the main window's title bar and taskbar.
#define IDI_DEFAULT_ICON "DEFAULT_ICON"
