#include "mfc/cstring.h"

#include "system/resources_registry.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

namespace {

constexpr const char* kWhitespace = " \t\n\v\f\r";

[[noreturn]] void index_fault(const char* operation, int index, int length) {
    std::cerr << "CString::" << operation << ": index " << index << " outside a text of " << length
              << " characters\n";
    std::abort();
}

char to_lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char to_upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

int clamp_count(long long count, long long limit) {
    return static_cast<int>(std::clamp<long long>(count, 0, limit));
}

void append_formatted(std::string& out, LPCTSTR format, va_list args) {
    if (format == nullptr)
        return;
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length <= 0)
        return;
    const std::size_t old_size = out.size();
    out.resize(old_size + static_cast<std::size_t>(length));
    std::vsnprintf(out.data() + old_size, static_cast<std::size_t>(length) + 1, format, args);
}

} // namespace

CString::CString(LPCTSTR text) {
    if (text == nullptr)
        return;
    if (IS_INTRESOURCE(text)) {
        LoadString(LOWORD(reinterpret_cast<ULONG_PTR>(text)));
        return;
    }
    m_text = text;
}

CString::CString(LPCTSTR text, int length) {
    if (text != nullptr && length > 0)
        m_text.assign(text, static_cast<std::size_t>(length));
}

CString::CString(TCHAR ch, int repeat) {
    if (repeat > 0)
        m_text.assign(static_cast<std::size_t>(repeat), ch);
}

CString& CString::operator=(LPCTSTR text) {
    m_text = text ? text : "";
    return *this;
}

CString& CString::operator=(TCHAR ch) {
    m_text.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& text) {
    m_text += text.m_text;
    return *this;
}

CString& CString::operator+=(LPCTSTR text) {
    if (text)
        m_text += text;
    return *this;
}

CString& CString::operator+=(TCHAR ch) {
    m_text += ch;
    return *this;
}

TCHAR CString::GetAt(int index) const {
    if (index < 0 || index > GetLength())
        index_fault("GetAt", index, GetLength());
    return m_text.c_str()[index];
}

void CString::SetAt(int index, TCHAR ch) {
    if (index < 0 || index >= GetLength())
        index_fault("SetAt", index, GetLength());
    m_text[static_cast<std::size_t>(index)] = ch;
}

CString CString::Left(int count) const {
    return CString(m_text.data(), clamp_count(count, GetLength()));
}

CString CString::Right(int count) const {
    const int kept = clamp_count(count, GetLength());
    return CString(m_text.data() + (GetLength() - kept), kept);
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    const int start = clamp_count(first, GetLength());
    const int kept = clamp_count(count, GetLength() - start);
    return CString(m_text.data() + start, kept);
}

int CString::Find(TCHAR ch, int start) const {
    if (start < 0 || start >= GetLength())
        return -1;
    const auto found = m_text.find(ch, static_cast<std::size_t>(start));
    return found == std::string::npos ? -1 : static_cast<int>(found);
}

int CString::Find(LPCTSTR text, int start) const {
    if (text == nullptr || start < 0 || start > GetLength())
        return -1;
    const auto found = m_text.find(text, static_cast<std::size_t>(start));
    return found == std::string::npos ? -1 : static_cast<int>(found);
}

int CString::ReverseFind(TCHAR ch) const {
    const auto found = m_text.rfind(ch);
    return found == std::string::npos ? -1 : static_cast<int>(found);
}

int CString::FindOneOf(LPCTSTR characters) const {
    if (characters == nullptr || *characters == '\0')
        return -1;
    const auto found = m_text.find_first_of(characters);
    return found == std::string::npos ? -1 : static_cast<int>(found);
}

CString& CString::MakeLower() {
    std::transform(m_text.begin(), m_text.end(), m_text.begin(), to_lower);
    return *this;
}

CString& CString::MakeUpper() {
    std::transform(m_text.begin(), m_text.end(), m_text.begin(), to_upper);
    return *this;
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}
CString& CString::Trim(TCHAR ch) {
    return TrimRight(ch).TrimLeft(ch);
}
CString& CString::Trim(LPCTSTR characters) {
    return TrimRight(characters).TrimLeft(characters);
}
CString& CString::TrimLeft() {
    return TrimLeft(kWhitespace);
}
CString& CString::TrimRight() {
    return TrimRight(kWhitespace);
}

CString& CString::TrimLeft(TCHAR ch) {
    const char characters[] = {ch, '\0'};
    return TrimLeft(characters);
}

CString& CString::TrimRight(TCHAR ch) {
    const char characters[] = {ch, '\0'};
    return TrimRight(characters);
}

CString& CString::TrimLeft(LPCTSTR characters) {
    if (characters == nullptr || *characters == '\0')
        return *this;
    m_text.erase(0, std::min(m_text.find_first_not_of(characters), m_text.size()));
    return *this;
}

CString& CString::TrimRight(LPCTSTR characters) {
    if (characters == nullptr || *characters == '\0')
        return *this;
    const auto last = m_text.find_last_not_of(characters);
    m_text.erase(last == std::string::npos ? 0 : last + 1);
    return *this;
}

void CString::FormatV(LPCTSTR format, va_list args) {
    std::string out;
    append_formatted(out, format, args);
    m_text = std::move(out);
}

void CString::AppendFormatV(LPCTSTR format, va_list args) {
    append_formatted(m_text, format, args);
}

void CString::FormatPrintf(LPCTSTR format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormatPrintf(LPCTSTR format, ...) {
    va_list args;
    va_start(args, format);
    AppendFormatV(format, args);
    va_end(args);
}

LPTSTR CString::GetBuffer(int minLength) {
    if (minLength > GetLength())
        m_text.resize(static_cast<std::size_t>(minLength), '\0');
    return m_text.data();
}

LPTSTR CString::GetBufferSetLength(int length) {
    m_text.resize(static_cast<std::size_t>(std::max(length, 0)), '\0');
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        m_text.resize(std::strlen(m_text.c_str()));
        return;
    }
    m_text.resize(std::min(static_cast<std::size_t>(newLength), m_text.size()));
}

BOOL CString::LoadString(UINT id) {
    const auto text = lv::resources::find_string(id);
    if (!text)
        return FALSE;
    m_text.assign(text->data(), text->size());
    return TRUE;
}

int CString::Replace(TCHAR oldChar, TCHAR newChar) {
    int count = 0;
    for (char& c : m_text) {
        if (c == oldChar) {
            c = newChar;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCTSTR oldText, LPCTSTR newText) {
    if (oldText == nullptr || *oldText == '\0')
        return 0;
    const std::string from = oldText;
    const std::string to = newText ? newText : "";
    std::string out;
    int count = 0;
    std::size_t position = 0;
    for (auto found = m_text.find(from); found != std::string::npos;
         found = m_text.find(from, position)) {
        out.append(m_text, position, found - position);
        out += to;
        position = found + from.size();
        ++count;
    }
    out.append(m_text, position, std::string::npos);
    m_text = std::move(out);
    return count;
}

int CString::Remove(TCHAR ch) {
    const auto count = std::erase(m_text, ch);
    return static_cast<int>(count);
}

int CString::Insert(int index, TCHAR ch) {
    const char text[] = {ch, '\0'};
    return ch == '\0' ? GetLength() : Insert(index, text);
}

int CString::Insert(int index, LPCTSTR text) {
    if (text != nullptr)
        m_text.insert(static_cast<std::size_t>(clamp_count(index, GetLength())), text);
    return GetLength();
}

int CString::Delete(int index, int count) {
    const int start = clamp_count(index, GetLength());
    const int removed = clamp_count(count, GetLength() - start);
    m_text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(removed));
    return GetLength();
}

int CString::Compare(LPCTSTR text) const {
    return std::strcmp(m_text.c_str(), text ? text : "");
}

int CString::CompareNoCase(LPCTSTR text) const {
    const auto* a = reinterpret_cast<const unsigned char*>(m_text.c_str());
    const auto* b = reinterpret_cast<const unsigned char*>(text ? text : "");
    for (;; ++a, ++b) {
        const int ca = static_cast<unsigned char>(to_lower(static_cast<char>(*a)));
        const int cb = static_cast<unsigned char>(to_lower(static_cast<char>(*b)));
        if (ca != cb || ca == 0)
            return ca - cb;
    }
}

CString operator+(const CString& a, const CString& b) {
    CString out(a);
    out += b;
    return out;
}
CString operator+(const CString& a, LPCTSTR b) {
    CString out(a);
    out += b;
    return out;
}
CString operator+(LPCTSTR a, const CString& b) {
    CString out;
    out = a;
    out += b;
    return out;
}
CString operator+(const CString& a, TCHAR b) {
    CString out(a);
    out += b;
    return out;
}
CString operator+(TCHAR a, const CString& b) {
    CString out(a);
    out += b;
    return out;
}

bool operator==(const CString& a, const CString& b) {
    return a.Compare(b) == 0;
}
bool operator==(const CString& a, LPCTSTR b) {
    return a.Compare(b) == 0;
}
bool operator==(LPCTSTR a, const CString& b) {
    return b.Compare(a) == 0;
}
bool operator!=(const CString& a, const CString& b) {
    return !(a == b);
}
bool operator!=(const CString& a, LPCTSTR b) {
    return !(a == b);
}
bool operator!=(LPCTSTR a, const CString& b) {
    return !(a == b);
}
bool operator<(const CString& a, const CString& b) {
    return a.Compare(b) < 0;
}
bool operator<(const CString& a, LPCTSTR b) {
    return a.Compare(b) < 0;
}
bool operator<(LPCTSTR a, const CString& b) {
    return b.Compare(a) > 0;
}
