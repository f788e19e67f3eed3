// Host errno values as the platform's error codes.
#pragma once

#include "win32/types.h"

#include <string>

namespace lv {

// ENOENT becomes "path not found" when the folder of `host_path` is missing, else "file not found".
DWORD error_from_errno(int error, const std::string& host_path = {});
// Sets the last-error value from errno and returns FALSE, for the common failure exit.
BOOL fail_from_errno(const std::string& host_path = {});
BOOL fail_with(DWORD error);

// The host path of a Windows path given to a call; on failure sets the last-error value.
bool resolve_or_fail(const char* windows_path, std::string& host_path);

} // namespace lv
