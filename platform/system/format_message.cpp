// FormatMessage: the system's English message texts and the message format's escapes.
#include "win32/files.h"
#include "win32/system.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr LONG ERROR_RESOURCE_LANG_NOT_FOUND = 1815;

struct SystemMessage {
    LONG code;
    const char* text;
};

const SystemMessage kSystemMessages[] = {
    {ERROR_SUCCESS, "The operation completed successfully."},
    {ERROR_INVALID_FUNCTION, "Incorrect function."},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified."},
    {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified."},
    {ERROR_TOO_MANY_OPEN_FILES, "The system cannot open the file."},
    {ERROR_ACCESS_DENIED, "Access is denied."},
    {ERROR_INVALID_HANDLE, "The handle is invalid."},
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough storage is available to process this command."},
    {ERROR_BAD_FORMAT, "An attempt was made to load a program with an incorrect format."},
    {ERROR_INVALID_DATA, "The data is invalid."},
    {ERROR_OUTOFMEMORY, "Not enough storage is available to complete this operation."},
    {ERROR_NO_MORE_FILES, "There are no more files."},
    {ERROR_WRITE_FAULT, "The system cannot write to the specified device."},
    {ERROR_READ_FAULT, "The system cannot read from the specified device."},
    {ERROR_SHARING_VIOLATION,
     "The process cannot access the file because it is being used by another process."},
    {ERROR_HANDLE_EOF, "Reached the end of the file."},
    {ERROR_NOT_SUPPORTED, "The request is not supported."},
    {ERROR_FILE_EXISTS, "The file exists."},
    {ERROR_INVALID_PARAMETER, "The parameter is incorrect."},
    {ERROR_BUFFER_OVERFLOW, "The file name is too long."},
    {ERROR_DISK_FULL, "There is not enough space on the disk."},
    {ERROR_CALL_NOT_IMPLEMENTED, "This function is not supported on this system."},
    {ERROR_INSUFFICIENT_BUFFER, "The data area passed to a system call is too small."},
    {ERROR_INVALID_NAME, "The filename, directory name, or volume label syntax is incorrect."},
    {ERROR_MOD_NOT_FOUND, "The specified module could not be found."},
    {ERROR_PROC_NOT_FOUND, "The specified procedure could not be found."},
    {ERROR_NEGATIVE_SEEK,
     "An attempt was made to move the file pointer before the beginning of the file."},
    {ERROR_DIR_NOT_EMPTY, "The directory is not empty."},
    {ERROR_BAD_PATHNAME, "The specified path is invalid."},
    {ERROR_ALREADY_EXISTS, "Cannot create a file when that file already exists."},
    {ERROR_FILENAME_EXCED_RANGE, "The filename or extension is too long."},
    {ERROR_MORE_DATA, "More data is available."},
    {ERROR_NO_MORE_ITEMS, "No more data is available."},
    {ERROR_DIRECTORY, "The directory name is invalid."},
    {ERROR_MR_MID_NOT_FOUND, "The system cannot find message text for message number 0x%1 in "
                             "the message file for %2."},
    {ERROR_BADDB, "The configuration registry database is corrupt."},
    {ERROR_BADKEY, "The configuration registry key is invalid."},
    {ERROR_CANTOPEN, "The configuration registry key could not be opened."},
    {ERROR_CANTREAD, "The configuration registry key could not be read."},
    {ERROR_CANTWRITE, "The configuration registry key could not be written."},
    {ERROR_KEY_DELETED,
     "Illegal operation attempted on a registry key that has been marked for deletion."},
    {ERROR_CANCELLED, "The operation was canceled by the user."},
    {ERROR_INVALID_WINDOW_HANDLE, "Invalid window handle."},
    {ERROR_RESOURCE_DATA_NOT_FOUND, "The specified image file did not contain a resource section."},
    {ERROR_RESOURCE_TYPE_NOT_FOUND,
     "The specified resource type cannot be found in the image file."},
    {ERROR_RESOURCE_NAME_NOT_FOUND,
     "The specified resource name cannot be found in the image file."},
};

const char* system_text(DWORD code) {
    for (const auto& message : kSystemMessages) {
        if (static_cast<DWORD>(message.code) == code)
            return message.text;
    }
    return nullptr;
}

bool is_english_or_neutral(DWORD language) {
    return language == 0 || language == 0x0400 || language == 0x0409 || language == 0x0800 ||
           language == 0x0C00;
}

// The arguments of inserts, all pointer-sized as the platform passes them.
class Inserts {
public:
    Inserts(va_list* list, bool is_array) : m_list(list), m_array(is_array) {}
    bool get(int index, ULONG_PTR& value) {
        if (!m_list || index < 1)
            return false;
        if (m_array) {
            value = reinterpret_cast<const ULONG_PTR*>(m_list)[index - 1];
            return true;
        }
        while (static_cast<int>(m_taken.size()) < index)
            m_taken.push_back(va_arg(*m_list, ULONG_PTR));
        value = m_taken[static_cast<std::size_t>(index - 1)];
        return true;
    }

private:
    va_list* m_list;
    bool m_array;
    std::vector<ULONG_PTR> m_taken;
};

// Expands %1..%99 (with an optional !printf-format!), %0, %%, %n, %r, %t and "%." style escapes.
bool expand(const char* text, Inserts& inserts, std::string& out) {
    for (const char* p = text; *p; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        char c = *++p;
        if (c == 0)
            break;
        if (c == '0')
            return true; // ends the message without a line break
        if (c == 'n') {
            out += "\r\n";
            continue;
        }
        if (c == 'r' || c == 't') {
            out += c == 'r' ? '\r' : '\t';
            continue;
        }
        if (c < '1' || c > '9') {
            out += c;
            continue;
        }
        int index = c - '0';
        if (p[1] >= '0' && p[1] <= '9')
            index = index * 10 + (*++p - '0');
        std::string format = "%s";
        if (p[1] == '!') {
            const char* end = std::strchr(p + 2, '!');
            if (!end)
                return false;
            format = "%" + std::string(p + 2, end);
            p = end;
        }
        ULONG_PTR value = 0;
        if (!inserts.get(index, value))
            return false;
        char piece[512];
        char kind = format.back();
        if (kind == 's')
            std::snprintf(piece, sizeof piece, format.c_str(),
                          reinterpret_cast<const char*>(value));
        else if (kind == 'd' || kind == 'i' || kind == 'u' || kind == 'x' || kind == 'X' ||
                 kind == 'c')
            std::snprintf(piece, sizeof piece, format.c_str(), static_cast<int>(value));
        else
            return false;
        out += piece;
    }
    return true;
}

} // namespace

DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD message_id, DWORD language_id, LPSTR buffer,
                     DWORD size, va_list* arguments) {
    const char* text = nullptr;
    if (flags & FORMAT_MESSAGE_FROM_STRING) {
        text = static_cast<const char*>(source);
    } else if (flags & FORMAT_MESSAGE_FROM_SYSTEM) {
        if (!is_english_or_neutral(language_id)) {
            SetLastError(ERROR_RESOURCE_LANG_NOT_FOUND);
            return 0;
        }
        text = system_text(message_id);
    }
    if (!text || !buffer) {
        SetLastError(text ? ERROR_INVALID_PARAMETER : ERROR_MR_MID_NOT_FOUND);
        return 0;
    }
    std::string message;
    bool from_system = !(flags & FORMAT_MESSAGE_FROM_STRING);
    if (flags & FORMAT_MESSAGE_IGNORE_INSERTS) {
        message = text;
    } else {
        Inserts inserts(arguments, (flags & FORMAT_MESSAGE_ARGUMENT_ARRAY) != 0);
        if (!expand(text, inserts, message)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
    }
    if (from_system)
        message += "\r\n";
    if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
        SIZE_T bytes = std::max<SIZE_T>(message.size() + 1, size);
        auto* allocated = static_cast<char*>(LocalAlloc(LMEM_FIXED, bytes));
        if (!allocated)
            return 0;
        std::memcpy(allocated, message.c_str(), message.size() + 1);
        *reinterpret_cast<LPSTR*>(buffer) = allocated;
        return static_cast<DWORD>(message.size());
    }
    if (message.size() + 1 > size) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(buffer, message.c_str(), message.size() + 1);
    return static_cast<DWORD>(message.size());
}
