#include "platform/linux/ProcMeminfoSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

using tarvik::MemoryStatus;
using tarvik::ProcMeminfoSource;

namespace {

constexpr std::uint64_t KiB = 1024;
constexpr std::uint64_t GiB = 1024 * 1024 * 1024;
constexpr std::uint64_t kSpace = std::uint64_t{1} << 47;

const char* const kModern = "MemTotal:        8048576 kB\n"
                            "MemFree:          512000 kB\n"
                            "MemAvailable:    2012144 kB\n"
                            "Buffers:          100000 kB\n"
                            "Cached:          1500000 kB\n"
                            "SwapCached:            0 kB\n"
                            "Active(anon):     300000 kB\n"
                            "SwapTotal:       2097148 kB\n"
                            "SwapFree:        1048574 kB\n"
                            "HugePages_Total:       0\n"
                            "Hugepagesize:       2048 kB\n";

const char* const kStatus = "Name:\ttarvik\n"
                            "Umask:\t0022\n"
                            "State:\tS (sleeping)\n"
                            "VmPeak:\t  700000 kB\n"
                            "VmSize:\t  650000 kB\n"
                            "VmRSS:\t   40000 kB\n";

} // namespace

TEST(ProcMeminfoParse, ModernKernelGivesEveryFigureInBytes) {
    const MemoryStatus s = ProcMeminfoSource::parse(kModern, kStatus, kSpace);
    EXPECT_EQ(s.dwLength, 32u);
    EXPECT_EQ(s.dwTotalPhys, 8048576 * KiB);
    EXPECT_EQ(s.dwAvailPhys, 2012144 * KiB);
    EXPECT_EQ(s.dwTotalPageFile, (8048576 + 2097148) * KiB);
    EXPECT_EQ(s.dwAvailPageFile, (2012144 + 1048574) * KiB);
    EXPECT_EQ(s.dwTotalVirtual, kSpace);
    EXPECT_EQ(s.dwAvailVirtual, kSpace - 650000 * KiB); // VmSize, not VmPeak
    EXPECT_EQ(s.dwMemoryLoad, 75u);                     // 25% free
}

TEST(ProcMeminfoParse, KernelWithoutMemAvailableCountsFreeBuffersAndCache) {
    const MemoryStatus s = ProcMeminfoSource::parse("MemTotal:  1000000 kB\n"
                                                    "MemFree:    100000 kB\n"
                                                    "Buffers:     20000 kB\n"
                                                    "Cached:     280000 kB\n"
                                                    "SwapCached:  99999 kB\n"
                                                    "SwapTotal:       0 kB\n"
                                                    "SwapFree:        0 kB\n",
                                                    kStatus, kSpace);
    EXPECT_EQ(s.dwAvailPhys, 400000 * KiB);
    EXPECT_EQ(s.dwAvailPageFile, 400000 * KiB);
    EXPECT_EQ(s.dwTotalPageFile, 1000000 * KiB);
    EXPECT_EQ(s.dwMemoryLoad, 60u);
}

TEST(ProcMeminfoParse, LargeMachinesKeepTheirRealFigures) {
    // 1 TiB of RAM and 256 GiB of swap: far beyond 32 bits in bytes, and in kB too.
    const MemoryStatus s = ProcMeminfoSource::parse("MemTotal:       1073741824 kB\n"
                                                    "MemAvailable:    805306368 kB\n"
                                                    "SwapTotal:       268435456 kB\n"
                                                    "SwapFree:        268435456 kB\n",
                                                    "VmSize:\t 5368709120 kB\n", kSpace);
    EXPECT_EQ(s.dwTotalPhys, 1024 * GiB);
    EXPECT_EQ(s.dwAvailPhys, 768 * GiB);
    EXPECT_EQ(s.dwTotalPageFile, 1280 * GiB);
    EXPECT_EQ(s.dwAvailPageFile, 1024 * GiB);
    EXPECT_EQ(s.dwAvailVirtual, kSpace - 5120 * GiB);
    EXPECT_EQ(s.dwMemoryLoad, 25u);
}

TEST(ProcMeminfoParse, MissingFieldsAndGarbageReadAsZeroWithoutNonsense) {
    const MemoryStatus empty = ProcMeminfoSource::parse("", "", kSpace);
    EXPECT_EQ(empty.dwTotalPhys, 0u);
    EXPECT_EQ(empty.dwAvailPhys, 0u);
    EXPECT_EQ(empty.dwTotalPageFile, 0u);
    EXPECT_EQ(empty.dwMemoryLoad, 0u);
    EXPECT_EQ(empty.dwAvailVirtual, kSpace);

    // Non-numbers, a name without a colon, prefixes of real names, binary junk, no final newline.
    const char junkText[] = "MemTotal: lots kB\n"
                            "MemAvailable\t123 kB\n"
                            "MemTotalX: 777 kB\n"
                            "\x01\xff\0:::\n"
                            "SwapFree: -5 kB\n"
                            ":\n"
                            "SwapTotal: 10";
    const MemoryStatus junk =
        ProcMeminfoSource::parse(std::string_view(junkText, sizeof junkText - 1), "VmSize:\n", kSpace);
    EXPECT_EQ(junk.dwTotalPhys, 0u);
    EXPECT_EQ(junk.dwAvailPhys, 0u);
    EXPECT_EQ(junk.dwTotalPageFile, 10u); // a count without its unit is taken as bytes
    EXPECT_EQ(junk.dwAvailPageFile, 0u);
    EXPECT_EQ(junk.dwAvailVirtual, kSpace);

    // Values that overflow saturate, and free never exceeds total.
    const MemoryStatus huge = ProcMeminfoSource::parse("MemTotal: 99999999999999999999999999 kB\n"
                                                       "MemAvailable: 99999999999999999999999999 kB\n"
                                                       "SwapTotal: 18446744073709551615 kB\n"
                                                       "SwapFree: 5 kB\n",
                                                       "VmSize: 99999999999999999999 kB\n", kSpace);
    EXPECT_EQ(huge.dwTotalPhys, UINT64_MAX);
    EXPECT_LE(huge.dwAvailPhys, huge.dwTotalPhys);
    EXPECT_LE(huge.dwAvailPageFile, huge.dwTotalPageFile);
    EXPECT_EQ(huge.dwAvailVirtual, 0u);
    EXPECT_LE(huge.dwMemoryLoad, 100u);

    const MemoryStatus overAvail = ProcMeminfoSource::parse(
        "MemTotal: 100 kB\nMemAvailable: 200 kB\nSwapTotal: 0 kB\nSwapFree: 50 kB\n", "", kSpace);
    EXPECT_EQ(overAvail.dwAvailPhys, 100 * KiB);
    EXPECT_EQ(overAvail.dwAvailPageFile, 100 * KiB);
    EXPECT_EQ(overAvail.dwMemoryLoad, 0u);
}

TEST(ProcMeminfoSource, LiveSampleIsConsistent) {
    ProcMeminfoSource source;
    const MemoryStatus s = source.sample().value();
    EXPECT_EQ(s.dwLength, 32u);
    EXPECT_GT(s.dwTotalPhys, 16 * 1024 * KiB);
    EXPECT_GT(s.dwAvailPhys, 0u);
    EXPECT_LE(s.dwAvailPhys, s.dwTotalPhys);
    EXPECT_GE(s.dwTotalPageFile, s.dwTotalPhys);
    EXPECT_GE(s.dwAvailPageFile, s.dwAvailPhys);
    EXPECT_LE(s.dwAvailPageFile, s.dwTotalPageFile);
    EXPECT_EQ(s.dwTotalVirtual, ProcMeminfoSource::userAddressSpace());
    EXPECT_GT(s.dwAvailVirtual, 0u);
    EXPECT_LT(s.dwAvailVirtual, s.dwTotalVirtual); // this process does use some address space
    EXPECT_LE(s.dwMemoryLoad, 100u);
    const double freePercent = 100.0 * static_cast<double>(s.dwAvailPhys) / static_cast<double>(s.dwTotalPhys);
    EXPECT_NEAR(100.0 - freePercent, s.dwMemoryLoad, 1.0);
}

TEST(ProcMeminfoSource, SamplesKeepTheirTwoFilesOpenAndCloseThemAtTheEnd) {
    auto descriptors = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                             std::filesystem::directory_iterator());
    };
    const auto before = descriptors();
    {
        ProcMeminfoSource source;
        const MemoryStatus first = source.sample().value();
        const auto open = descriptors();
        EXPECT_EQ(open, before + 2);
        for (int i = 0; i < 100; ++i) {
            const MemoryStatus s = source.sample().value();
            EXPECT_EQ(s.dwTotalPhys, first.dwTotalPhys); // read afresh from the start every time
            EXPECT_GT(s.dwAvailPhys, 0u);
        }
        EXPECT_EQ(descriptors(), open);
    }
    EXPECT_EQ(descriptors(), before);
}

// The read calls this process has made so far (one more is made to find out).
long readCalls() {
    char text[1024];
    const int fd = ::open("/proc/self/io", O_RDONLY);
    const ssize_t n = fd >= 0 ? ::read(fd, text, sizeof text - 1) : -1;
    ::close(fd);
    text[std::max<ssize_t>(n, 0)] = '\0';
    const char* at = std::strstr(text, "syscr:");
    return at != nullptr ? std::atol(at + 6) : -1;
}

TEST(ProcMeminfoSource, SamplesAskedForWithinMillisecondsOfEachOtherAreOne) {
    ProcMeminfoSource source;
    const long start = readCalls();
    ASSERT_GT(start, 0) << "no /proc/self/io";
    const long perLook = readCalls() - start;
    // Back to back: the second sample reads nothing (allowing for one preemption in between).
    int reused = 0;
    for (int i = 0; i < 3; ++i) {
        const MemoryStatus first = source.sample().value();
        const long before = readCalls();
        const MemoryStatus second = source.sample().value();
        if (readCalls() - before == perLook) {
            ++reused;
            EXPECT_EQ(second.dwAvailPhys, first.dwAvailPhys);
        }
    }
    EXPECT_GE(reused, 1);
    // Later, a sample reads both files again.
    std::this_thread::sleep_for(ProcMeminfoSource::kSameSample + std::chrono::milliseconds(10));
    const long before = readCalls();
    source.sample();
    EXPECT_GE(readCalls() - before, perLook + 2);
}

TEST(ProcMeminfoSource, AddressSpaceFollowsAnAddressSpaceLimit) {
#if defined(__x86_64__)
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_AS, &saved), 0);
    if (saved.rlim_cur == RLIM_INFINITY) {
        EXPECT_EQ(ProcMeminfoSource::userAddressSpace(), std::uint64_t{1} << 47);
    }
    struct rlimit limited = saved;
    limited.rlim_cur = 64 * GiB;
    if (saved.rlim_max != RLIM_INFINITY && saved.rlim_max < limited.rlim_cur) {
        GTEST_SKIP() << "hard address-space limit below 64 GiB";
    }
    ASSERT_EQ(::setrlimit(RLIMIT_AS, &limited), 0);
    const std::uint64_t space = ProcMeminfoSource::userAddressSpace();
    const MemoryStatus s = ProcMeminfoSource().sample().value();
    ::setrlimit(RLIMIT_AS, &saved);
    EXPECT_EQ(space, 64 * GiB);
    EXPECT_EQ(s.dwTotalVirtual, 64 * GiB);
    EXPECT_LT(s.dwAvailVirtual, 64 * GiB);
#else
    GTEST_SKIP() << "the unlimited size is checked on x86-64 only";
#endif
}

TEST(ProcMeminfoSource, AMemoryFileThatIsMissingEmptyOrWithoutATotalGivesNoFigures) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("meminfo-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    auto source = [&](const char* name, std::string_view text) {
        const std::filesystem::path path = dir / name;
        if (!text.empty()) {
            std::FILE* f = std::fopen(path.c_str(), "wb");
            std::fwrite(text.data(), 1, text.size(), f);
            std::fclose(f);
        } else {
            std::fclose(std::fopen(path.c_str(), "wb"));
        }
        return std::make_unique<ProcMeminfoSource>(path.string());
    };
    EXPECT_FALSE(ProcMeminfoSource((dir / "missing").string()).sample());
    EXPECT_FALSE(source("empty", "")->sample());
    EXPECT_FALSE(source("no-total", "MemFree: 1000 kB\nMemAvailable: 2000 kB\n")->sample());
    EXPECT_FALSE(source("zero-total", "MemTotal: 0 kB\nMemAvailable: 0 kB\n")->sample());
    const auto good = source("good", kModern)->sample();
    ASSERT_TRUE(good);
    EXPECT_EQ(good->dwTotalPhys, 8048576 * KiB);
    std::filesystem::remove_all(dir);
}
