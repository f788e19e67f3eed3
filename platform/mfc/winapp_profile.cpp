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
    return app.m_pszRegistryKey != nullptr && app.m_pszProfileName != nullptr;
}

// The profile file without a registry key: INI files come with the profile-file functions.
BOOL no_profile_file() {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

} // namespace

UINT CWinApp::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) {
    if (section == nullptr || entry == nullptr)
        return static_cast<UINT>(defaultValue);
    if (!uses_registry(*this)) {
        no_profile_file();
        return static_cast<UINT>(defaultValue);
    }
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
    if (section == nullptr || entry == nullptr)
        return FALSE;
    if (!uses_registry(*this))
        return no_profile_file();
    RegistryKey key;
    if (!create_section(*this, section, key))
        return FALSE;
    const auto stored = static_cast<DWORD>(value);
    return RegSetValueExA(key.get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored),
                          sizeof stored) == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue) {
    const CString fallback(defaultValue);
    if (section == nullptr || entry == nullptr)
        return fallback;
    if (!uses_registry(*this)) {
        no_profile_file();
        return fallback;
    }
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
    if (section == nullptr)
        return FALSE;
    if (!uses_registry(*this))
        return no_profile_file();
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
