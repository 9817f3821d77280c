#pragma once

#include <QFont>

namespace tarvik::UiFonts {

// The program's font: a Chinese UI face that also carries the Latin letters and digits, so that one
// face serves every window (each extra face costs the program memory for as long as it runs).
QFont applicationFont();

// The ">" buttons: 宋体 10.5 pt, drawn bold by emboldening (SimSun has no bold face either),
// falling back to the application's face where 宋体 is missing.
QFont chartStyleButtonFont();

} // namespace tarvik::UiFonts
