// Which files and entry the uninstaller removes for a command line, and the removal itself.
#include "installed_saver.h"
#include "uninstaller/uninstall_target.h"

#include <gtest/gtest.h>

namespace {

using namespace uninstalltest;

class UninstallTargetTest : public ::testing::Test {
protected:
    ScratchRoot m_root;
};

TEST_F(UninstallTargetTest, CommandLinesThatNameNoInstalledSaverAreRefused) {
    const InstalledSaver saver("Quiet Horizons");
    const std::string folder = SystemFolder();
    ASSERT_TRUE(WriteFile(folder + "\\.scr"));
    ASSERT_TRUE(CreateDirectoryA((folder + "\\folder.scr").c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    struct Case {
        std::string command;
        const char* title; // null: refused
    };
    const Case cases[] = {
        {saver.saverPath(), "Quiet Horizons"},
        {"\"" + saver.saverPath() + "\"", "Quiet Horizons"},
        {folder + "\\quiet horizons.scr", "quiet horizons"},
        {saver.dataPath(), nullptr},
        {folder + "\\.scr", nullptr},
        {folder + "\\missing.scr", nullptr},
        {folder + "\\folder.scr", nullptr},
        {folder + "\\", nullptr},
        {"\"" + saver.saverPath(), nullptr},
        {"", nullptr},
        {"\"\"", nullptr},
    };
    for (const Case& c : cases) {
        const auto target = FindUninstallTarget(c.command.c_str());
        if (c.title == nullptr) {
            EXPECT_FALSE(target) << c.command;
            continue;
        }
        ASSERT_TRUE(target) << c.command;
        EXPECT_EQ(target->title, c.title);
        EXPECT_EQ(target->themeDataPath.CompareNoCase(saver.dataPath().c_str()), 0);
    }
}

TEST_F(UninstallTargetTest, RelativePathsAreMadeAbsoluteFirst) {
    const InstalledSaver saver("Amber");
    ASSERT_TRUE(SetCurrentDirectoryA(SystemFolder().c_str()));
    const auto target = FindUninstallTarget("amber.scr");
    ASSERT_TRUE(target);
    EXPECT_EQ(target->saverPath.CompareNoCase(saver.saverPath().c_str()), 0);
    EXPECT_EQ(target->themeDataPath.CompareNoCase(saver.dataPath().c_str()), 0);
}

TEST_F(UninstallTargetTest, RemovesBothFilesAndTheWholeEntryOnly) {
    const InstalledSaver saver("Quiet Horizons");
    const InstalledSaver neighbour("Neighbour");
    const auto target = FindUninstallTarget((SystemFolder() + "\\quiet horizons.scr").c_str());
    ASSERT_TRUE(target);
    EXPECT_TRUE(RemoveInstalledSaver(*target));
    EXPECT_FALSE(FileExists(saver.saverPath()));
    EXPECT_FALSE(FileExists(saver.dataPath()));
    EXPECT_FALSE(KeyExists(saver.entry()));
    EXPECT_TRUE(FileExists(neighbour.saverPath()));
    EXPECT_TRUE(KeyExists(neighbour.entry() + "\\Parts\\Deeper"));
}

TEST_F(UninstallTargetTest, AMissingThemeFileFailsButTheRestIsStillRemoved) {
    const InstalledSaver saver("Quiet Horizons");
    ASSERT_TRUE(DeleteFileA(saver.dataPath().c_str()));
    const auto target = FindUninstallTarget(saver.saverPath().c_str());
    ASSERT_TRUE(target);
    EXPECT_FALSE(RemoveInstalledSaver(*target));
    EXPECT_FALSE(FileExists(saver.saverPath()));
    EXPECT_FALSE(KeyExists(saver.entry()));
}

TEST_F(UninstallTargetTest, AMissingEntryDoesNotCount) {
    const InstalledSaver saver("Quiet Horizons");
    ASSERT_EQ(DeleteRegKeyTree(HKEY_LOCAL_MACHINE, saver.entry().c_str()), ERROR_SUCCESS);
    const auto target = FindUninstallTarget(saver.saverPath().c_str());
    ASSERT_TRUE(target);
    EXPECT_TRUE(RemoveInstalledSaver(*target));
    EXPECT_NE(DeleteRegKeyTree(HKEY_LOCAL_MACHINE, saver.entry().c_str()), ERROR_SUCCESS);
}

} // namespace
