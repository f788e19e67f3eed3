#include "dialog/user_language_texts.h"
#include "mfc/file.h"
#include "mfc/winapp.h"

#include <cstring>

namespace {

// The class library's words for each cause, "%1" standing for the file.
struct FileErrorTexts {
    const char* none;
    const char* file_not_found;
    const char* bad_path;
    const char* too_many_open_files;
    const char* access_denied;
    const char* invalid_file;
    const char* remove_current_dir;
    const char* directory_full;
    const char* bad_seek;
    const char* hard_io;
    const char* sharing_violation;
    const char* lock_violation;
    const char* disk_full;
    const char* end_of_file;
    const char* generic;
    const char* unnamed_file;
    const char* unknown_error;
};

constexpr lv::dialog::TextsByLanguage<FileErrorTexts> kTexts{
    {
        "No error occurred while accessing %1.",
        "%1 was not found.",
        "%1 contains an invalid path.",
        "%1 could not be opened because there are too many open files.",
        "Access to %1 was denied.",
        "An invalid file handle was used with %1.",
        "%1 could not be removed because it is the current folder.",
        "%1 could not be created because the folder is full.",
        "Seeking in %1 failed.",
        "A hardware error occurred while accessing %1.",
        "A sharing violation occurred while accessing %1.",
        "A locking violation occurred while accessing %1.",
        "The disk is full while accessing %1.",
        "An attempt was made to access %1 past its end.",
        "An unexpected error occurred while accessing %1.",
        "an unnamed file",
        "An unknown error has occurred.",
    },
    {
        "%1 へのアクセス中にエラーは発生しませんでした。",
        "%1 が見つかりません。",
        "%1 に無効なパスが含まれています。",
        "開いているファイルが多すぎるため、%1 を開けませんでした。",
        "%1 へのアクセスが拒否されました。",
        "%1 に無効なファイル ハンドルが使われました。",
        "%1 は現在のフォルダーのため削除できませんでした。",
        "フォルダーがいっぱいのため、%1 を作成できませんでした。",
        "%1 のシークに失敗しました。",
        "%1 へのアクセス中にハードウェア エラーが発生しました。",
        "%1 へのアクセス中に共有違反が発生しました。",
        "%1 へのアクセス中にロック違反が発生しました。",
        "%1 へのアクセス中にディスクがいっぱいになりました。",
        "%1 の終わりを越えてアクセスしようとしました。",
        "%1 へのアクセス中に予期しないエラーが発生しました。",
        "名前のないファイル",
        "不明なエラーが発生しました。",
    },
    {
        "%1에 액세스하는 동안 오류가 발생하지 않았습니다.",
        "%1을(를) 찾을 수 없습니다.",
        "%1에 잘못된 경로가 있습니다.",
        "열려 있는 파일이 너무 많아 %1을(를) 열 수 없습니다.",
        "%1에 대한 액세스가 거부되었습니다.",
        "%1에 잘못된 파일 핸들이 사용되었습니다.",
        "%1은(는) 현재 폴더이므로 제거할 수 없습니다.",
        "폴더가 가득 차서 %1을(를) 만들 수 없습니다.",
        "%1에서 위치를 찾지 못했습니다.",
        "%1에 액세스하는 동안 하드웨어 오류가 발생했습니다.",
        "%1에 액세스하는 동안 공유 위반이 발생했습니다.",
        "%1에 액세스하는 동안 잠금 위반이 발생했습니다.",
        "%1에 액세스하는 동안 디스크가 가득 찼습니다.",
        "%1의 끝을 지나서 액세스하려고 했습니다.",
        "%1에 액세스하는 동안 예기치 않은 오류가 발생했습니다.",
        "이름 없는 파일",
        "알 수 없는 오류가 발생했습니다.",
    },
};

const FileErrorTexts& texts() {
    return lv::dialog::in_user_language(kTexts);
}

const char* cause_text(int cause) {
    const FileErrorTexts& t = texts();
    switch (cause) {
    case CFileException::none:
        return t.none;
    case CFileException::fileNotFound:
        return t.file_not_found;
    case CFileException::badPath:
        return t.bad_path;
    case CFileException::tooManyOpenFiles:
        return t.too_many_open_files;
    case CFileException::accessDenied:
        return t.access_denied;
    case CFileException::invalidFile:
        return t.invalid_file;
    case CFileException::removeCurrentDir:
        return t.remove_current_dir;
    case CFileException::directoryFull:
        return t.directory_full;
    case CFileException::badSeek:
        return t.bad_seek;
    case CFileException::hardIO:
        return t.hard_io;
    case CFileException::sharingViolation:
        return t.sharing_violation;
    case CFileException::lockViolation:
        return t.lock_violation;
    case CFileException::diskFull:
        return t.disk_full;
    case CFileException::endOfFile:
        return t.end_of_file;
    default:
        return t.generic;
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
        return AfxMessageBox(texts().unknown_error, type);
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
    text.Replace("%1", m_strFileName.IsEmpty() ? texts().unnamed_file : m_strFileName.GetString());
    const std::size_t length = std::min<std::size_t>(text.GetLength(), maxError - 1);
    std::memcpy(error, text.GetString(), length);
    error[length] = '\0';
    return TRUE;
}

void AfxThrowFileException(int cause, LONG osError, LPCTSTR fileName) {
    throw new CFileException(cause, osError, fileName);
}
