// An installed screen saver as the installer leaves it: "<title>.scr" and "<title>.dat" in the
// system folder and an uninstall entry (with sub-keys) named after the title that holds the
// command which starts the saver's uninstall mode.
#pragma once

#include "tests/support/scratch_dir.h"
#include "win32/win32.h"

#include <string>

namespace uninstalltest {

inline constexpr char kUninstallRoot[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// A layer root of the test's own for the life of the object: ctest runs the cases of one
// binary side by side, and the uninstaller shares this process's files and hives.
class ScratchRoot {
public:
    ScratchRoot();
    ~ScratchRoot();
    ScratchRoot(const ScratchRoot&) = delete;
    ScratchRoot& operator=(const ScratchRoot&) = delete;
    std::string path() const { return (m_scratch / "root").string(); }
    const lvtest::ScratchDir& scratch() const { return m_scratch; }

private:
    lvtest::ScratchDir m_scratch;
    std::string m_saved;
};

std::string SystemFolder();
bool WriteFile(const std::string& path, const std::string& bytes = "x");
bool FileExists(const std::string& path);
bool KeyExists(const std::string& subKey);
// The text with ASCII capitals made small, as the uninstaller's command line arrives.
std::string Lowered(std::string text);

// The uninstall entry's command, as the installer writes it: "<saver path> /u".
void SetUninstallCommand(const std::string& title, const std::string& command);

struct InstalledSaver {
    explicit InstalledSaver(std::string installedTitle);
    std::string title;
    std::string saverPath() const { return SystemFolder() + "\\" + title + ".scr"; }
    std::string dataPath() const { return SystemFolder() + "\\" + title + ".dat"; }
    std::string entry() const { return kUninstallRoot + title; }
};

} // namespace uninstalltest
