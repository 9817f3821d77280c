#include "support/TempFolder.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tarvik::test {

namespace fs = std::filesystem;

TempFolder::TempFolder(bool withFactoryFiles) {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    m_path = fs::temp_directory_path() / ("tarvik-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(m_path);
    if (withFactoryFiles) {
        for (const auto& entry : fs::directory_iterator(TARVIK_DATA_DIR)) {
            if (entry.is_regular_file()) {
                fs::copy_file(entry.path(), m_path / entry.path().filename());
            }
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code ec;
    // Tests may leave read-only folders behind; make them writable again before removing.
    for (auto it = fs::recursive_directory_iterator(m_path, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

std::string TempFolder::read(std::string_view name) const {
    std::ifstream in(m_path / name, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + std::string(name));
    }
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void TempFolder::write(std::string_view name, std::string_view bytes) const {
    std::ofstream out(m_path / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::uintmax_t TempFolder::makeHuge(std::string_view name) const {
    std::error_code ec;
    fs::resize_file(m_path / name, std::uintmax_t(1) << 36, ec);
    if (ec) {
        fs::resize_file(m_path / name, std::uintmax_t(1) << 31);
    }
    return fs::file_size(m_path / name);
}

bool TempFolder::exists(std::string_view name) const {
    return fs::exists(m_path / name);
}

void TempFolder::remove(std::string_view name) const {
    fs::remove_all(m_path / name);
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

} // namespace tarvik::test
