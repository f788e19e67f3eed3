// Sets an environment variable for a scope and puts back what was there (or nothing) at its end.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace lvtest {

class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_saved = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (m_saved)
            setenv(m_name.c_str(), m_saved->c_str(), 1);
        else
            unsetenv(m_name.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

    // What the variable held before the scope began.
    const std::optional<std::string>& Saved() const { return m_saved; }

private:
    std::string m_name;
    std::optional<std::string> m_saved;
};

} // namespace lvtest
