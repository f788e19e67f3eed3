#include "mfc/file.h"
#include "mfc/winapp.h"

#include <cstring>

namespace {

const char* cause_text(int cause) {
    switch (cause) {
    case CFileException::none:
        return "No error occurred while accessing %1.";
    case CFileException::fileNotFound:
        return "%1 was not found.";
    case CFileException::badPath:
        return "%1 contains an invalid path.";
    case CFileException::tooManyOpenFiles:
        return "%1 could not be opened because there are too many open files.";
    case CFileException::accessDenied:
        return "Access to %1 was denied.";
    case CFileException::invalidFile:
        return "An invalid file handle was used with %1.";
    case CFileException::removeCurrentDir:
        return "%1 could not be removed because it is the current folder.";
    case CFileException::directoryFull:
        return "%1 could not be created because the folder is full.";
    case CFileException::badSeek:
        return "Seeking in %1 failed.";
    case CFileException::hardIO:
        return "A hardware error occurred while accessing %1.";
    case CFileException::sharingViolation:
        return "A sharing violation occurred while accessing %1.";
    case CFileException::lockViolation:
        return "A locking violation occurred while accessing %1.";
    case CFileException::diskFull:
        return "The disk is full while accessing %1.";
    case CFileException::endOfFile:
        return "An attempt was made to access %1 past its end.";
    default:
        return "An unexpected error occurred while accessing %1.";
    }
}

} // namespace

BOOL CException::GetErrorMessage(LPTSTR error, UINT maxError, UINT* helpContext) const {
    if (helpContext)
        *helpContext = 0;
    if (error && maxError > 0)
        error[0] = '\0';
    return FALSE;
}

int CException::ReportError(UINT type, UINT messageId) const {
    char message[512];
    if (GetErrorMessage(message, sizeof message))
        return AfxMessageBox(message, type);
    if (messageId == 0)
        return AfxMessageBox("An unknown error has occurred.", type);
    return AfxMessageBox(messageId, type);
}

CFileException::CFileException(int cause, LONG osError, LPCTSTR fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

int CFileException::OsErrorToException(LONG osError) {
    switch (osError) {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_DIR_NOT_EMPTY:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
        return invalidFile;
    case 16: // ERROR_CURRENT_DIRECTORY
        return removeCurrentDir;
    case 25:  // ERROR_SEEK
    case 131: // ERROR_NEGATIVE_SEEK
        return badSeek;
    case 23: // ERROR_CRC
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case 33: // ERROR_LOCK_VIOLATION
        return lockViolation;
    case 39: // ERROR_HANDLE_DISK_FULL
    case ERROR_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return genericException;
    }
}

BOOL CFileException::GetErrorMessage(LPTSTR error, UINT maxError, UINT* helpContext) const {
    if (helpContext)
        *helpContext = 0;
    if (error == nullptr || maxError == 0)
        return FALSE;
    CString text = cause_text(m_cause);
    text.Replace("%1", m_strFileName.IsEmpty() ? "an unnamed file" : m_strFileName.GetString());
    const std::size_t length = std::min<std::size_t>(text.GetLength(), maxError - 1);
    std::memcpy(error, text.GetString(), length);
    error[length] = '\0';
    return TRUE;
}

void AfxThrowFileException(int cause, LONG osError, LPCTSTR fileName) {
    throw new CFileException(cause, osError, fileName);
}
