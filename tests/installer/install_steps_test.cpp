#include "installer/install_steps.h"
#include "installer/os_code.h"
#include "installer/reg_string.h"
#include "testing/answers.h"
#include "tests/installer/install_fixture.h"
#include "tests/support/process_runner.h"

#include <gtest/gtest.h>

namespace lvtest {
namespace {

namespace fs = std::filesystem;

const std::string kTitle = "Amber Tides";
const Bytes kNewSaver = {'n', 'e', 'w', 's'};
const Bytes kOldSaver = {'o', 'l', 'd', 's'};

std::string UninstallKey(const std::string& title) {
    return kUninstallKeyPrefix + title;
}

std::string SystemIniEntry() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    char value[MAX_PATH] = {};
    GetPrivateProfileStringA("boot", "SCRNSAVE.EXE", "", value, MAX_PATH,
                             (std::string(windows) + "\\SYSTEM.INI").c_str());
    return value;
}

class InstallStepTest : public InstallTest {
protected:
    void SetUp() override {
        InstallTest::SetUp();
        SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, 0);
        m_theme = ThemeBytes(kTitle);
    }
    void InstallOldCopies() {
        WriteFileBytes(Host(Installed(kTitle, ".scr")), kOldSaver);
        WriteFileBytes(Host(Installed(kTitle, ".dat")), kOldSaver);
    }
    void ExpectRegisteredAndActive() {
        const std::string saver = Installed(kTitle, ".scr");
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, UninstallKey(kTitle), "DisplayName"),
                  kTitle + " Screensaver");
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, UninstallKey(kTitle), "UninstallString"),
                  saver + " /u");
        EXPECT_EQ(RegString(HKEY_CURRENT_USER, kDesktopKey, kScreenSaverValue), saver);
        EXPECT_TRUE(ScreenSaverActive());
    }
    void ExpectNothingRegistered() {
        EXPECT_FALSE(RegString(HKEY_LOCAL_MACHINE, UninstallKey(kTitle), "DisplayName"));
        EXPECT_FALSE(RegString(HKEY_CURRENT_USER, kDesktopKey, kScreenSaverValue));
        EXPECT_FALSE(ScreenSaverActive());
    }
    Bytes m_theme;
};

TEST_F(InstallStepTest, FirstInstallCopiesRegistersAndActivatesWithoutAsking) {
    const std::string staging = Stage(kTitle, kNewSaver, m_theme);
    EXPECT_EQ(RunInstallStep(staging, kTitle, kOsWindowsXP), InstallOutcome::Installed);
    EXPECT_TRUE(lv::testing::message_box_log().empty());
    EXPECT_EQ(ReadFileBytes(Host(Installed(kTitle, ".scr"))), kNewSaver);
    EXPECT_EQ(ReadFileBytes(Host(Installed(kTitle, ".dat"))), m_theme);
    // The title's space stays unquoted in the command.
    ExpectRegisteredAndActive();
    EXPECT_EQ(SystemIniEntry(), "");
}

TEST_F(InstallStepTest, ReinstallAnsweredYesReplacesTheCopies) {
    InstallOldCopies();
    const std::string staging = Stage(kTitle, kNewSaver, m_theme);
    lv::testing::push_message_box_answer(IDYES);
    EXPECT_EQ(RunInstallStep(staging, kTitle, kOsWindowsXP), InstallOutcome::Installed);
    const auto log = lv::testing::message_box_log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].text, "The Amber Tides screensaver is already exist. Do you overwrite it?");
    EXPECT_EQ(log[0].caption, "Error");
    EXPECT_EQ(log[0].type, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(ReadFileBytes(Host(Installed(kTitle, ".scr"))), kNewSaver);
    EXPECT_EQ(ReadFileBytes(Host(Installed(kTitle, ".dat"))), m_theme);
    ExpectRegisteredAndActive();
}

TEST_F(InstallStepTest, ReinstallAnsweredNoKeepsTheCopiesAndRegistersThemAgain) {
    InstallOldCopies();
    const std::string staging = Stage(kTitle, kNewSaver, m_theme);
    lv::testing::push_message_box_answer(IDNO);
    EXPECT_EQ(RunInstallStep(staging, kTitle, kOsWindowsXP), InstallOutcome::KeptExisting);
    EXPECT_EQ(ReadFileBytes(Host(Installed(kTitle, ".scr"))), kOldSaver);
    EXPECT_EQ(ReadFileBytes(Host(Installed(kTitle, ".dat"))), kOldSaver);
    ExpectRegisteredAndActive();
}

TEST_F(InstallStepTest, AFailedCopyFailsTheInstallBeforeAnythingIsRegistered) {
    struct Case {
        const char* what;
        bool stageSaver, stageTheme, reinstall;
    };
    const Case cases[] = {
        {"saver missing", false, true, false},
        {"theme missing", true, false, false},
        {"saver missing on reinstall", false, true, true},
        {"theme missing on reinstall", true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(Host(SystemFolder()));
        fs::create_directories(Host(SystemFolder()));
        fs::remove_all(Host(StagingFolderFor(ProgramFilesFolder(), kTitle)));
        lv::testing::clear_answers();
        if (c.reinstall) {
            InstallOldCopies();
            lv::testing::push_message_box_answer(IDYES);
        }
        const std::string staging =
            Stage(kTitle, c.stageSaver ? std::optional(kNewSaver) : std::nullopt,
                  c.stageTheme ? std::optional(m_theme) : std::nullopt);
        EXPECT_EQ(RunInstallStep(staging, kTitle, kOsWindowsXP), InstallOutcome::Failed);
        const auto log = lv::testing::message_box_log();
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.back().text, "Install Failed");
        EXPECT_EQ(log.back().caption, "Information");
        EXPECT_EQ(log.back().type, static_cast<UINT>(MB_ICONQUESTION | MB_OK));
        ExpectNothingRegistered();
        if (!c.reinstall) {
            EXPECT_FALSE(fs::exists(Host(Installed(kTitle, ".dat"))));
        }
    }
}

TEST_F(InstallStepTest, SystemIniOnlyOnWindows95And98) {
    const std::pair<std::int16_t, bool> cases[] = {
        {kOsWindows95, true},    {kOsWindows98, true},
        {kOsWindowsMe, false},   {kOsWindowsNT4, false},
        {kOsWindows2000, false}, {kOsWindowsXP, false},
        {kOsUnknown, false},     {-2, false},
    };
    const std::string saver = Installed(kTitle, ".scr");
    WriteFileBytes(Host(saver), kNewSaver);
    for (const auto& [code, written] : cases) {
        fs::remove(Host(SystemFolder()).parent_path() / "SYSTEM.INI");
        ActivateScreensaver(saver, code);
        EXPECT_EQ(SystemIniEntry(), written ? saver : "") << code;
    }
}

TEST_F(InstallStepTest, UnsafeTitlesTouchNothingOutsideTheirPlaces) {
    const char* titles[] = {"",      ".", "..",  "..\\evil", "a\\b",       "a/b", "C:evil",
                            "\\abs", "*", "a?b", "a|b",      "\"quoted\"", "<a>", "tab\tin"};
    for (const char* title : titles) {
        SCOPED_TRACE(title);
        lv::testing::clear_answers();
        EXPECT_FALSE(IsSafeInstallTitle(title));
        EXPECT_EQ(StagingFolderFor(ProgramFilesFolder(), title), "");
        EXPECT_FALSE(DeleteStagingFolder(StagingFolderFor(ProgramFilesFolder(), title)));
        EXPECT_EQ(RunInstallStep(ProgramFilesFolder(), title, kOsWindows98),
                  InstallOutcome::Failed);
        RegisterUninstall(title, "C:\\x.scr");
        EXPECT_FALSE(RegString(HKEY_LOCAL_MACHINE, kUninstallKeyPrefix, "DisplayName"));
        EXPECT_FALSE(RegString(HKEY_LOCAL_MACHINE, kUninstallKeyPrefix, "UninstallString"));
    }
    EXPECT_TRUE(fs::exists(Host(ProgramFilesFolder())));
    EXPECT_TRUE(fs::is_empty(Host(SystemFolder())));
    EXPECT_TRUE(IsSafeInstallTitle("Amber Tides"));
}

TEST_F(InstallStepTest, DeletingTheStagingFolderRemovesItAndAllItHolds) {
    const std::string staging = Stage(kTitle, kNewSaver, m_theme);
    ASSERT_TRUE(fs::exists(Host(staging)));
    EXPECT_TRUE(DeleteStagingFolder(staging));
    EXPECT_FALSE(fs::exists(Host(staging)));
    EXPECT_TRUE(fs::exists(Host(ProgramFilesFolder())));
}

TEST(SetRegString, WritesTheValueWithoutItsTerminator) {
    SetRegString("Software\\Lumivista Tests\\Install", "Value", "some text", HKEY_CURRENT_USER);
    HKEY h = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Lumivista Tests\\Install", 0,
                            KEY_QUERY_VALUE, &h),
              ERROR_SUCCESS);
    DWORD size = 0, type = 0;
    ASSERT_EQ(RegQueryValueExA(h, "Value", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    RegCloseKey(h);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 9u);
}

TEST(SetRegString, ReportsTheErrorTheFailingCallReturned) {
    lv::testing::clear_answers();
    SetLastError(0);
    SetRegString("Software\\Whatever", "Value", "x",
                 reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x1234)));
    const auto log = lv::testing::message_box_log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].caption, "Utility Class Error in SetRegString (6)");
}

} // namespace
} // namespace lvtest
