#pragma once

#include "settings/SettingsRecord.h"

#include <optional>

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

} // namespace tarvik
