// Release speed: one release at every level on a large machine against a plain first-touch fill
// (memset) of a fresh anonymous mapping of the same size, measured alternately in one run.
// Prints: level, bytes, median release ms, median plain fill ms, ratio, resident memory change.
#include "memory/MemoryRelease.h"
#include "memory/RamClass.h"
#include "platform/Clipboard.h"
#include "platform/linux/MmapBlockAllocator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/mman.h>
#include <vector>

namespace {

struct NoClipboard : tarvik::Clipboard {
    bool clear() override { return true; }
};

double nowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

void plainFill(std::size_t bytes) {
    void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) {
        std::perror("mmap");
        return;
    }
    std::memset(p, 0x20, bytes);
    asm volatile("" : : "r"(p) : "memory"); // the fill must happen
    ::munmap(p, bytes);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    tarvik::MmapBlockAllocator allocator;
    NoClipboard clipboard;
    tarvik::MemoryRelease release(allocator, clipboard);
    const std::uint64_t largeMachine = 8ULL << 30;

    // Warm up the allocator paths and the page tables once.
    release.release(largeMachine, 1, false);
    plainFill(40000000);

    std::printf("%-6s %12s %12s %12s %8s %12s\n", "level", "bytes", "release ms", "plain ms", "ratio", "RSS change");
    for (int level = 1; level <= 5; ++level) {
        const std::size_t bytes = 2 * tarvik::releaseBlockChars(tarvik::RamClass::Large, level);
        std::vector<double> ours, plain;
        const long before = residentKb();
        for (int i = 0; i < runs; ++i) {
            double t = nowMs();
            release.release(largeMachine, level, false);
            ours.push_back(nowMs() - t);
            t = nowMs();
            plainFill(bytes);
            plain.push_back(nowMs() - t);
        }
        const long after = residentKb();
        const double a = median(ours), b = median(plain);
        std::printf("%-6d %12zu %12.2f %12.2f %8.3f %9ld kB\n", level, bytes, a, b, a / b, after - before);
    }
    return 0;
}
