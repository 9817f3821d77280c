#pragma once

#include "settings/SettingsRecord.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace tarvik {

// The monitor window's place from wtl.dxl in whole pixels, as start-up applies it.
struct PlacementPixels {
    int x = 0;
    int y = 0;
    int height = 0;
    bool operator==(const PlacementPixels&) const = default;
};

// Left rounds to the nearest pixel; Top and Height are cut to whole twips and divided without
// remainder. nullopt when a field cannot be a pixel position at all (a value such as 1e30 reads as
// a valid number but lies beyond any screen); start-up then treats the window as off screen.
std::optional<PlacementPixels> placementPixels(const MonitorPlacement& placement, int twipsPerPixel);

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

// One screen: all of it (task bar and panels included) and the part that windows may use.
struct ScreenArea {
    PixelRect geometry;
    PixelRect available;
};

// Where start-up shows the monitor window stored at `window` (`placeable` false: the stored place can
// be no pixel position). The place stays when at least half of the window and its centre, the
// spot a user grabs, lie on the screens; the task bar counts as screen, so a meter dropped there
// stays. Otherwise the window moves just far enough to lie wholly in the usable part of the screen
// it overlaps most; a window on no screen goes to the top right of the primary one.
PixelRect reachablePlace(const PixelRect& window, bool placeable, const std::vector<ScreenArea>& screens,
                         std::size_t primary);

} // namespace tarvik
