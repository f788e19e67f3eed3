// The installer as a program on a scratch machine: the packed installer of the build, and
// installers assembled here from the same program with other payloads.
#include "installer/install_steps.h"
#include "installer/staging_claim.h"
#include "system/paths.h"
#include "tests/installer/install_fixture.h"
#include "tests/installer/package_fixture.h"
#include "tests/support/process_runner.h"
#include "win32/process_id.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

namespace lvtest {
namespace {

namespace fs = std::filesystem;

const std::string kTitle = LV_THEME_TITLE;

class InstallerProgramTest : public InstallTest {
protected:
    ProcessResult Run(const fs::path& program, const std::vector<std::string>& args,
                      std::map<std::string, std::string> env = {},
                      const std::vector<std::string>& answers = {}) {
        env["LUMIVISTA_ROOT"] = (m_scratch / "root").string();
        if (!answers.empty()) {
            std::ofstream script(m_scratch / "answers.txt");
            for (const std::string& answer : answers)
                script << answer << "\n";
            env["LUMIVISTA_ANSWERS"] = (m_scratch / "answers.txt").string();
        }
        return RunProgram(program, args, env);
    }
    // The installer program with this payload, packed as the build packs it.
    fs::path Assemble(const Bytes& theme, const Bytes& saver) {
        const AssembledPackage package =
            AssemblePackage(ReadWholeFile(LV_INSTALLER), {{kTitle + "\\", kTitle + ".dat", theme},
                                                          {kTitle + "\\", kTitle + ".scr", saver}});
        const fs::path path = m_scratch / "setup";
        WriteFileBytes(path, package.bytes);
        fs::permissions(path, fs::perms(0755));
        return path;
    }
    fs::path Staging() const { return Host(StagingFolderFor(ProgramFilesFolder(), kTitle)); }
    fs::path Claim() const {
        return Host(StagingClaimPath(StagingFolderFor(ProgramFilesFolder(), kTitle)));
    }
    void ExpectInstalled() {
        const std::string saver = Installed(kTitle, ".scr");
        EXPECT_EQ(ReadWholeFile(Host(saver)), ReadWholeFile(LV_LUMIVISTA));
        EXPECT_EQ(ReadWholeFile(Host(Installed(kTitle, ".dat"))),
                  ReadWholeFile(LV_SAMPLE_THEME_FILE));
        EXPECT_NE(fs::status(Host(saver)).permissions() & fs::perms::owner_exec, fs::perms::none);
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKeyPrefix + kTitle, "DisplayName"),
                  kTitle + " Screensaver");
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKeyPrefix + kTitle, "UninstallString"),
                  saver + " /u");
        EXPECT_EQ(RegString(HKEY_CURRENT_USER, kDesktopKey, kScreenSaverValue), saver);
        EXPECT_EQ(RegString(HKEY_CURRENT_USER, kDesktopKey, "ScreenSaveActive"), "1");
        EXPECT_FALSE(fs::exists(Staging()));
        EXPECT_FALSE(fs::exists(Claim()));
    }
    // The installed saver's mode u: the uninstaller it writes out is answered through the script
    // and removes what the installer put into the system folder and the uninstall entry.
    void ExpectUninstalledBy(const ProcessResult& run) {
        ASSERT_EQ(run.exitCode, 0) << run.out << run.err;

        // The uninstaller runs on after the saver has ended.
        const fs::path uninstaller = Host(SystemFolder()) / "uninst_saver.exe";
        ASSERT_TRUE(WaitForFile(uninstaller));
        const auto entryGone = [&] {
            return !RegString(HKEY_LOCAL_MACHINE, kUninstallKeyPrefix + kTitle, "DisplayName")
                        .has_value();
        };
        EXPECT_TRUE(WaitUntil(entryGone));
        EXPECT_FALSE(fs::exists(Host(Installed(kTitle, ".scr"))));
        EXPECT_FALSE(fs::exists(Host(Installed(kTitle, ".dat"))));
        HKEY key = nullptr;
        EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kUninstallKeyPrefix + kTitle).c_str(), 0,
                                KEY_READ, &key),
                  ERROR_SUCCESS);
    }
};

TEST_F(InstallerProgramTest, PackedInstallerInstallsTheSaverAndItsTheme) {
    const ProcessResult run = Run(LV_PACKED_INSTALLER, {"/install"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    ExpectInstalled();
    // Unattended: no dialog waited for anyone.
    EXPECT_EQ(run.err.find("Install Manager"), std::string::npos) << run.err;
    EXPECT_EQ(fs::status(LV_PACKED_INSTALLER).permissions() & fs::perms::mask, fs::perms(0755));
}

TEST_F(InstallerProgramTest, ReinstallAsksAndFollowsTheAnswer) {
    ASSERT_EQ(Run(LV_PACKED_INSTALLER, {"/install"}).exitCode, 0);
    const fs::path theme = Host(Installed(kTitle, ".dat"));
    const Bytes edited = {'e', 'd', 'i', 't'};
    WriteFileBytes(theme, edited);

    ProcessResult no = Run(LV_PACKED_INSTALLER, {"/install"}, {}, {"No"});
    ASSERT_EQ(no.exitCode, 0) << no.out << no.err;
    EXPECT_EQ(ReadWholeFile(theme), edited);
    EXPECT_FALSE(fs::exists(Staging()));

    ProcessResult yes = Run(LV_PACKED_INSTALLER, {"/install"}, {}, {"Yes"});
    ASSERT_EQ(yes.exitCode, 0) << yes.out << yes.err;
    ExpectInstalled();
}

TEST_F(InstallerProgramTest, SystemIniIsWrittenOnWindows98Only) {
    const std::pair<const char*, bool> cases[] = {
        {"98", true}, {"XP", false}, {"95", true}, {"2000", false}};
    const fs::path ini = Host(SystemFolder()).parent_path() / "SYSTEM.INI";
    for (const auto& [winver, written] : cases) {
        fs::remove(ini);
        ASSERT_EQ(Run(LV_PACKED_INSTALLER, {"/install"}, {{"LUMIVISTA_WINVER", winver}}, {"Yes"})
                      .exitCode,
                  0);
        const std::string text = fs::exists(ini) ? ReadFileText(ini) : std::string();
        EXPECT_EQ(text.find("SCRNSAVE.EXE=" + Installed(kTitle, ".scr")) != std::string::npos,
                  written)
            << winver << ": " << text;
    }
}

TEST_F(InstallerProgramTest, CancelChangesNothingAndTheStagingFolderGoes) {
    const ProcessResult run = Run(LV_PACKED_INSTALLER, {}, {}, {"1001"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    // Cancel was clicked: the dialog did not wait until it was given up on.
    EXPECT_EQ(run.err.find("nobody can give"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(Staging()));
    EXPECT_FALSE(fs::exists(Host(Installed(kTitle, ".scr"))));
    EXPECT_FALSE(RegString(HKEY_LOCAL_MACHINE, kUninstallKeyPrefix + kTitle, "DisplayName"));
}

TEST_F(InstallerProgramTest, TheProgramWithoutPayloadFailsPreparation) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"/install"}, {}}) {
        const ProcessResult run = Run(LV_INSTALLER, args);
        ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
        // The dialog closed itself: nothing asked, nothing waited for.
        EXPECT_EQ(run.err.find("Install Manager"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("MessageBox"), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(Staging()));
        EXPECT_TRUE(fs::is_empty(Host(SystemFolder())));
    }
}

TEST_F(InstallerProgramTest, AdvertPageOnlyWhenOnline) {
    const fs::path setup = Assemble(ThemeBytes(kTitle, {}, 1, "http://ads.example/theme"), {'s'});
    for (const char* online : {"1", "0"}) {
        const ProcessResult run = Run(setup, {}, {{"LUMIVISTA_ONLINE", online}});
        ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
        EXPECT_EQ(run.out.find("http://ads.example/theme/ad.htm") != std::string::npos,
                  online[0] == '1')
            << online << ": " << run.out;
    }
}

TEST_F(InstallerProgramTest, InstallThenUninstallLeavesNothingOfTheInstallation) {
    ASSERT_EQ(Run(LV_PACKED_INSTALLER, {"/install"}).exitCode, 0);
    ExpectInstalled();
    ExpectUninstalledBy(Run(Host(Installed(kTitle, ".scr")), {"/u"}, {}, {"1004", "OK"}));
}

// As a person installs: the dialog's Install button, the question of a reinstallation
// answered; then the installed saver's uninstall.
TEST_F(InstallerProgramTest, InstallButtonInstallsAndTheInstalledSaverUninstallsItAll) {
    const ProcessResult first = Run(LV_PACKED_INSTALLER, {}, {}, {"1002"});
    ASSERT_EQ(first.exitCode, 0) << first.out << first.err;
    EXPECT_EQ(first.err.find("MessageBox"), std::string::npos) << first.err;
    ExpectInstalled();

    const ProcessResult again = Run(LV_PACKED_INSTALLER, {}, {}, {"1002", "Yes"});
    ASSERT_EQ(again.exitCode, 0) << again.out << again.err;
    EXPECT_NE(again.err.find("is already exist"), std::string::npos) << again.err;
    ExpectInstalled();

    ExpectUninstalledBy(Run(Host(Installed(kTitle, ".scr")), {"/u"}, {}, {"1004", "OK"}));
}

// An installer killed while its staging folder stands leaves the folder and its claim; the
// next one sees that their installer has ended, clears them away and installs.
TEST_F(InstallerProgramTest, AKilledInstallerDoesNotKeepTheNextFromInstalling) {
    const ProcessResult killed = RunProgramUntil(
        LV_PACKED_INSTALLER, {"/install"}, {{"LUMIVISTA_ROOT", (m_scratch / "root").string()}},
        [&] { return fs::exists(Staging()); });
    ASSERT_EQ(killed.exitCode, -1) << "ended before it was killed: " << killed.out << killed.err;
    ASSERT_TRUE(fs::exists(Staging()));
    ASSERT_TRUE(fs::exists(Claim()));

    const ProcessResult next = Run(LV_PACKED_INSTALLER, {"/install"});
    EXPECT_EQ(next.exitCode, 0) << next.out << next.err;
    EXPECT_EQ(next.err.find("MessageBox"), std::string::npos) << next.err;
    ExpectInstalled();
}

// What no ended installer left (a running installer's folder, a folder of someone else's) is
// neither used nor removed: the installer says what is in the way, installs nothing and fails,
// unattended or not.
TEST_F(InstallerProgramTest, AFolderInTheWayIsLeftAloneAndTheInstallerSaysSoAndFails) {
    const std::string folder = StagingFolderFor(ProgramFilesFolder(), kTitle);
    // The test itself stands in for a running installer.
    const std::string running = FormatClaim(RunningProcess(GetCurrentProcessId()).value());
    struct Case {
        const char* what;
        std::vector<std::string> args;
        std::optional<std::string> claim;
        std::string says;
    };
    const Case cases[] = {
        {"someone else's folder, unattended",
         {"/install"},
         std::nullopt,
         "something it did not make is in the way at\n" + folder + "\n"},
        {"someone else's folder, with the dialog",
         {},
         std::nullopt,
         "something it did not make is in the way at\n" + folder + "\n"},
        {"a running installer's folder",
         {"/install"},
         running,
         "Another installer is running and is using the folder\n" + folder + "\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(Claim());
        fs::create_directories(Staging());
        WriteFileBytes(Staging() / "theirs.txt", {'t'});
        if (c.claim)
            WriteFileBytes(Claim(), Bytes(c.claim->begin(), c.claim->end()));

        const ProcessResult run = Run(LV_PACKED_INSTALLER, c.args);
        EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
        EXPECT_NE(run.err.find("MessageBox [Error]: "), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("Install Manager"), std::string::npos) << run.err;
        EXPECT_EQ(ReadWholeFile(Staging() / "theirs.txt"), Bytes{'t'});
        EXPECT_EQ(fs::exists(Claim()), c.claim.has_value());
        EXPECT_TRUE(fs::is_empty(Host(SystemFolder())));
        EXPECT_FALSE(RegString(HKEY_LOCAL_MACHINE, kUninstallKeyPrefix + kTitle, "DisplayName"));
    }
}

} // namespace
} // namespace lvtest
