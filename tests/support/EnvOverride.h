#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace tarvik::test {

// Sets (or, with no value, removes) an environment variable for the life of the object.
class EnvOverride {
public:
    explicit EnvOverride(const char* name, const std::optional<std::string>& value = std::nullopt) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        set(value);
    }
    ~EnvOverride() { set(m_old); }
    EnvOverride(const EnvOverride&) = delete;
    EnvOverride& operator=(const EnvOverride&) = delete;

private:
    void set(const std::optional<std::string>& value) const {
#ifdef _WIN32
        // An empty value removes the variable.
        ::_putenv_s(m_name, value ? value->c_str() : "");
#else
        if (value) {
            ::setenv(m_name, value->c_str(), 1);
        } else {
            ::unsetenv(m_name);
        }
#endif
    }

    const char* m_name;
    std::optional<std::string> m_old;
};

} // namespace tarvik::test
