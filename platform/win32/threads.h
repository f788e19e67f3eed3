// Threads, events and waiting on them. Handles are closed with CloseHandle; a thread runs on
// after its handle is closed.
#pragma once

#include "win32/system.h"

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;
constexpr DWORD STILL_ACTIVE = 259;

using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID parameter);

// Starts `start(parameter)` at once; the handle is signalled when the thread has ended.
// Creation flags (a suspended start) are not served: NULL with ERROR_CALL_NOT_IMPLEMENTED.
HANDLE CreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stackSize, LPTHREAD_START_ROUTINE start,
                    LPVOID parameter, DWORD creationFlags, LPDWORD threadId);
// The routine's result once the thread has ended, STILL_ACTIVE before.
BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);

// Unnamed events only: a name gives NULL with ERROR_CALL_NOT_IMPLEMENTED.
HANDLE CreateEventA(LPSECURITY_ATTRIBUTES security, BOOL manualReset, BOOL initialState,
                    LPCSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);

// WAIT_OBJECT_0 when the object is signalled (a wait on an automatic-reset event resets it),
// WAIT_TIMEOUT after `milliseconds` of the process clock, WAIT_FAILED for a handle that cannot
// be waited on.
DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);
