#pragma once

namespace tarvik::Gate {

// Which user levels pass each gated command. Levels outside 1..3 pass none.
inline bool mayReleaseByHand(int level) {
    return level == 2 || level == 3;
} // else the beginner message
inline bool mayCustomiseUsage(int level) {
    return level == 2 || level == 3;
} // else the beginner message
inline bool mayClearClipboard(int level) {
    return level == 3;
} // else the advanced-only message
inline bool mayClearLog(int level) {
    return level == 3;
} // else the advanced-only message
inline bool startsBatchList(int level) {
    return level == 3;
} // silently skipped otherwise

} // namespace tarvik::Gate
