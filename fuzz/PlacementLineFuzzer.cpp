// The line of wtl.dxl, read from any text and written from any float.
#include "FuzzCheck.h"
#include "settings/PlacementPixels.h"
#include "settings/SettingsFormat.h"

#include <cmath>
#include <cstring>

using namespace tarvik;

namespace {

bool sameFloat(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Both writers' separators give a line that reads back as exactly what was written; a position
// that is not a finite number is written as 0 rather than making the file unreadable.
void checkWritten(const MonitorPlacement& p) {
    for (const std::string_view separator : {",", ", "}) {
        const std::string line = SettingsFormat::composePlacement(p, separator);
        const auto read = SettingsFormat::parsePlacement(line);
        FUZZ_CHECK(read.has_value());
        const float written[] = {p.Top, p.Left, p.Height};
        const float back[] = {read->Top, read->Left, read->Height};
        for (int i = 0; i < 3; ++i) {
            FUZZ_CHECK(std::isfinite(written[i]) ? sameFloat(back[i], written[i]) : back[i] == 0);
        }
    }
}

// Start-up's conversion to pixels takes whatever was read, without undefined behaviour, and
// what it gives can be added to a window size without overflow.
void checkPixels(const MonitorPlacement& p) {
    if (const auto px = placementPixels(p, 15)) {
        for (const int v : {px->x, px->y, px->height}) {
            FUZZ_CHECK(v >= -(1 << 24) && v <= (1 << 24));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto read = SettingsFormat::parsePlacement(fuzz::asText(data, size));
    if (read) {
        FUZZ_CHECK(std::isfinite(read->Top) && std::isfinite(read->Left) && std::isfinite(read->Height));
        checkWritten(*read);
        checkPixels(*read);
    }
    // The same bytes as three raw floats: every bit pattern, NaNs and subnormals included.
    if (size >= 3 * sizeof(float)) {
        MonitorPlacement raw;
        std::memcpy(&raw.Top, data, sizeof(float));
        std::memcpy(&raw.Left, data + sizeof(float), sizeof(float));
        std::memcpy(&raw.Height, data + 2 * sizeof(float), sizeof(float));
        checkWritten(raw);
        checkPixels(raw);
    }
    return 0;
}
