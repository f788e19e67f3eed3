// Writing one registry string, as the installation steps do.
#pragma once

#include "win32/win32.h"

// Writes `value` as the REG_SZ `valueName` of `subKey` under `root`, creating the key when
// needed. A failure is shown to the user (with the error the failing call returned), not
// returned.
void SetRegString(const char* subKey, const char* valueName, const char* value, HKEY root);
