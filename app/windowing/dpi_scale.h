#pragma once

#include "app/windowing/layout.h"

// Layouts are written for 96 DPI, the 100 % display scale; a window shows them at its own DPI.
namespace windowing {

constexpr int kLayoutDpi = 96;

// A length of the layout at the given DPI, rounded to the nearest pixel, halves away from zero,
// as the system rounds its own metrics.
int ScaleToDpi(int length, int dpi) noexcept;

// Every edge of the bounds at the given DPI: the position scales as the size does, so that the
// gaps between controls grow with them.
Bounds ScaleBounds(const Bounds& bounds, int dpi) noexcept;

// The height of a font made for one DPI when it is shown at another (heights may be negative,
// meaning the character height rather than the cell's).
int FontHeightAtDpi(int height, int fromDpi, int toDpi) noexcept;

}  // namespace windowing
