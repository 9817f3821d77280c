#include "settings/PlacementPixels.h"

#include <cmath>

namespace tarvik {

namespace {

// Far beyond any desktop, yet small enough that positions plus sizes never overflow an int.
constexpr double kMaxPixels = 1 << 24;

std::optional<int> pixels(double value) {
    if (!std::isfinite(value) || std::fabs(value) > kMaxPixels) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

} // namespace

std::optional<PlacementPixels> placementPixels(const MonitorPlacement& p, int twipsPerPixel) {
    if (twipsPerPixel <= 0) {
        return std::nullopt;
    }
    const auto x = pixels(std::round(static_cast<double>(p.Left) / twipsPerPixel));
    const auto y = pixels(std::trunc(static_cast<double>(p.Top)) / twipsPerPixel);
    const auto height = pixels(std::trunc(static_cast<double>(p.Height)) / twipsPerPixel);
    if (!x || !y || !height) {
        return std::nullopt;
    }
    // Whole twips divided by whole twips per pixel: the remainder is dropped, towards zero.
    return PlacementPixels{*x, *y, *height};
}

} // namespace tarvik
