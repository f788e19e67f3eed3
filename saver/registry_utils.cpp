#include "saver/registry_utils.h"

namespace {
constexpr DWORD kValueBufferSize = 261;
}

CString GetRegString(const CString& subKey, const CString& valueName, const CString& defaultValue, HKEY root) {
    CString result = defaultValue;
    HKEY key = nullptr;
    bool ok = false;
    if (RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        // One byte more than the size passed, so a value stored without its NUL still ends.
        BYTE buffer[kValueBufferSize + 1] = {};
        DWORD size = kValueBufferSize;
        DWORD type = 0;
        if (RegQueryValueExA(key, valueName, nullptr, &type, buffer, &size) == ERROR_SUCCESS) {
            result = reinterpret_cast<const char*>(buffer);
            ok = true;
        }
        RegCloseKey(key);
    }
    if (!ok)
        ReportUtilityError("GetRegString");
    return result;
}

void ReportUtilityError(const char* operation) {
    DWORD code = GetLastError();
    if (code == 0)
        return;
    CString caption;
    caption.Format("Utility Class Error in %s (%d)", operation, static_cast<int>(code));
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0, nullptr);
    MessageBoxA(nullptr, text ? text : "", caption, MB_OK);
    if (text)
        LocalFree(text);
}
