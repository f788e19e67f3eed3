// Registry string reading and the utilities' failure report, shared with the installer.
#pragma once

#include "mfc/mfc.h"

// The string value `valueName` of `subKey` under `root`, or `defaultValue` when the key or the
// value cannot be read (then the failure is reported).
CString GetRegString(const CString& subKey, const CString& valueName, const CString& defaultValue, HKEY root);

// Shows "Utility Class Error in <operation> (<code>)" with the system's text for the thread's
// last error, when there is one.
void ReportUtilityError(const char* operation);
