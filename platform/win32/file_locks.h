// Locks on open files, and opening a name without following a link: for the programs that mark
// what they own (saver/owner_mark.h). Not part of win32.h; its callers include it.
#pragma once

#include "win32/files.h"

constexpr LONG ERROR_LOCK_VIOLATION = 33;

// A link at the name is not followed; as the host cannot open a link itself, opening one fails.
constexpr DWORD FILE_FLAG_OPEN_REPARSE_POINT = 0x00200000;

// Locks a byte range of the file for this handle alone, failing at once with
// ERROR_LOCK_VIOLATION when another handle holds any of it. Closing the handle, or the end of
// the process however it comes, lets go of the lock. The handle must be open for writing.
BOOL LockFile(HANDLE file, DWORD offset_low, DWORD offset_high, DWORD bytes_low, DWORD bytes_high);
