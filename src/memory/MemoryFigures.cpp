#include "memory/MemoryFigures.h"

#include <cmath>

namespace tarvik::MemoryFigures {

namespace {
constexpr double kMiB = 1048576.0;
}

double FreePhysFraction(const MemoryStatus& s) {
    if (s.dwTotalPhys == 0) {
        return 0.0;
    }
    return static_cast<double>(s.dwAvailPhys) / static_cast<double>(s.dwTotalPhys);
}

int wholePercent(std::uint64_t part, std::uint64_t total) {
    if (total == 0) {
        return 0;
    }
    return static_cast<int>(std::floor(static_cast<double>(part) / static_cast<double>(total) * 100.0 + 0.5));
}

int freePhysPercentFloor(const MemoryStatus& s) {
    return static_cast<int>(std::floor(FreePhysFraction(s) * 100.0));
}

std::uint64_t freePhysMB(const MemoryStatus& s) {
    return s.dwAvailPhys / 1048576ULL;
}

std::uint64_t totalPhysMB(const MemoryStatus& s) {
    return static_cast<std::uint64_t>(std::ceil(static_cast<double>(s.dwTotalPhys) / kMiB));
}

double barTwips(const MemoryStatus& s) {
    return FreePhysFraction(s) * 1200.0;
}

std::string freePhysPercentText(const MemoryStatus& s) {
    return std::to_string(wholePercent(s.dwAvailPhys, s.dwTotalPhys)) + "%";
}

std::string monitorTooltip(const MemoryStatus& s) {
    return "可用的物理内存(RAM): " + std::to_string(freePhysMB(s)) + " M";
}

std::string totalPhysCaption(const MemoryStatus& s) {
    return "物理内存总量: " + std::to_string(totalPhysMB(s)) + "M";
}

std::string availPhysCaption(const MemoryStatus& s) {
    return "可用的物理内存: " + std::to_string(freePhysMB(s)) + "M";
}

std::string pageFileCaption(const MemoryStatus& s) {
    return "可用的页面文件: " + std::to_string(wholePercent(s.dwAvailPageFile, s.dwTotalPageFile)) + "%";
}

std::string virtualCaption(const MemoryStatus& s) {
    return "可用的虚拟内存: " + std::to_string(wholePercent(s.dwAvailVirtual, s.dwTotalVirtual)) + "%";
}

std::string availPhysPercentCaption(const MemoryStatus& s) {
    return "可用的物理内存:" + freePhysPercentText(s);
}

} // namespace tarvik::MemoryFigures
