#include "installer/reg_string.h"

#include "saver/registry_utils.h"

#include <cstring>

namespace {

constexpr REGSAM kCreateAccess = 0x2001F; // KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY

// The registry calls return their error instead of leaving it as the thread's last error.
void Report(LONG error) {
    SetLastError(static_cast<DWORD>(error));
    ReportUtilityError("SetRegString");
}

} // namespace

void SetRegString(const char* subKey, const char* valueName, const char* value, HKEY root) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
        char noClass[] = "";
        LONG created =
            RegCreateKeyExA(root, subKey, 0, noClass, 0, kCreateAccess, nullptr, &key, nullptr);
        if (created != ERROR_SUCCESS) {
            Report(created);
            return;
        }
    }
    LONG set = RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                              static_cast<DWORD>(std::strlen(value)));
    RegCloseKey(key);
    if (set != ERROR_SUCCESS)
        Report(set);
}
