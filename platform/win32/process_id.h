// The running process's id, and handles on other processes for what the system knows of them.
// Not part of win32.h; its callers include it.
#pragma once

#include "win32/types.h"

DWORD GetCurrentProcessId();

constexpr DWORD PROCESS_QUERY_INFORMATION = 0x0400;
constexpr DWORD PROCESS_QUERY_LIMITED_INFORMATION = 0x1000;

// A handle (closed with CloseHandle) on the process with that id, for the query rights only:
// other rights give NULL with ERROR_ACCESS_DENIED; an id that names no process NULL with
// ERROR_INVALID_PARAMETER. The handle stays on that process: once it has ended, a new process
// that is given the same id is not the one the handle reaches.
HANDLE OpenProcess(DWORD desiredAccess, BOOL inheritHandle, DWORD processId);
// STILL_ACTIVE while the process runs; its exit code once it has ended (a process ended by a
// signal reports 128 + the signal's number, as a shell does). When its parent has already
// collected the ended process, the system no longer knows the code: FALSE with
// ERROR_CALL_NOT_IMPLEMENTED.
BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode);
// The creation time (UTC; it tells two processes that had the same id apart, to the clock tick
// of the kernel; it is counted from the boot time the kernel reports, so a step of the system
// clock moves it) and the processor time used in kernel and user mode. The exit time is not kept
// here: it is zero. A process its parent has collected is gone with its times: FALSE with
// ERROR_CALL_NOT_IMPLEMENTED.
BOOL GetProcessTimes(HANDLE process, FILETIME* creationTime, FILETIME* exitTime,
                     FILETIME* kernelTime, FILETIME* userTime);
