// The uninstaller run as a program on a scratch root, answered through the answer script.
#include "installed_saver.h"
#include "tests/support/process_runner.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

using namespace uninstalltest;
namespace fs = std::filesystem;

constexpr char kSucceeded[] = "MessageBox [Information]: Uninstall completed successfully!";
constexpr char kFailed[] = "MessageBox [Error]: Uninstall Failed!";

class UninstallerProgram : public ::testing::Test {
protected:
    lvtest::ProcessResult Run(const std::string& commandLine, const std::string& answers) {
        const fs::path script = m_root.scratch() / "answers.txt";
        std::ofstream(script) << answers;
        return lvtest::RunProgram(
            LV_UNINSTALLER, {commandLine},
            {{"LUMIVISTA_ROOT", m_root.path()}, {"LUMIVISTA_ANSWERS", script.string()}});
    }

    static void ExpectInstalled(const InstalledSaver& saver, const std::string& why) {
        EXPECT_TRUE(FileExists(saver.saverPath())) << why;
        EXPECT_TRUE(FileExists(saver.dataPath())) << why;
        EXPECT_TRUE(KeyExists(saver.entry() + "\\Parts\\Deeper")) << why;
    }
    static void ExpectRemoved(const InstalledSaver& saver) {
        EXPECT_FALSE(FileExists(saver.saverPath()));
        EXPECT_FALSE(FileExists(saver.dataPath()));
        EXPECT_FALSE(KeyExists(saver.entry()));
    }

    // This process and the program share the scratch root: files and hives.
    ScratchRoot m_root;
};

TEST_F(UninstallerProgram, UninstallRemovesTheSaverItsThemeAndItsEntry) {
    const InstalledSaver saver("Quiet Horizons");
    const InstalledSaver neighbour("Neighbour");
    // The saver starts it with its own path in whatever case; the title has a space.
    std::string command = saver.saverPath();
    for (char& ch : command)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    const auto result = Run(command, "1004\nOK\n");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find(kSucceeded), std::string::npos) << result.err;
    ExpectRemoved(saver);
    ExpectInstalled(neighbour, "the neighbour stays");
}

TEST_F(UninstallerProgram, AMissingThemeFileIsReportedAsFailure) {
    const InstalledSaver saver("Quiet Horizons");
    ASSERT_TRUE(DeleteFileA(saver.dataPath().c_str()));
    const auto result = Run(saver.saverPath(), "1004\nOK\n");
    EXPECT_NE(result.err.find(kFailed), std::string::npos) << result.err;
    EXPECT_FALSE(FileExists(saver.saverPath()));
    EXPECT_FALSE(KeyExists(saver.entry()));
}

TEST_F(UninstallerProgram, ASaverAlreadyGoneStillLosesItsThemeAndEntryAndIsNamed) {
    const InstalledSaver saver("Quiet Horizons");
    const InstalledSaver neighbour("Neighbour");
    ASSERT_TRUE(DeleteFileA(saver.saverPath().c_str()));
    const auto result = Run(saver.saverPath(), "1004\nOK\n");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::string named = std::string(kFailed) + "\nNot found: " + saver.saverPath();
    EXPECT_NE(Lowered(result.err).find(Lowered(named)), std::string::npos) << result.err;
    EXPECT_FALSE(FileExists(saver.dataPath()));
    EXPECT_FALSE(KeyExists(saver.entry()));
    ExpectInstalled(neighbour, "the neighbour stays");
}

TEST_F(UninstallerProgram, AQuotedPathIsTheSamePath) {
    const InstalledSaver saver("Quiet Horizons");
    const auto result = Run("\"" + saver.saverPath() + "\"", "1004\nOK\n");
    EXPECT_NE(result.err.find(kSucceeded), std::string::npos) << result.err;
    ExpectRemoved(saver);
}

TEST_F(UninstallerProgram, CommandLinesThatNameNoInstalledSaverDeleteNothing) {
    const InstalledSaver saver("Quiet Horizons");
    const std::string folder = SystemFolder();
    ASSERT_TRUE(WriteFile(folder + "\\.scr"));
    const InstalledSaver gone("Gone Elsewhere");
    ASSERT_TRUE(DeleteFileA(gone.saverPath().c_str()));
    SetUninstallCommand(gone.title, m_root.path() + "\\Gone Elsewhere.scr /u");
    const std::string commands[] = {
        saver.dataPath(),         // not a screen saver
        folder + "\\.scr",        // no title
        folder + "\\missing.scr", // nothing installed under that name
        gone.saverPath(),         // gone, and its entry names another place
        "\"" + saver.saverPath(), // an unbalanced quote is part of the name
        folder,                   // a folder
    };
    for (const std::string& command : commands) {
        const auto result = Run(command, "1004\nOK\n");
        EXPECT_NE(result.err.find(kFailed), std::string::npos) << command << "\n" << result.err;
        ExpectInstalled(saver, command);
        EXPECT_TRUE(KeyExists(kUninstallRoot + std::string("Quiet Horizons"))) << command;
        EXPECT_TRUE(FileExists(gone.dataPath())) << command;
        EXPECT_TRUE(KeyExists(gone.entry())) << command;
    }
}

TEST_F(UninstallerProgram, CancelChangesNothing) {
    const InstalledSaver saver("Quiet Horizons");
    for (const char* answer : {"1003\n", "Cancel\n"}) {
        const auto result = Run(saver.saverPath(), answer);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err.find("MessageBox ["), std::string::npos) << result.err;
        ExpectInstalled(saver, answer);
    }
}

} // namespace
