#include "saver/file_theme_source.h"

FileThemeSource::FileThemeSource(const char* path) {
    m_file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_file == INVALID_HANDLE_VALUE)
        return;
    DWORD high = 0;
    DWORD low = GetFileSize(m_file, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
        return;
    }
    m_size = (static_cast<std::uint64_t>(high) << 32) | low;
}

FileThemeSource::~FileThemeSource() {
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
}

bool FileThemeSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (!IsOpen() || offset > m_size || out.size() > m_size - offset)
        return false;
    LONG high = static_cast<LONG>(offset >> 32);
    DWORD moved = SetFilePointer(m_file, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
    if (moved == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return false;
    std::size_t done = 0;
    while (done < out.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(out.size() - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(m_file, out.data() + done, chunk, &got, nullptr) || got == 0)
            return false;
        done += got;
    }
    return true;
}
