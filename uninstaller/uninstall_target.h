// What the uninstaller removes for the screen saver named on its command line.
#pragma once

#include "mfc/mfc.h"

#include <optional>
#include <vector>

struct UninstallTarget {
    CString saverPath;     // absolute, "<folder>\<title>.scr"
    CString title;         // the name without ".scr": the uninstall entry's key
    CString themeDataPath; // "<folder>\<title>.dat"
};

// The saver behind a command line: surrounding quotes go, the path is made absolute. Nothing
// when it does not name a ".scr" file with a title that is either there or was installed
// there, so that no other program's file or uninstall entry can be removed. A saver that is
// already gone counts as installed when it was "<system folder>\<title>.scr" and the uninstall
// entry of that title still names it.
std::optional<UninstallTarget> FindUninstallTarget(const CString& commandPath);

// Deletes the saver and its theme data file (both are always tried) and the uninstall entry
// with its sub-keys. TRUE when both files were deleted; the entry does not count. The files
// that were not there to delete are added to `missing` when it is given.
BOOL RemoveInstalledSaver(const UninstallTarget& target, std::vector<CString>* missing = nullptr);

// Deletes `subKey` of `root` with all its sub-keys; the result of deleting `subKey` itself.
LONG DeleteRegKeyTree(HKEY root, LPCTSTR subKey);
