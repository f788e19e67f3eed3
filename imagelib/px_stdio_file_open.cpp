// Opening by path is kept apart from the stream itself: only Load and Save need the
// platform's path translation.
#include "imagelib/px_file.h"
#include "win32/files.h"

bool PxStdioFile::Open(const char* path, const char* mode) {
    if (m_handle || !path || !mode)
        return false;
    m_handle = lv_fopen(path, mode);
    m_ownsHandle = true;
    return m_handle != nullptr;
}
