#pragma once

#include <filesystem>
#include <thread>
#include <windows.h>

namespace tarvik::test {

// Another program holding a file open, as a virus scanner or backup tool does: it reads and lets
// others only read, so the file can be neither written nor replaced until it lets go, after
// `milliseconds` or at the end of its scope, whichever comes first.
class FileHolder {
public:
    FileHolder(const std::filesystem::path& file, DWORD milliseconds)
        : m_file(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr)),
          m_letGo(::CreateEventW(nullptr, TRUE, FALSE, nullptr)), m_thread([this, milliseconds] {
              ::WaitForSingleObject(m_letGo, milliseconds);
              if (m_file != INVALID_HANDLE_VALUE) {
                  ::CloseHandle(m_file);
              }
          }) {}
    ~FileHolder() {
        ::SetEvent(m_letGo);
        m_thread.join();
        ::CloseHandle(m_letGo);
    }
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;

    bool holds() const { return m_file != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_file;
    HANDLE m_letGo;
    std::thread m_thread;
};

} // namespace tarvik::test
