#include "saver/ini_reader.h"

#include <cstdlib>
#include <cstring>

namespace {

char* CopyText(const char* text) {
    std::size_t n = std::strlen(text);
    char* copy = new char[n + 1];
    std::memcpy(copy, text, n + 1);
    return copy;
}

constexpr DWORD kFirstReadSize = 512;
// No value of a profile file is longer than this; a longer one is cut here.
constexpr DWORD kLargestReadSize = 1u << 30;

} // namespace

CIniReader::~CIniReader() { delete[] m_path; }

void CIniReader::SetPath(const char* path) {
    if (path) {
        delete[] m_path;
        m_path = CopyText(path);
        return;
    }
    if (m_path)
        m_path[0] = '\0';
}

char* CIniReader::ReadString(const char* section, const char* key, const char* defaultValue) {
    if (!section || !key)
        return CopyText(defaultValue ? defaultValue : "");
    const char* def = defaultValue ? defaultValue : "";
    const char* file = m_path ? m_path : "";
    // The buffer is always one byte larger than the size passed; a result that fills the
    // size passed may have been cut, so the size grows until it does not. It doubles, so a
    // long value costs a few reads of the file rather than one per 512 bytes.
    DWORD size = kFirstReadSize;
    char* buffer = new char[size + 1];
    DWORD got = GetPrivateProfileStringA(section, key, def, buffer, size, file);
    while (got + 1 >= size && size <= kLargestReadSize / 2) {
        delete[] buffer;
        size *= 2;
        buffer = new char[size + 1];
        got = GetPrivateProfileStringA(section, key, def, buffer, size, file);
    }
    return buffer;
}

int CIniReader::GetStringInto(const char* section, const char* key, char* buffer, int size,
                              const char* defaultValue) {
    char* value = ReadString(section, key, defaultValue);
    int length = static_cast<int>(std::strlen(value));
    int capped = size < 0 ? 0 : (length < size ? length : size);
    if (buffer && capped > 0) {
        // Never cut a multibyte character in two: back up to its lead byte.
        int n = capped;
        if (n < length) {
            while (n > 0 && (static_cast<unsigned char>(value[n]) & 0xC0) == 0x80)
                --n;
        }
        std::memcpy(buffer, value, static_cast<std::size_t>(n));
    }
    delete[] value;
    return capped;
}

CString CIniReader::GetString(const char* section, const char* key, const char* defaultValue) {
    char* value = ReadString(section, key, defaultValue);
    CString result(value);
    delete[] value;
    return result;
}

long CIniReader::GetInt(const char* section, const char* key, long defaultValue, int radix) {
    char buffer[65] = {};
    GetStringInto(section, key, buffer, 64, "");
    if (buffer[0] == '\0')
        return defaultValue;
    int base = (radix == 2 || radix == 8 || radix == 16) ? radix : 10;
    return std::strtol(buffer, nullptr, base);
}
