// The application's profile: values under HKEY_CURRENT_USER\Software\<registry key>\<profile
// name>\<section> once SetRegistryKey has been called, else the private profile file
// <profile name> in the Windows folder.
#include "mfc/winapp.h"

#include <string>
#include <vector>

namespace {

// Closes the key when it goes out of scope.
class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() {
        if (m_key)
            RegCloseKey(m_key);
    }
    HKEY* out() { return &m_key; }
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

std::string app_key_path(const CWinApp& app) {
    return std::string("Software\\") + app.m_pszRegistryKey + "\\" + app.m_pszProfileName;
}

bool open_section(const CWinApp& app, LPCTSTR section, RegistryKey& key) {
    const std::string path = app_key_path(app) + "\\" + section;
    return RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.out()) == ERROR_SUCCESS;
}

bool create_section(const CWinApp& app, LPCTSTR section, RegistryKey& key) {
    const std::string path = app_key_path(app) + "\\" + section;
    return RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_READ | KEY_WRITE, nullptr, key.out(), nullptr) == ERROR_SUCCESS;
}

bool uses_registry(const CWinApp& app) {
    return app.m_pszRegistryKey != nullptr;
}

// Before the program's start-up has named the profile there is none to read or write.
bool has_profile(const CWinApp& app) {
    if (app.m_pszProfileName != nullptr)
        return true;
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
}

// A value of the profile file, read with a buffer that grows until the value fits.
CString read_profile_file(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue, LPCTSTR file) {
    std::vector<char> buffer(512);
    for (;;) {
        const DWORD length =
            GetPrivateProfileStringA(section, entry, defaultValue ? defaultValue : "",
                                     buffer.data(), static_cast<DWORD>(buffer.size()), file);
        if (length + 1 < buffer.size())
            return CString(buffer.data(), static_cast<int>(length));
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

UINT CWinApp::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) {
    if (section == nullptr || entry == nullptr || !has_profile(*this))
        return static_cast<UINT>(defaultValue);
    if (!uses_registry(*this))
        return GetPrivateProfileIntA(section, entry, defaultValue, m_pszProfileName);
    RegistryKey key;
    if (!open_section(*this, section, key))
        return static_cast<UINT>(defaultValue);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key.get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return static_cast<UINT>(defaultValue);
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value) {
    if (section == nullptr || entry == nullptr || !has_profile(*this))
        return FALSE;
    if (!uses_registry(*this)) {
        const std::string text = std::to_string(value);
        return WritePrivateProfileStringA(section, entry, text.c_str(), m_pszProfileName);
    }
    RegistryKey key;
    if (!create_section(*this, section, key))
        return FALSE;
    const auto stored = static_cast<DWORD>(value);
    return RegSetValueExA(key.get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored),
                          sizeof stored) == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue) {
    const CString fallback(defaultValue);
    if (section == nullptr || entry == nullptr || !has_profile(*this))
        return fallback;
    if (!uses_registry(*this))
        return read_profile_file(section, entry, defaultValue, m_pszProfileName);
    RegistryKey key;
    if (!open_section(*this, section, key))
        return fallback;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return fallback;
    // One byte more than stored: a value written without its NUL still ends.
    std::vector<char> text(static_cast<std::size_t>(size) + 1, '\0');
    DWORD read_size = size;
    if (RegQueryValueExA(key.get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &read_size) != ERROR_SUCCESS)
        return fallback;
    text[std::min<std::size_t>(read_size, size)] = '\0';
    return CString(text.data());
}

BOOL CWinApp::WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value) {
    if (section == nullptr || !has_profile(*this))
        return FALSE;
    if (!uses_registry(*this))
        return WritePrivateProfileStringA(section, entry, value, m_pszProfileName);
    if (entry == nullptr) {
        RegistryKey app_key;
        const std::string path = app_key_path(*this);
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_WRITE, app_key.out()) !=
            ERROR_SUCCESS)
            return FALSE;
        return RegDeleteKeyA(app_key.get(), section) == ERROR_SUCCESS;
    }
    RegistryKey key;
    if (!create_section(*this, section, key))
        return FALSE;
    if (value == nullptr)
        return RegDeleteValueA(key.get(), entry) == ERROR_SUCCESS;
    const std::string text = value;
    return RegSetValueExA(key.get(), entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}
