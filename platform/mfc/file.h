// Files of the class library: CFile (errors thrown as CFileException*), CFileFind.
#pragma once

#include "mfc/cstring.h"
#include "win32/win32.h"

// Thrown as pointers, as the library does: catch (CFileException* e) { ...; e->Delete(); }
class CException {
public:
    virtual ~CException() = default;
    void Delete() { delete this; }
    virtual BOOL GetErrorMessage(LPTSTR error, UINT maxError, UINT* helpContext = nullptr) const;
    // Shows the error message (or string messageId when there is none) in a message box.
    virtual int ReportError(UINT type = MB_OK, UINT messageId = 0) const;
};

class CFileException : public CException {
public:
    enum {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    explicit CFileException(int cause = none, LONG osError = -1, LPCTSTR fileName = nullptr);

    // The cause for a system error code.
    static int OsErrorToException(LONG osError);

    BOOL GetErrorMessage(LPTSTR error, UINT maxError, UINT* helpContext = nullptr) const override;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1, LPCTSTR fileName = nullptr);

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition : UINT { begin = 0x0, current = 0x1, end = 0x2 };

    CFile() = default;
    // Throws CFileException* when the file cannot be opened.
    CFile(LPCTSTR fileName, UINT openFlags);
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile();

    // Returns FALSE and fills *error (when given) on failure.
    virtual BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr);
    // The rest throw CFileException* on failure.
    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG newLength);
    virtual ULONGLONG GetPosition() const;
    virtual void Flush();
    virtual void Close();
    // Closes without throwing.
    virtual void Abort();

    CString GetFilePath() const { return m_strFileName; }
    CString GetFileName() const;

    static void Rename(LPCTSTR oldName, LPCTSTR newName);
    static void Remove(LPCTSTR fileName);

    HANDLE m_hFile = INVALID_HANDLE_VALUE;

private:
    [[noreturn]] void throw_last_error() const;
    void require_open() const;

    CString m_strFileName;
};

class CFileFind {
public:
    CFileFind() = default;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;
    virtual ~CFileFind();

    // Starts a search ("*.*" when name is null); the first match is reached by FindNextFile.
    virtual BOOL FindFile(LPCTSTR name = nullptr, DWORD unused = 0);
    // Moves to the next match; returns FALSE when it is the last one.
    virtual BOOL FindNextFile();
    void Close();

    ULONGLONG GetLength() const;
    CString GetFileName() const { return m_current.cFileName; }
    CString GetFilePath() const;
    CString GetFileTitle() const;
    CString GetRoot() const { return m_root; }
    BOOL IsDots() const;
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL MatchesMask(DWORD mask) const { return (m_current.dwFileAttributes & mask) != 0; }

private:
    HANDLE m_find = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_current{};
    WIN32_FIND_DATAA m_next{};
    bool m_has_next = false;
    CString m_root; // the folder searched, without a trailing separator
};
