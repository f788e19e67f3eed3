#include "installed_saver.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>

namespace uninstalltest {

ScratchRoot::ScratchRoot() {
    m_saved = std::getenv("LUMIVISTA_ROOT") ? std::getenv("LUMIVISTA_ROOT") : "";
    setenv("LUMIVISTA_ROOT", path().c_str(), 1);
}

ScratchRoot::~ScratchRoot() {
    setenv("LUMIVISTA_ROOT", m_saved.c_str(), 1);
}

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return folder;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok =
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool KeyExists(const std::string& subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::string Lowered(std::string text) {
    for (char& ch : text)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return text;
}

namespace {

void CreateKeyWithValue(const std::string& subKey, const std::string& value,
                        const char* name = "DisplayName") {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << subKey;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.data()),
                   static_cast<DWORD>(value.size()));
    RegCloseKey(key);
}

} // namespace

void SetUninstallCommand(const std::string& title, const std::string& command) {
    CreateKeyWithValue(kUninstallRoot + title, command, "UninstallString");
}

InstalledSaver::InstalledSaver(std::string installedTitle) : title(std::move(installedTitle)) {
    CreateDirectoryA(SystemFolder().c_str(), nullptr);
    EXPECT_TRUE(WriteFile(saverPath(), "MZ saver"));
    EXPECT_TRUE(WriteFile(dataPath(), "theme data"));
    CreateKeyWithValue(entry(), title + " Screensaver");
    SetUninstallCommand(title, saverPath() + " /u");
    CreateKeyWithValue(entry() + "\\Parts", "parts");
    CreateKeyWithValue(entry() + "\\Parts\\Deeper", "deeper");
    CreateKeyWithValue(entry() + "\\Other", "other");
}

} // namespace uninstalltest
