// Files and folders: Win32 calls, the C run-time's underscore calls and the shell's file
// operations, on Windows paths (see system/paths.h for how they map to the host).
#pragma once

#include "win32/system.h"
#include "win32/types.h"

#include <cstdint>
#include <cstdio>
#include <ctime>

constexpr LONG ERROR_NOT_SAME_DEVICE = 17;
constexpr LONG ERROR_BUFFER_OVERFLOW = 111;
constexpr LONG ERROR_NEGATIVE_SEEK = 131;
constexpr LONG ERROR_DIRECTORY = 267;

// Access, sharing, creation.
constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD GENERIC_EXECUTE = 0x20000000;
constexpr DWORD GENERIC_ALL = 0x10000000;
constexpr DWORD FILE_READ_DATA = 0x0001;
constexpr DWORD FILE_WRITE_DATA = 0x0002;
constexpr DWORD FILE_APPEND_DATA = 0x0004;
constexpr DWORD FILE_SHARE_READ = 0x00000001;
constexpr DWORD FILE_SHARE_WRITE = 0x00000002;
constexpr DWORD FILE_SHARE_DELETE = 0x00000004;
constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x00000001;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x00000002;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x00000004;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x00000020;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;
constexpr DWORD FILE_ATTRIBUTE_TEMPORARY = 0x00000100;
constexpr DWORD FILE_FLAG_WRITE_THROUGH = 0x80000000;
constexpr DWORD FILE_FLAG_BACKUP_SEMANTICS = 0x02000000;
constexpr DWORD FILE_FLAG_SEQUENTIAL_SCAN = 0x08000000;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;
constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFF;

struct OVERLAPPED; // asynchronous I/O is not offered: a non-null OVERLAPPED fails
using LPOVERLAPPED = OVERLAPPED*;

HANDLE CreateFileA(LPCSTR file_name, DWORD desired_access, DWORD share_mode,
                   LPSECURITY_ATTRIBUTES security, DWORD creation_disposition,
                   DWORD flags_and_attributes, HANDLE template_file);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytes_to_read, LPDWORD bytes_read,
              LPOVERLAPPED overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytes_to_write, LPDWORD bytes_written,
               LPOVERLAPPED overlapped);
DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distance_high, DWORD move_method);
BOOL SetEndOfFile(HANDLE file);
DWORD GetFileSize(HANDLE file, LPDWORD size_high);
BOOL FlushFileBuffers(HANDLE file);

BOOL CopyFileA(LPCSTR existing_file, LPCSTR new_file, BOOL fail_if_exists);
BOOL DeleteFileA(LPCSTR file_name);
BOOL MoveFileA(LPCSTR existing_file, LPCSTR new_file);
// Of the flags, MOVEFILE_REPLACE_EXISTING and MOVEFILE_WRITE_THROUGH are served; a replacing
// move within one volume is atomic: the target is either the old file or the moved one.
constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x00000001;
constexpr DWORD MOVEFILE_COPY_ALLOWED = 0x00000002;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x00000008;
BOOL MoveFileExA(LPCSTR existing_file, LPCSTR new_file, DWORD flags);
BOOL CreateDirectoryA(LPCSTR path_name, LPSECURITY_ATTRIBUTES security);
BOOL RemoveDirectoryA(LPCSTR path_name);
DWORD GetFileAttributesA(LPCSTR file_name);
BOOL SetFileAttributesA(LPCSTR file_name, DWORD attributes);

struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    CHAR cFileName[MAX_PATH];
    CHAR cAlternateFileName[14];
};
using LPWIN32_FIND_DATAA = WIN32_FIND_DATAA*;
using WIN32_FIND_DATA = WIN32_FIND_DATAA;

// `*` and `?` match without regard to case; "." and ".." are listed except at a drive's root.
HANDLE FindFirstFileA(LPCSTR file_name, LPWIN32_FIND_DATAA find_data);
BOOL FindNextFileA(HANDLE find_file, LPWIN32_FIND_DATAA find_data);
BOOL FindClose(HANDLE find_file);

// Folders and names.
DWORD GetModuleFileNameA(HMODULE module, LPSTR file_name, DWORD size);
DWORD GetShortPathNameA(LPCSTR long_path, LPSTR short_path,
                        DWORD size); // no 8.3 names: the long path
DWORD GetFullPathNameA(LPCSTR file_name, DWORD size, LPSTR buffer, LPSTR* file_part);
DWORD GetTempPathA(DWORD size, LPSTR buffer);
UINT GetTempFileNameA(LPCSTR path_name, LPCSTR prefix, UINT unique, LPSTR temp_file_name);
UINT GetSystemDirectoryA(LPSTR buffer, UINT size);
UINT GetWindowsDirectoryA(LPSTR buffer, UINT size);
DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer);
BOOL SetCurrentDirectoryA(LPCSTR path_name);

constexpr int CSIDL_DESKTOP = 0x0000;
constexpr int CSIDL_PROGRAMS = 0x0002;
constexpr int CSIDL_PERSONAL = 0x0005;
constexpr int CSIDL_DESKTOPDIRECTORY = 0x0010;
constexpr int CSIDL_FONTS = 0x0014;
constexpr int CSIDL_TEMPLATES = 0x0015;
constexpr int CSIDL_APPDATA = 0x001a;
constexpr int CSIDL_WINDOWS = 0x0024;
constexpr int CSIDL_SYSTEM = 0x0025;
constexpr int CSIDL_PROGRAM_FILES = 0x0026;
constexpr int CSIDL_FLAG_CREATE = 0x8000;

BOOL SHGetSpecialFolderPathA(HWND owner, LPSTR path, int csidl, BOOL create);

// Shell file operations.
constexpr UINT FO_MOVE = 0x0001;
constexpr UINT FO_COPY = 0x0002;
constexpr UINT FO_DELETE = 0x0003;
constexpr UINT FO_RENAME = 0x0004;
using FILEOP_FLAGS = WORD;
constexpr FILEOP_FLAGS FOF_MULTIDESTFILES = 0x0001;
constexpr FILEOP_FLAGS FOF_SILENT = 0x0004;
constexpr FILEOP_FLAGS FOF_RENAMEONCOLLISION = 0x0008;
constexpr FILEOP_FLAGS FOF_NOCONFIRMATION = 0x0010;
constexpr FILEOP_FLAGS FOF_ALLOWUNDO = 0x0040;
constexpr FILEOP_FLAGS FOF_FILESONLY = 0x0080;
constexpr FILEOP_FLAGS FOF_SIMPLEPROGRESS = 0x0100;
constexpr FILEOP_FLAGS FOF_NOCONFIRMMKDIR = 0x0200;
constexpr FILEOP_FLAGS FOF_NOERRORUI = 0x0400;

struct SHFILEOPSTRUCTA {
    HWND hwnd;
    UINT wFunc;
    LPCSTR pFrom; // double-NUL-terminated list
    LPCSTR pTo;
    FILEOP_FLAGS fFlags;
    BOOL fAnyOperationsAborted;
    LPVOID hNameMappings;
    LPCSTR lpszProgressTitle;
};
using LPSHFILEOPSTRUCTA = SHFILEOPSTRUCTA*;

int SHFileOperationA(LPSHFILEOPSTRUCTA operation);

// C run-time calls (they set errno, not the last-error value).
int _access(const char* path, int mode);
int _mkdir(const char* path);
int _rmdir(const char* path);

constexpr int OF_READ = 0x0000;
constexpr int OF_WRITE = 0x0001;
constexpr int OF_READWRITE = 0x0002;
constexpr int OF_SHARE_COMPAT = 0x0000;
constexpr int OF_SHARE_EXCLUSIVE = 0x0010;
constexpr int OF_SHARE_DENY_WRITE = 0x0020;
constexpr int OF_SHARE_DENY_READ = 0x0030;
constexpr int OF_SHARE_DENY_NONE = 0x0040;

HFILE _lcreat(LPCSTR path_name, int attribute);
HFILE _lopen(LPCSTR path_name, int read_write);
UINT _lread(HFILE file, LPVOID buffer, UINT bytes);
UINT _lwrite(HFILE file, LPCCH buffer, UINT bytes);
long _hwrite(HFILE file, LPCCH buffer, long bytes);
long _hread(HFILE file, LPVOID buffer, long bytes);
LONG _llseek(HFILE file, LONG offset, int origin);
HFILE _lclose(HFILE file);

using _fsize_t = std::uint32_t;
constexpr unsigned _A_NORMAL = 0x00;
constexpr unsigned _A_RDONLY = 0x01;
constexpr unsigned _A_HIDDEN = 0x02;
constexpr unsigned _A_SYSTEM = 0x04;
constexpr unsigned _A_SUBDIR = 0x10;
constexpr unsigned _A_ARCH = 0x20;

struct _finddata_t {
    unsigned attrib;
    std::time_t time_create;
    std::time_t time_access;
    std::time_t time_write;
    _fsize_t size;
    char name[MAX_PATH];
};

std::intptr_t _findfirst(const char* file_spec, _finddata_t* file_info);
int _findnext(std::intptr_t handle, _finddata_t* file_info);
int _findclose(std::intptr_t handle);

// fopen for a Windows path.
FILE* lv_fopen(const char* path, const char* mode);
