#include "mfc/mfc.h"

#include "tests/platform/system/layer_root_fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace {

using CFileFindTest = lvtest::LayerRootTest;

struct Found {
    CString path;
    ULONGLONG length;
    bool directory;
    bool dots;
};

std::map<std::string, Found> find_all(LPCTSTR pattern) {
    std::map<std::string, Found> found;
    CFileFind finder;
    BOOL working = finder.FindFile(pattern);
    while (working) {
        working = finder.FindNextFile();
        found[finder.GetFileName().GetString()] = {finder.GetFilePath(), finder.GetLength(),
                                                   finder.IsDirectory() != FALSE,
                                                   finder.IsDots() != FALSE};
    }
    return found;
}

TEST_F(CFileFindTest, ListsMatchesWithPathsSizesAndKinds) {
    std::filesystem::create_directories(drive_c() / "frame" / "Gold");
    std::ofstream(drive_c() / "frame" / "gold.ini") << "12345";
    std::ofstream(drive_c() / "frame" / "Silver.INI") << "1";
    std::ofstream(drive_c() / "frame" / "gold.bmp") << "";

    const auto all = find_all("C:\\frame\\*.*");
    ASSERT_EQ(all.size(), 6u);
    EXPECT_TRUE(all.at(".").dots);
    EXPECT_TRUE(all.at("..").dots);
    EXPECT_TRUE(all.at("Gold").directory);
    EXPECT_FALSE(all.at("Gold").dots);
    EXPECT_EQ(all.at("Gold").path, "C:\\frame\\Gold");
    EXPECT_EQ(all.at("gold.ini").path, "C:\\frame\\gold.ini");
    EXPECT_EQ(all.at("gold.ini").length, 5u);
    EXPECT_FALSE(all.at("gold.ini").directory);

    const auto ini = find_all("C:\\frame\\*.ini");
    ASSERT_EQ(ini.size(), 2u);
    EXPECT_EQ(ini.count("Silver.INI"), 1u);
}

TEST_F(CFileFindTest, SingleMatchAndNoMatch) {
    std::filesystem::create_directories(drive_c() / "target" / "sub");
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile("C:\\target\\sub"));
    EXPECT_FALSE(finder.FindNextFile()); // the only match is now current
    EXPECT_EQ(finder.GetFileName(), "sub");
    EXPECT_TRUE(finder.IsDirectory());
    EXPECT_EQ(finder.GetFilePath(), "C:\\target\\sub");
    EXPECT_FALSE(finder.FindNextFile());

    EXPECT_FALSE(finder.FindFile("C:\\target\\missing"));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_TRUE(finder.GetFileName().IsEmpty());
    EXPECT_FALSE(finder.FindFile("C:\\nowhere\\*.*"));
}

} // namespace
