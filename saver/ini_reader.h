// Reads values from one private profile (".ini") file, with a buffer that grows (doubling)
// until the value fits.
#pragma once

#include "mfc/mfc.h"

class CIniReader {
public:
    CIniReader() = default;
    virtual ~CIniReader();
    CIniReader(const CIniReader&) = delete;
    CIniReader& operator=(const CIniReader&) = delete;

    // Non-null: keeps a copy. Null: empties the kept path.
    void SetPath(const char* path);
    const char* GetPath() const { return m_path; }

    // A new buffer with the value or the default (the caller frees it with delete[]).
    char* ReadString(const char* section, const char* key, const char* defaultValue);
    // Copies at most `size` bytes of the value into `buffer` (which may be null) and returns
    // the value's length, capped at `size`.
    int GetStringInto(const char* section, const char* key, char* buffer, int size, const char* defaultValue);
    CString GetString(const char* section, const char* key, const char* defaultValue);
    // strtol in radix 2, 8 or 16 when asked, else 10; the default when the value is empty.
    long GetInt(const char* section, const char* key, long defaultValue, int radix);

private:
    char* m_path = nullptr;
};
