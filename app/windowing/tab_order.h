#pragma once

#include "app/windowing/layout.h"

#include <vector>

namespace windowing {

constexpr std::size_t kNoControl = static_cast<std::size_t>(-1);

// The layout indices of the controls that take part in the tab order, in that order: lower keys
// first, and among equal keys the control listed later first.
std::vector<std::size_t> TabOrder(const ControlLayout* controls, std::size_t count);

// The control (layout index) that Tab (forward) or Shift+Tab moves the focus to from `current`
// (a layout index, or kNoControl), wrapping around at both ends. `canTakeFocus[i]` says whether
// the control at layout index i is visible and enabled now. kNoControl when none can take it.
std::size_t NextInTabOrder(const std::vector<std::size_t>& order, std::size_t current, bool forward,
                           const std::vector<bool>& canTakeFocus);

}  // namespace windowing
