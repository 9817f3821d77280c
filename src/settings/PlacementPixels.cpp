#include "settings/PlacementPixels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

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

// Edges as 64-bit numbers: a stored place may lie up to 2^24 pixels out, its far edge further.
struct Edges {
    std::int64_t left, top, right, bottom; // right and bottom exclusive
};

Edges edges(const PixelRect& r) {
    return {r.x, r.y, std::int64_t{r.x} + std::max(0, r.width), std::int64_t{r.y} + std::max(0, r.height)};
}

std::int64_t overlap(const Edges& a, const Edges& b) {
    const std::int64_t w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const std::int64_t h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// The window's area that lies on any screen. Screens may overlap (a mirrored pair), so the plane is
// cut along every edge and each cell inside the window is counted once.
std::int64_t areaOnScreens(const Edges& w, const std::vector<ScreenArea>& screens) {
    std::vector<std::int64_t> xs{w.left, w.right};
    std::vector<std::int64_t> ys{w.top, w.bottom};
    for (const ScreenArea& s : screens) {
        const Edges e = edges(s.geometry);
        xs.insert(xs.end(), {std::clamp(e.left, w.left, w.right), std::clamp(e.right, w.left, w.right)});
        ys.insert(ys.end(), {std::clamp(e.top, w.top, w.bottom), std::clamp(e.bottom, w.top, w.bottom)});
    }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    std::int64_t area = 0;
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
            const Edges cell{xs[i], ys[j], xs[i + 1], ys[j + 1]};
            if (cell.right > cell.left && cell.bottom > cell.top &&
                std::any_of(screens.begin(), screens.end(),
                            [&](const ScreenArea& s) { return overlap(cell, edges(s.geometry)) > 0; })) {
                area += (cell.right - cell.left) * (cell.bottom - cell.top);
            }
        }
    }
    return area;
}

// Whether the window's centre lies on the screen, its edges included, so that a window exactly
// half on a screen counts as reachable from either side. Doubled, to stay in whole numbers.
bool centreOn(const Edges& w, const Edges& s) {
    const std::int64_t cx = w.left + w.right;
    const std::int64_t cy = w.top + w.bottom;
    return cx >= 2 * s.left && cx <= 2 * s.right && cy >= 2 * s.top && cy <= 2 * s.bottom;
}

// The least move that puts the window inside `area`; a window larger than the area keeps its
// top-left corner inside.
int into(int pos, int size, int areaPos, int areaSize) {
    return std::max(areaPos, std::min(pos, areaPos + areaSize - size));
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

PixelRect reachablePlace(const PixelRect& window, bool placeable, const std::vector<ScreenArea>& screens,
                         std::size_t primary) {
    if (screens.empty()) {
        return window; // nothing to measure against
    }
    const Edges w = edges(window);
    const std::size_t count = screens.size();
    std::size_t best = count;
    std::int64_t bestOverlap = 0;
    bool centreOnScreen = false;
    for (std::size_t i = 0; placeable && i < count; ++i) {
        const Edges s = edges(screens[i].geometry);
        const std::int64_t o = overlap(w, s);
        if (o > bestOverlap) {
            bestOverlap = o;
            best = i;
        }
        centreOnScreen = centreOnScreen || centreOn(w, s);
    }
    if (best == count) {
        const PixelRect& avail = screens[primary < count ? primary : 0].available;
        return {avail.x + avail.width - 1 - window.width - 20, avail.y + 20, window.width, window.height};
    }
    const std::int64_t area = (w.right - w.left) * (w.bottom - w.top);
    if (centreOnScreen && 2 * areaOnScreens(w, screens) >= area) {
        return window;
    }
    const PixelRect& avail = screens[best].available;
    return {into(window.x, window.width, avail.x, avail.width), into(window.y, window.height, avail.y, avail.height),
            window.width, window.height};
}

} // namespace tarvik
