#include "app/windowing/dpi_scale.h"

namespace windowing {
namespace {

int MultiplyDivideRounded(int value, int multiplier, int divisor) noexcept
{
    const long long product = static_cast<long long>(value) * multiplier;
    const long long half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor : (product - half) / divisor);
}

}  // namespace

int ScaleToDpi(int length, int dpi) noexcept
{
    return MultiplyDivideRounded(length, dpi, kLayoutDpi);
}

Bounds ScaleBounds(const Bounds& bounds, int dpi) noexcept
{
    return {ScaleToDpi(bounds.left, dpi), ScaleToDpi(bounds.top, dpi), ScaleToDpi(bounds.width, dpi),
            ScaleToDpi(bounds.height, dpi)};
}

int FontHeightAtDpi(int height, int fromDpi, int toDpi) noexcept
{
    if (fromDpi <= 0)
        return height;
    return MultiplyDivideRounded(height, toDpi, fromDpi);
}

}  // namespace windowing
