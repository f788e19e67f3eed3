#include "installer/install_session.h"
#include "installer/os_code.h"
#include "system/paths.h"
#include "testing/answers.h"
#include "testing/virtual_clock.h"
#include "tests/installer/install_fixture.h"
#include "tests/installer/package_fixture.h"
#include "tests/support/process_runner.h"

#include <gtest/gtest.h>

namespace lvtest {
namespace {

namespace fs = std::filesystem;

const std::string kTitle = "Amber Tides";
const Bytes kSaver = TextLikeBytes(20000, 7);

class InstallSessionTest : public InstallTest {
protected:
    // An installer file carrying the theme and the saver as the build packs them.
    std::string Package(const Bytes& theme, bool withTheme = true) {
        std::vector<PackedFile> files;
        if (withTheme)
            files.push_back({kTitle + "\\", kTitle + ".dat", theme});
        files.push_back({kTitle + "\\", kTitle + ".scr", kSaver});
        const AssembledPackage package = AssemblePackage(NoiseBytes(5000), files);
        WriteFileBytes(m_scratch / "setup.exe", package.bytes);
        return lv::to_windows_path((m_scratch / "setup.exe").string());
    }
    InstallSessionResult Run(const std::string& package, bool unattended, int online = 0) {
        InstallSessionOptions options;
        options.packagePath = package;
        options.title = kTitle;
        options.osCode = kOsWindowsXP;
        options.online = online;
        options.unattended = unattended;
        return RunInstallSession(options);
    }
    fs::path Staging() const { return Host(StagingFolderFor(ProgramFilesFolder(), kTitle)); }

    // The preparing dialog shows its result for a while.
    lv::testing::VirtualClockScope m_clock;
};

TEST_F(InstallSessionTest, UnattendedRunInstallsAndRemovesTheStagingFolder) {
    const Bytes theme = ThemeBytes(kTitle, "{\\rtf1 about}");
    const InstallSessionResult result = Run(Package(theme), true);
    EXPECT_TRUE(result.prepared);
    EXPECT_TRUE(result.installRan);
    EXPECT_EQ(result.outcome, InstallOutcome::Installed);
    EXPECT_EQ(result.header.title, kTitle);
    EXPECT_EQ(result.header.welcomeRtf, "{\\rtf1 about}");
    EXPECT_EQ(ReadFileBytes(Host(Installed(kTitle, ".scr"))), kSaver);
    EXPECT_EQ(ReadFileBytes(Host(Installed(kTitle, ".dat"))), theme);
    EXPECT_FALSE(fs::exists(Staging()));
    EXPECT_TRUE(fs::exists(Host(ProgramFilesFolder())));
}

TEST_F(InstallSessionTest, ClosingWithoutInstallingChangesNothing) {
    const InstallSessionResult result = Run(Package(ThemeBytes(kTitle)), false);
    EXPECT_TRUE(result.prepared);
    EXPECT_FALSE(result.installRan);
    EXPECT_FALSE(fs::exists(Staging()));
    EXPECT_TRUE(fs::is_empty(Host(SystemFolder())));
    EXPECT_FALSE(RegString(HKEY_LOCAL_MACHINE, kUninstallKeyPrefix + kTitle, "DisplayName"));
}

TEST_F(InstallSessionTest, FailedPreparationInstallsNothing) {
    Bytes truncated = ThemeBytes(kTitle);
    truncated.resize(500);
    struct Case {
        const char* what;
        std::function<std::string()> package;
    };
    const Case cases[] = {
        {"no payload",
         [&] {
             WriteFileBytes(m_scratch / "plain.exe", NoiseBytes(3000));
             return lv::to_windows_path((m_scratch / "plain.exe").string());
         }},
        {"missing package",
         [&] { return lv::to_windows_path((m_scratch / "absent.exe").string()); }},
        {"no theme in the payload", [&] { return Package({}, false); }},
        {"damaged theme", [&] { return Package(truncated); }},
        {"foreign theme", [&] { return Package(NoiseBytes(4000)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const InstallSessionResult result = Run(c.package(), true);
        EXPECT_FALSE(result.prepared);
        EXPECT_FALSE(result.installRan);
        EXPECT_FALSE(fs::exists(Staging()));
        EXPECT_TRUE(fs::is_empty(Host(SystemFolder())));
        EXPECT_TRUE(lv::testing::message_box_log().empty());
    }
}

TEST(AdvertAddress, OnlyWithAddressFlagAndConnection) {
    struct Case {
        const char* base;
        std::int32_t flag;
        int online;
        const char* address;
    };
    const Case cases[] = {
        {"http://ads.example/t", 1, 1, "http://ads.example/t/ad.htm"},
        {"http://ads.example/t", 7, 1, "http://ads.example/t/ad.htm"},
        {"http://ads.example/t", 1, 0, ""},
        {"http://ads.example/t", 0, 1, ""},
        {"", 1, 1, ""},
    };
    for (const Case& c : cases) {
        InstallThemeHeader header;
        header.primaryAdBase = c.base;
        header.adFlag = c.flag;
        EXPECT_EQ(AdvertAddressFor(header, c.online), c.address)
            << c.base << " " << c.flag << " " << c.online;
    }
}

} // namespace
} // namespace lvtest
