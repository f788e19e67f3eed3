// The running process's id. Not part of win32.h; its callers include it.
#pragma once

#include "win32/types.h"

DWORD GetCurrentProcessId();
