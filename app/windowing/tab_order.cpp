#include "app/windowing/tab_order.h"

#include <algorithm>

namespace windowing {

std::vector<std::size_t> TabOrder(const ControlLayout* controls, std::size_t count)
{
    std::vector<std::size_t> order;
    for (std::size_t i = count; i-- > 0;)
        if (controls[i].tabStop)
            order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [controls](std::size_t a, std::size_t b) {
        return controls[a].tabKey < controls[b].tabKey;
    });
    return order;
}

std::size_t NextInTabOrder(const std::vector<std::size_t>& order, std::size_t current, bool forward,
                           const std::vector<bool>& canTakeFocus)
{
    const std::size_t n = order.size();
    const auto found = std::find(order.begin(), order.end(), current);
    // From outside the order, Tab starts at the first control and Shift+Tab at the last.
    const std::size_t start = found != order.end() ? static_cast<std::size_t>(found - order.begin())
                                                   : (forward ? n - 1 : 0);
    for (std::size_t step = 1; step <= n; ++step) {
        const std::size_t position = forward ? (start + step) % n : (start + n - step % n) % n;
        if (canTakeFocus[order[position]])
            return order[position];
    }
    return kNoControl;
}

}  // namespace windowing
