// The names a package may write: one file name, and a folder of one or more levels, all of
// them inside the folder the package is extracted into.
#pragma once

#include <string_view>

// One component: not empty, not "." or "..", no separator and no drive.
bool IsSafePackageName(std::string_view name);

// "NULL" (no folder), or components separated by "\" (a trailing "\" allowed), each a safe
// name: no leading separator, no drive, no "..".
bool IsSafePackageFolder(std::string_view folder);
