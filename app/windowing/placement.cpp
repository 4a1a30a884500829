#include "app/windowing/placement.h"

namespace windowing {

Bounds CentredOnScreen(int screenWidth, int screenHeight, const Bounds& outer) noexcept
{
    return {(screenWidth - outer.width) / 2, (screenHeight - outer.height) / 2, outer.width, outer.height};
}

}  // namespace windowing
