// What the installer changes on the machine: the copies in the system folder, the uninstall
// entry and the activation of the screen saver; and the staging folder it works from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr char kUninstallKeyPrefix[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
inline constexpr char kDesktopKey[] = "Control Panel\\Desktop\\";
inline constexpr char kScreenSaverValue[] = "SCRNSAVE.EXE";

// A title names files in the system folder, a folder under Program Files and a key under the
// uninstall key: one plain name component, nothing that leaves those places.
bool IsSafeInstallTitle(std::string_view title);

// The Program Files folder, or "NA" when the system has none.
std::string ProgramFilesFolder();
// <Program Files folder>\<title>; empty for a title that is not safe.
std::string StagingFolderFor(const std::string& programFiles, const std::string& title);
std::string SystemFolder();

// The uninstall entry of the title: its display name and the command that removes it.
void RegisterUninstall(const std::string& title, const std::string& installedSaver);
// Makes the installed screen saver the active one (SYSTEM.INI too on Windows 95 and 98).
void ActivateScreensaver(const std::string& installedSaver, std::int16_t osCode);

enum class InstallOutcome {
    Installed,    // copied, registered and activated
    KeptExisting, // the user kept the installed copies; registered and activated again
    Failed,       // "Install Failed" was shown; nothing was registered
};

// The install step: copies <staging>\<title>.scr and .dat into the system folder (asking
// first when the screen saver is installed already), then registers and activates it.
InstallOutcome RunInstallStep(const std::string& stagingFolder, const std::string& title,
                              std::int16_t osCode);

// Removes the staging folder and all it holds, then its claim; an empty path removes nothing.
bool DeleteStagingFolder(const std::string& stagingFolder);
