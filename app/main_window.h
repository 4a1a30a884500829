#pragma once

#include "app/windowing/layout.h"

// The tool's only window, "架设个人wifi", with its three buttons bound to the hosted network
// actions.
extern const windowing::WindowLayout MainWindow;
