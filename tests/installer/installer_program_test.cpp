// The installer as a program on a scratch machine: the packed installer of the build, and
// installers assembled here from the same program with other payloads.
#include "installer/install_steps.h"
#include "system/paths.h"
#include "tests/installer/install_fixture.h"
#include "tests/installer/package_fixture.h"
#include "tests/support/process_runner.h"

#include <gtest/gtest.h>

#include <fstream>

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
            AssemblePackage(ReadFileBytes(LV_INSTALLER), {{kTitle + "\\", kTitle + ".dat", theme},
                                                          {kTitle + "\\", kTitle + ".scr", saver}});
        const fs::path path = m_scratch / "setup";
        WriteFileBytes(path, package.bytes);
        fs::permissions(path, fs::perms(0755));
        return path;
    }
    fs::path Staging() const { return Host(StagingFolderFor(ProgramFilesFolder(), kTitle)); }
    void ExpectInstalled() {
        const std::string saver = Installed(kTitle, ".scr");
        EXPECT_EQ(ReadFileBytes(Host(saver)), ReadFileBytes(LV_LUMIVISTA));
        EXPECT_EQ(ReadFileBytes(Host(Installed(kTitle, ".dat"))),
                  ReadFileBytes(LV_SAMPLE_THEME_FILE));
        EXPECT_NE(fs::status(Host(saver)).permissions() & fs::perms::owner_exec, fs::perms::none);
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKeyPrefix + kTitle, "DisplayName"),
                  kTitle + " Screensaver");
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKeyPrefix + kTitle, "UninstallString"),
                  saver + " /u");
        EXPECT_EQ(RegString(HKEY_CURRENT_USER, kDesktopKey, kScreenSaverValue), saver);
        EXPECT_FALSE(fs::exists(Staging()));
    }
};

TEST_F(InstallerProgramTest, PackedInstallerInstallsTheSaverAndItsTheme) {
    const ProcessResult run = Run(LV_PACKED_INSTALLER, {"/install"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("Preparing Successfully"), std::string::npos) << run.out;
    ExpectInstalled();
    EXPECT_EQ(fs::status(LV_PACKED_INSTALLER).permissions() & fs::perms::mask, fs::perms(0755));
}

TEST_F(InstallerProgramTest, ReinstallAsksAndFollowsTheAnswer) {
    ASSERT_EQ(Run(LV_PACKED_INSTALLER, {"/install"}).exitCode, 0);
    const fs::path theme = Host(Installed(kTitle, ".dat"));
    const Bytes edited = {'e', 'd', 'i', 't'};
    WriteFileBytes(theme, edited);

    ProcessResult no = Run(LV_PACKED_INSTALLER, {"/install"}, {}, {"No"});
    ASSERT_EQ(no.exitCode, 0) << no.out << no.err;
    EXPECT_EQ(ReadFileBytes(theme), edited);
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

TEST_F(InstallerProgramTest, WithoutInstallNothingChangesAndTheStagingFolderGoes) {
    const ProcessResult run = Run(LV_PACKED_INSTALLER, {});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("Preparing Successfully"), std::string::npos);
    EXPECT_FALSE(fs::exists(Staging()));
    EXPECT_FALSE(fs::exists(Host(Installed(kTitle, ".scr"))));
    EXPECT_FALSE(RegString(HKEY_LOCAL_MACHINE, kUninstallKeyPrefix + kTitle, "DisplayName"));
}

TEST_F(InstallerProgramTest, TheProgramWithoutPayloadFailsPreparation) {
    const ProcessResult run = Run(LV_INSTALLER, {"/install"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("Preparing Failed"), std::string::npos);
    EXPECT_FALSE(fs::exists(Host(Installed(kTitle, ".scr"))));
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

// The installed saver's mode u hands over to the uninstaller it carries, with its own path.
TEST_F(InstallerProgramTest, InstalledSaverStartsItsUninstaller) {
    const fs::path setup =
        Assemble(ReadFileBytes(LV_SAMPLE_THEME_FILE), ReadFileBytes(LV_SAVER_UNDER_TEST));
    ASSERT_EQ(Run(setup, {"/install"}).exitCode, 0);
    const std::string saver =
        RegString(HKEY_LOCAL_MACHINE, kUninstallKeyPrefix + kTitle, "UninstallString").value_or("");
    ASSERT_EQ(saver, Installed(kTitle, ".scr") + " /u");
    const fs::path log = m_scratch / "uninstaller.log";
    const ProcessResult run =
        Run(Host(Installed(kTitle, ".scr")), {"/u"}, {{"LV_FAKE_UNINSTALLER_LOG", log.string()}});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    ASSERT_TRUE(WaitForFile(log));
    EXPECT_EQ(ReadFileText(log), Installed(kTitle, ".scr"));
}

} // namespace
} // namespace lvtest
