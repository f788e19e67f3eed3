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

TEST_F(UninstallTargetTest, AGoneSaverCountsOnlyWhereItsEntrySaysItWasInstalled) {
    const InstalledSaver saver("Quiet Horizons");
    ASSERT_TRUE(DeleteFileA(saver.saverPath().c_str()));
    const std::string elsewhere = m_root.path() + "\\Quiet Horizons.scr";
    struct Case {
        const char* what;
        std::string command;
        std::string entryCommand; // empty: the entry as installed
        bool found;
    };
    const Case cases[] = {
        {"as installed", saver.saverPath(), "", true},
        {"in another case", SystemFolder() + "\\QUIET HORIZONS.SCR", "", true},
        {"entry names another saver", saver.saverPath(), SystemFolder() + "\\Other.scr /u", false},
        {"entry without the switch", saver.saverPath(), saver.saverPath(), false},
        {"not in the system folder", elsewhere, elsewhere + " /u", false},
        {"no entry of that title", SystemFolder() + "\\Unknown.scr", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUninstallCommand(saver.title,
                            c.entryCommand.empty() ? saver.saverPath() + " /u" : c.entryCommand);
        const auto target = FindUninstallTarget(c.command.c_str());
        EXPECT_EQ(target.has_value(), c.found);
        if (target) {
            EXPECT_EQ(target->themeDataPath.CompareNoCase(saver.dataPath().c_str()), 0);
        }
    }
}

TEST_F(UninstallTargetTest, AGoneSaverStillLosesItsThemeAndEntryAndIsNamedAsMissing) {
    const InstalledSaver saver("Quiet Horizons");
    const InstalledSaver neighbour("Neighbour");
    ASSERT_TRUE(DeleteFileA(saver.saverPath().c_str()));
    const auto target = FindUninstallTarget(saver.saverPath().c_str());
    ASSERT_TRUE(target);
    std::vector<CString> missing;
    EXPECT_FALSE(RemoveInstalledSaver(*target, &missing));
    EXPECT_FALSE(FileExists(saver.dataPath()));
    EXPECT_FALSE(KeyExists(saver.entry()));
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_EQ(missing[0].CompareNoCase(saver.saverPath().c_str()), 0);
    EXPECT_TRUE(FileExists(neighbour.dataPath()));
    EXPECT_TRUE(KeyExists(neighbour.entry()));
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
    std::vector<CString> missing;
    EXPECT_FALSE(RemoveInstalledSaver(*target, &missing));
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_EQ(missing[0].CompareNoCase(saver.dataPath().c_str()), 0);
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
