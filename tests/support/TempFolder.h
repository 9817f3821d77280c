#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace tarvik::test {

// A fresh program folder for one test, removed afterwards. With factory files it holds
// copies of everything in data/.
class TempFolder {
public:
    explicit TempFolder(bool withFactoryFiles = true);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

    // Raw file access for assertions and for preparing damaged files.
    std::string read(std::string_view name) const;
    void write(std::string_view name, std::string_view bytes) const;
    bool exists(std::string_view name) const;
    void remove(std::string_view name) const;
    // Grows a file, sparse, far beyond anything a read of the program may hold: 64 GiB where the
    // file system takes it, else 2 GiB (Wine refuses a size above the disk's free space). Gives
    // the size.
    std::uintmax_t makeHuge(std::string_view name) const;

private:
    std::filesystem::path m_path;
};

// The names of what a folder holds.
std::set<std::string> namesIn(const std::filesystem::path& folder);

} // namespace tarvik::test
