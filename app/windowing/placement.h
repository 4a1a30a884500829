#pragma once

#include "app/windowing/layout.h"

namespace windowing {

// Where a window of the layout's outer size goes on a screen of the given size: centred, with each
// quotient truncated toward zero, so a window wider than the screen starts left of its edge.
Bounds CentredOnScreen(int screenWidth, int screenHeight, const Bounds& outer) noexcept;

}  // namespace windowing
