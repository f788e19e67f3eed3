// CString: a growable 8-bit (UTF-8) string with the class library's interface.
#pragma once

#include "win32/win32.h"

#include <cstdarg>
#include <string>
#include <type_traits>

class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    // A MAKEINTRESOURCE value loads that string from the string table; null is empty.
    CString(LPCTSTR text);
    CString(LPCTSTR text, int length);
    explicit CString(TCHAR ch, int repeat = 1);

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCTSTR text);
    CString& operator=(TCHAR ch);
    CString& operator+=(const CString& text);
    CString& operator+=(LPCTSTR text);
    CString& operator+=(TCHAR ch);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    // Reading index GetLength() gives the terminating NUL; any other index outside the text
    // is a programming error and stops the program.
    TCHAR GetAt(int index) const;
    void SetAt(int index, TCHAR ch);
    TCHAR operator[](int index) const { return GetAt(index); }
    operator LPCTSTR() const { return m_text.c_str(); }
    LPCTSTR GetString() const { return m_text.c_str(); }

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;

    // -1 when not found or when start lies outside the text.
    int Find(TCHAR ch, int start = 0) const;
    int Find(LPCTSTR text, int start = 0) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR characters) const;

    CString& MakeLower();
    CString& MakeUpper();
    CString& Trim();
    CString& Trim(TCHAR ch);
    CString& Trim(LPCTSTR characters);
    CString& TrimLeft();
    CString& TrimLeft(TCHAR ch);
    CString& TrimLeft(LPCTSTR characters);
    CString& TrimRight();
    CString& TrimRight(TCHAR ch);
    CString& TrimRight(LPCTSTR characters);

    // printf formatting; CString arguments may be passed as they are.
    template <typename... Args> void Format(LPCTSTR format, const Args&... args) {
        FormatPrintf(format, format_arg(args)...);
    }
    template <typename... Args> void Format(UINT formatId, const Args&... args) {
        const CString format(MAKEINTRESOURCE(formatId));
        FormatPrintf(format, format_arg(args)...);
    }
    template <typename... Args> void AppendFormat(LPCTSTR format, const Args&... args) {
        AppendFormatPrintf(format, format_arg(args)...);
    }
    void FormatV(LPCTSTR format, va_list args);
    void AppendFormatV(LPCTSTR format, va_list args);

    // The buffer holds at least minLength characters and a NUL; ReleaseBuffer ends the
    // writing (-1: the text ends at the first NUL).
    LPTSTR GetBuffer(int minLength);
    LPTSTR GetBuffer() { return GetBuffer(0); }
    LPTSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // Leaves the text unchanged and returns FALSE when the string table has no such id.
    BOOL LoadString(UINT id);

    int Replace(TCHAR oldChar, TCHAR newChar);
    int Replace(LPCTSTR oldText, LPCTSTR newText);
    int Remove(TCHAR ch);
    int Insert(int index, TCHAR ch);
    int Insert(int index, LPCTSTR text);
    int Delete(int index, int count = 1);

    int Compare(LPCTSTR text) const;
    int CompareNoCase(LPCTSTR text) const;

private:
    static LPCTSTR format_arg(const CString& text) { return text.GetString(); }
    template <typename T> static const T& format_arg(const T& value) {
        static_assert(std::is_trivially_copyable_v<T> || std::is_array_v<T>,
                      "only plain values can be formatted");
        return value;
    }
    void FormatPrintf(LPCTSTR format, ...);
    void AppendFormatPrintf(LPCTSTR format, ...);

    std::string m_text;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, LPCTSTR b);
CString operator+(LPCTSTR a, const CString& b);
CString operator+(const CString& a, TCHAR b);
CString operator+(TCHAR a, const CString& b);

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCTSTR b);
bool operator==(LPCTSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCTSTR b);
bool operator!=(LPCTSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, LPCTSTR b);
bool operator<(LPCTSTR a, const CString& b);
