// The registry: keys and typed values under HKEY_CLASSES_ROOT, HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE. Results are the platform's error codes (ERROR_SUCCESS on success).
#pragma once

#include "win32/errors.h"
#include "win32/system.h"
#include "win32/types.h"

#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000000u)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000002u)))
#define HKEY_USERS (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000003u)))

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_DWORD_LITTLE_ENDIAN = 4;
constexpr DWORD REG_DWORD_BIG_ENDIAN = 5;
constexpr DWORD REG_LINK = 6;
constexpr DWORD REG_MULTI_SZ = 7;
constexpr DWORD REG_QWORD = 11;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_CREATE_LINK = 0x0020;
constexpr REGSAM DELETE = 0x00010000;
constexpr REGSAM READ_CONTROL = 0x00020000;
constexpr REGSAM STANDARD_RIGHTS_READ = READ_CONTROL;
constexpr REGSAM STANDARD_RIGHTS_WRITE = READ_CONTROL;
constexpr REGSAM KEY_READ = 0x00020019;
constexpr REGSAM KEY_WRITE = 0x00020006;
constexpr REGSAM KEY_EXECUTE = KEY_READ;
constexpr REGSAM KEY_ALL_ACCESS = 0x000F003F;
constexpr REGSAM MAXIMUM_ALLOWED = 0x02000000;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_OPTION_VOLATILE = 1;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

using PFILETIME = FILETIME*;

LONG RegOpenKeyExA(HKEY key, LPCSTR sub_key, DWORD options, REGSAM desired, PHKEY result);
LONG RegOpenKeyA(HKEY key, LPCSTR sub_key, PHKEY result);
LONG RegCreateKeyExA(HKEY key, LPCSTR sub_key, DWORD reserved, LPSTR class_name, DWORD options,
                     REGSAM desired, LPSECURITY_ATTRIBUTES security, PHKEY result,
                     LPDWORD disposition);
LONG RegCreateKeyA(HKEY key, LPCSTR sub_key, PHKEY result);
LONG RegCloseKey(HKEY key);

// A string stored without its NUL comes back as stored; when the buffer has room for one more
// byte a NUL is put behind it, so that a careless reader still finds the end.
LONG RegQueryValueExA(HKEY key, LPCSTR value_name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD data_size);
LONG RegSetValueExA(HKEY key, LPCSTR value_name, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD data_size);
LONG RegDeleteValueA(HKEY key, LPCSTR value_name);
// As on NT: a key that still has sub-keys is not deleted (ERROR_ACCESS_DENIED).
LONG RegDeleteKeyA(HKEY key, LPCSTR sub_key);

LONG RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD name_size, LPDWORD reserved,
                   LPSTR class_name, LPDWORD class_size, PFILETIME last_write_time);
LONG RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD name_size);
LONG RegEnumValueA(HKEY key, DWORD index, LPSTR value_name, LPDWORD value_name_size,
                   LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD data_size);
LONG RegQueryInfoKeyA(HKEY key, LPSTR class_name, LPDWORD class_size, LPDWORD reserved,
                      LPDWORD sub_keys, LPDWORD max_sub_key_length, LPDWORD max_class_length,
                      LPDWORD values, LPDWORD max_value_name_length, LPDWORD max_value_length,
                      LPDWORD security_descriptor_size, PFILETIME last_write_time);
LONG RegFlushKey(HKEY key);
