#include "platform/win32/MutexInstanceGuard.h"

#include <cstdint>
#include <windows.h>

namespace tarvik {

std::wstring MutexInstanceGuard::mutexName(const std::filesystem::path& executable) {
    std::wstring path = executable.wstring();
    if (const DWORD n = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr); n > 0) {
        std::wstring full(n, L'\0');
        const DWORD used = ::GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
        if (used > 0 && used < n) {
            full.resize(used);
            path = std::move(full);
        }
    }
    if (!path.empty()) {
        ::CharLowerBuffW(path.data(), static_cast<DWORD>(path.size()));
    }
    std::uint64_t hash = 0xcbf29ce484222325ull; // FNV-1a over the UTF-16 code units
    for (const wchar_t c : path) {
        hash = (hash ^ static_cast<std::uint16_t>(c)) * 0x100000001b3ull;
    }
    std::wstring name = L"Local\\Tarvik-";
    for (int shift = 60; shift >= 0; shift -= 4) {
        name += L"0123456789abcdef"[(hash >> shift) & 0xF];
    }
    return name;
}

MutexInstanceGuard::MutexInstanceGuard(const std::filesystem::path& executable) : m_name(mutexName(executable)) {}

MutexInstanceGuard::~MutexInstanceGuard() {
    if (m_mutex != nullptr) {
        ::CloseHandle(m_mutex);
    }
}

bool MutexInstanceGuard::anotherInstanceRuns() {
    if (!m_another) {
        m_mutex = ::CreateMutexW(nullptr, FALSE, m_name.c_str());
        const DWORD error = ::GetLastError();
        // A copy run as administrator owns a mutex this user's normal runs may not open: it runs.
        // A mutex that cannot be made for any other reason must not keep the user from the program.
        m_another = m_mutex != nullptr ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
        if (*m_another) {
            // Not ours to hold: the running instance owns the name.
            ::CloseHandle(m_mutex);
            m_mutex = nullptr;
        }
    }
    return *m_another;
}

} // namespace tarvik
