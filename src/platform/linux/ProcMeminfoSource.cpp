#include "platform/linux/ProcMeminfoSource.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <limits>
#include <sys/resource.h>
#include <unistd.h>
#include <utility>

namespace tarvik {

namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

// Reads a whole (small) proc file into `buffer` from its start; what does not fit is dropped,
// which only loses fields that the sample does not need. The kernel produces these files whole,
// so a read that returns less than asked has reached the end. The file stays open between samples:
// reading a proc file again from offset 0 makes the kernel produce it afresh, and the path lookup
// of an open costs as much as the read itself. A descriptor that stops working is opened anew once.
std::string_view readProcFile(int& fd, const char* path, char* buffer, std::size_t size) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (fd < 0) {
            fd = ::open(path, O_RDONLY | O_CLOEXEC);
            if (fd < 0) {
                return {};
            }
        }
        std::size_t used = 0;
        bool failed = false;
        while (used < size) {
            const ssize_t n = ::pread(fd, buffer + used, size - used, static_cast<off_t>(used));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            failed = n < 0;
            if (n <= 0) {
                break;
            }
            const bool whole = static_cast<std::size_t>(n) < size - used; // produced in one piece
            used += static_cast<std::size_t>(n);
            if (whole) {
                break;
            }
        }
        if (!failed) {
            return {buffer, used};
        }
        ::close(fd);
        fd = -1;
    }
    return {};
}

std::uint64_t addSat(std::uint64_t a, std::uint64_t b) {
    return a > kMax - b ? kMax : a + b;
}

// The value after the colon of a "Name:   1234 kB" line, in bytes. false for a line without
// digits, so that garbage reads as a missing field; absurd values saturate instead of wrapping.
bool parseValue(std::string_view rest, std::uint64_t& out) {
    std::size_t i = 0;
    while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t')) {
        ++i;
    }
    const std::size_t digitsStart = i;
    std::uint64_t value = 0;
    for (; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i) {
        const auto digit = static_cast<std::uint64_t>(rest[i] - '0');
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    if (i == digitsStart) {
        return false;
    }
    while (i < rest.size() && rest[i] == ' ') {
        ++i;
    }
    if (rest.substr(i, 2) == "kB") {
        value = value > kMax / 1024 ? kMax : value * 1024;
    }
    out = value;
    return true;
}

struct Field {
    std::string_view name;
    std::uint64_t value = 0;
    bool found = false;
};

template <std::size_t N> void scanFields(std::string_view text, Field (&fields)[N]) {
    std::size_t wanted = N;
    while (!text.empty() && wanted > 0) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            continue;
        }
        const std::string_view name = line.substr(0, colon);
        for (Field& f : fields) {
            if (!f.found && f.name == name) {
                f.found = parseValue(line.substr(colon + 1), f.value);
                wanted -= f.found ? 1 : 0;
                break;
            }
        }
    }
}

std::uint32_t loadPercent(std::uint64_t total, std::uint64_t avail) {
    if (total == 0) {
        return 0;
    }
    // In long double so that totals near 2^64 neither overflow nor lose the percentage.
    const long double freePercent = static_cast<long double>(avail) * 100.0L / static_cast<long double>(total);
    const auto rounded = static_cast<std::uint32_t>(freePercent + 0.5L);
    return rounded >= 100 ? 0 : 100 - rounded;
}

} // namespace

ProcMeminfoSource::ProcMeminfoSource(std::string meminfo)
    : m_meminfoPath(std::move(meminfo)), m_addressSpace(userAddressSpace()),
      m_pageSize(static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE))) {}

ProcMeminfoSource::~ProcMeminfoSource() {
    for (const int fd : {m_meminfoFd, m_statmFd}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

std::optional<MemoryStatus> ProcMeminfoSource::sample() {
    // The monitor's 1-second tick and the main window's half-second tick come in the same
    // wake-up every second: the second of two samples asked for within a few milliseconds is the
    // first one, not another trip through the kernel's memory accounting.
    const auto now = std::chrono::steady_clock::now();
    if (m_sampled && now - m_sampledAt < kSameSample) {
        return m_last;
    }
    // /proc/self/statm is far cheaper for the kernel to produce than /proc/self/status, and its
    // first field is the same virtual size, in pages.
    char meminfo[8192];
    char statm[256];
    const std::string_view sizes = readProcFile(m_statmFd, "/proc/self/statm", statm, sizeof statm);
    std::uint64_t pages = 0;
    parseValue(sizes, pages);
    const std::uint64_t virtualSize = pages > kMax / m_pageSize ? kMax : pages * m_pageSize;
    const MemoryStatus s =
        parse(readProcFile(m_meminfoFd, m_meminfoPath.c_str(), meminfo, sizeof meminfo), virtualSize, m_addressSpace);
    // Figures without a total are none at all: an unreadable or empty file (or one bound over the
    // real one) must not read as a machine with no memory free.
    m_last = s.dwTotalPhys != 0 ? std::optional(s) : std::nullopt;
    m_sampled = true;
    m_sampledAt = now;
    return m_last;
}

MemoryStatus ProcMeminfoSource::parse(std::string_view meminfo, std::string_view selfStatus,
                                      std::uint64_t addressSpace) {
    Field vm[] = {{"VmSize"}};
    scanFields(selfStatus, vm);
    return parse(meminfo, vm[0].value, addressSpace);
}

MemoryStatus ProcMeminfoSource::parse(std::string_view meminfo, std::uint64_t virtualSize, std::uint64_t addressSpace) {
    enum { Total, Available, Free, Buffers, Cached, SwapTotal, SwapFree };
    Field m[] = {{"MemTotal"}, {"MemAvailable"}, {"MemFree"}, {"Buffers"}, {"Cached"}, {"SwapTotal"}, {"SwapFree"}};
    scanFields(meminfo, m);

    MemoryStatus s;
    s.dwLength = 32;
    s.dwTotalPhys = m[Total].value;
    // Kernels before 3.14 lack MemAvailable; free plus the reclaimable caches is the old estimate.
    std::uint64_t avail =
        m[Available].found ? m[Available].value : addSat(addSat(m[Free].value, m[Buffers].value), m[Cached].value);
    if (avail > s.dwTotalPhys) {
        avail = s.dwTotalPhys;
    }
    s.dwAvailPhys = avail;
    s.dwTotalPageFile = addSat(s.dwTotalPhys, m[SwapTotal].value);
    s.dwAvailPageFile = addSat(avail, m[SwapFree].value);
    if (s.dwAvailPageFile > s.dwTotalPageFile) {
        s.dwAvailPageFile = s.dwTotalPageFile;
    }
    s.dwTotalVirtual = addressSpace;
    s.dwAvailVirtual = virtualSize < addressSpace ? addressSpace - virtualSize : 0;
    s.dwMemoryLoad = loadPercent(s.dwTotalPhys, s.dwAvailPhys);
    return s;
}

std::uint64_t ProcMeminfoSource::userAddressSpace() {
#if defined(__x86_64__) && !defined(__ILP32__)
    std::uint64_t arch = std::uint64_t{1} << 47; // also with 5-level paging, unless a process asks for more
#elif defined(__aarch64__)
    std::uint64_t arch = std::uint64_t{1} << 48;
#elif UINTPTR_MAX > 0xFFFFFFFFu
    std::uint64_t arch = std::uint64_t{1} << 47;
#else
    std::uint64_t arch = std::uint64_t{3} << 30; // the usual 3 GiB / 1 GiB split
#endif
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        static_cast<std::uint64_t>(limit.rlim_cur) < arch) {
        arch = static_cast<std::uint64_t>(limit.rlim_cur);
    }
    return arch;
}

} // namespace tarvik
