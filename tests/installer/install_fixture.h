// A scratch C: drive and registry for the installation steps, with helpers that stage files
// under Program Files and read back what the installer wrote.
#pragma once

#include "tests/support/scratch_dir.h"
#include "tools/themebuilder/theme_builder.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lvtest {

using Bytes = std::vector<std::uint8_t>;

// A theme data file whose header carries `title` (and, when given, about text and advert).
Bytes ThemeBytes(const std::string& title, const std::string& aboutText = {},
                 std::int32_t adFlag = 0, const std::string& adBase = {});

// The whole file in one read (large programs are compared in the end-to-end tests).
Bytes ReadWholeFile(const std::filesystem::path& path);

// The registry string value, or nothing when the key or value is missing.
std::optional<std::string> RegString(HKEY root, const std::string& key, const std::string& name);

// Whether the system setting says a screen saver is active.
bool ScreenSaverActive();

class InstallTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The host path of a Windows path of the scratch machine.
    static std::filesystem::path Host(const std::string& windowsPath);
    // Writes <Program Files>\<title>\<title>.scr and .dat (either may be left out).
    std::string Stage(const std::string& title, const std::optional<Bytes>& saver,
                      const std::optional<Bytes>& theme);
    static std::string Installed(const std::string& title, const char* extension);
    static void SetWinver(const char* name);

    ScratchDir m_scratch;

private:
    std::optional<std::string> m_savedRoot;
    std::optional<std::string> m_savedWinver;
};

} // namespace lvtest
