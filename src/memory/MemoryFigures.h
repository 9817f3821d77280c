#pragma once

#include "memory/MemoryStatus.h"

#include <cstdint>
#include <string>

namespace tarvik {

// The values and texts derived from one memory sample. A zero total reads as 0 %.
namespace MemoryFigures {

double FreePhysFraction(const MemoryStatus& s);
// part / total as a whole percentage rounded to the nearest (halves up); 0 when total is 0.
int wholePercent(std::uint64_t part, std::uint64_t total);
// The free physical percentage rounded down, as the charts plot it.
int freePhysPercentFloor(const MemoryStatus& s);
std::uint64_t freePhysMB(const MemoryStatus& s);  // rounded down
std::uint64_t totalPhysMB(const MemoryStatus& s); // rounded up
// Monitor bar length in twips: 1200 is all memory free.
double barTwips(const MemoryStatus& s);

std::string freePhysPercentText(const MemoryStatus& s);     // "37%"
std::string monitorTooltip(const MemoryStatus& s);          // "可用的物理内存(RAM): 95 M"
std::string totalPhysCaption(const MemoryStatus& s);        // "物理内存总量: 256M"
std::string availPhysCaption(const MemoryStatus& s);        // "可用的物理内存: 95M"
std::string pageFileCaption(const MemoryStatus& s);         // "可用的页面文件: 80%"
std::string virtualCaption(const MemoryStatus& s);          // "可用的虚拟内存: 98%"
std::string availPhysPercentCaption(const MemoryStatus& s); // "可用的物理内存:37%"

} // namespace MemoryFigures
} // namespace tarvik
