// PxFile over a C stdio handle.

#include "imagelib/px_file.h"

namespace {

int StdioOrigin(int origin) {
    switch (origin) {
    case 0:
        return SEEK_SET;
    case 1:
        return SEEK_CUR;
    case 2:
        return SEEK_END;
    default:
        return -1;
    }
}

LONG ClampPosition(long position) {
    if (position > 0x7FFFFFFFL)
        return 0x7FFFFFFF;
    return static_cast<LONG>(position);
}

} // namespace

PxStdioFile::PxStdioFile(FILE* handle) : m_handle(handle), m_ownsHandle(handle == nullptr) {}

PxStdioFile::~PxStdioFile() {
    Close();
}

bool PxStdioFile::Close() {
    if (!m_handle || !m_ownsHandle)
        return true;
    const int result = std::fclose(m_handle);
    m_handle = nullptr;
    return result == 0;
}

std::size_t PxStdioFile::Read(void* buffer, std::size_t size, std::size_t count) {
    if (!m_handle || !buffer)
        return 0;
    return std::fread(buffer, size, count, m_handle);
}

std::size_t PxStdioFile::Write(const void* buffer, std::size_t size, std::size_t count) {
    if (!m_handle || !buffer)
        return 0;
    return std::fwrite(buffer, size, count, m_handle);
}

bool PxStdioFile::Seek(LONG offset, int origin) {
    const int whence = StdioOrigin(origin);
    if (!m_handle || whence < 0)
        return false;
    return std::fseek(m_handle, offset, whence) == 0;
}

LONG PxStdioFile::Tell() {
    if (!m_handle)
        return 0;
    const long position = std::ftell(m_handle);
    return position < 0 ? -1 : ClampPosition(position);
}

LONG PxStdioFile::Size() {
    if (!m_handle)
        return -1;
    const long position = std::ftell(m_handle);
    if (position < 0 || std::fseek(m_handle, 0, SEEK_END) != 0)
        return -1;
    const long end = std::ftell(m_handle);
    std::fseek(m_handle, position, SEEK_SET);
    return end < 0 ? -1 : ClampPosition(end);
}

bool PxStdioFile::Flush() {
    return m_handle && std::fflush(m_handle) == 0;
}

bool PxStdioFile::Eof() {
    return !m_handle || std::feof(m_handle) != 0;
}

LONG PxStdioFile::Error() {
    if (!m_handle)
        return -1;
    return std::ferror(m_handle) != 0 ? 1 : 0;
}

bool PxStdioFile::PutC(BYTE c) {
    return m_handle && std::fputc(c, m_handle) == c;
}

LONG PxStdioFile::GetC() {
    if (!m_handle)
        return -1;
    const int c = std::fgetc(m_handle);
    return c == EOF ? -1 : c;
}
