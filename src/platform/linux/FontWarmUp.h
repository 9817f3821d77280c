#pragma once

namespace tarvik {

// Starts reading the font configuration in the background.
void warmUpFonts();

} // namespace tarvik
