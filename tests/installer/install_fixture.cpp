#include "tests/installer/install_fixture.h"

#include "installer/install_steps.h"
#include "system/paths.h"
#include "testing/answers.h"
#include "tests/support/process_runner.h"

#include <cstdlib>
#include <cstring>
#include <fstream>

namespace lvtest {

namespace {

std::optional<std::string> Env(const char* name) {
    const char* value = std::getenv(name);
    if (!value)
        return std::nullopt;
    return std::string(value);
}

void Restore(const char* name, const std::optional<std::string>& value) {
    if (value)
        setenv(name, value->c_str(), 1);
    else
        unsetenv(name);
}

} // namespace

Bytes ThemeBytes(const std::string& title, const std::string& aboutText, std::int32_t adFlag,
                 const std::string& adBase) {
    lvtools::ThemeSpec spec;
    spec.header.title = title;
    spec.aboutText = aboutText;
    spec.info.adFlag = adFlag;
    spec.overlay.primaryAdBase = adBase;
    spec.images = {{"one.jpg", "One", {1, 2, 3}}};
    return lvtools::BuildTheme(spec).bytes;
}

Bytes ReadWholeFile(const std::filesystem::path& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return {};
    Bytes bytes(size);
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (static_cast<std::uintmax_t>(in.gcount()) != size)
        return {};
    return bytes;
}

std::optional<std::string> RegString(HKEY root, const std::string& key, const std::string& name) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS)
        return std::nullopt;
    char buffer[1024] = {};
    DWORD size = sizeof(buffer) - 1;
    DWORD type = 0;
    LONG result =
        RegQueryValueExA(h, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(h);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    // The value may or may not carry its terminator.
    return std::string(buffer, strnlen(buffer, size));
}

bool ScreenSaverActive() {
    BOOL active = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    return active != FALSE;
}

void InstallTest::SetUp() {
    m_savedRoot = Env("LUMIVISTA_ROOT");
    m_savedWinver = Env("LUMIVISTA_WINVER");
    setenv("LUMIVISTA_ROOT", (m_scratch / "root").c_str(), 1);
    unsetenv("LUMIVISTA_WINVER");
    std::filesystem::create_directories(Host(SystemFolder()));
    std::filesystem::create_directories(Host(ProgramFilesFolder()));
    lv::testing::clear_answers();
}

void InstallTest::TearDown() {
    lv::testing::clear_answers();
    Restore("LUMIVISTA_ROOT", m_savedRoot);
    Restore("LUMIVISTA_WINVER", m_savedWinver);
}

std::filesystem::path InstallTest::Host(const std::string& windowsPath) {
    return lv::to_host_path(windowsPath);
}

std::string InstallTest::Stage(const std::string& title, const std::optional<Bytes>& saver,
                               const std::optional<Bytes>& theme) {
    const std::string staging = StagingFolderFor(ProgramFilesFolder(), title);
    // Without a Program Files folder the staging path would be relative to the working folder.
    if (ProgramFilesFolder() == "NA") {
        ADD_FAILURE() << "no Program Files folder";
        return {};
    }
    std::filesystem::create_directories(Host(staging));
    if (saver)
        WriteFileBytes(Host(staging + "\\" + title + ".scr"), *saver);
    if (theme)
        WriteFileBytes(Host(staging + "\\" + title + ".dat"), *theme);
    return staging;
}

std::string InstallTest::Installed(const std::string& title, const char* extension) {
    return SystemFolder() + "\\" + title + extension;
}

void InstallTest::SetWinver(const char* name) {
    setenv("LUMIVISTA_WINVER", name, 1);
}

} // namespace lvtest
