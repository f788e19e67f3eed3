#include "layer_root_fixture.h"
#include "win32/win32.h"

#include <fstream>

namespace {

class ShellFileOperationTest : public lvtest::LayerRootTest {
protected:
    int run(UINT function, const std::string& from, const std::string& to = {}) {
        std::string from_list = from + '\0'; // the string's own NUL makes the second one
        std::string to_list = to + '\0';
        SHFILEOPSTRUCTA operation{};
        operation.wFunc = function;
        operation.pFrom = from_list.c_str();
        operation.pTo = to.empty() ? nullptr : to_list.c_str();
        operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION;
        return SHFileOperationA(&operation);
    }
    void make_tree() {
        std::filesystem::create_directories(drive_c() / "Work" / "deep" / "deeper");
        std::ofstream(drive_c() / "Work" / "a.jpg") << "a";
        std::ofstream(drive_c() / "Work" / "deep" / "deeper" / "b.mp3") << "b";
    }
};

TEST_F(ShellFileOperationTest, DeletesAWholeTree) {
    make_tree();
    EXPECT_EQ(FOF_SILENT | FOF_NOCONFIRMATION, 0x14);
    EXPECT_EQ(run(FO_DELETE, "c:\\work"), 0);
    EXPECT_FALSE(std::filesystem::exists(drive_c() / "Work"));
    EXPECT_NE(run(FO_DELETE, "C:\\Work"), 0);
}

TEST_F(ShellFileOperationTest, DeletesEveryItemOfTheList) {
    make_tree();
    std::ofstream(drive_c() / "one.txt") << "1";
    EXPECT_EQ(run(FO_DELETE, std::string("C:\\one.txt") + '\0' + "C:\\Work\\deep"), 0);
    EXPECT_FALSE(std::filesystem::exists(drive_c() / "one.txt"));
    EXPECT_FALSE(std::filesystem::exists(drive_c() / "Work" / "deep"));
    EXPECT_TRUE(std::filesystem::exists(drive_c() / "Work" / "a.jpg"));
    EXPECT_EQ(run(FO_DELETE, "C:\\Work\\*.*"), 0);
    EXPECT_TRUE(std::filesystem::is_empty(drive_c() / "Work"));
}

TEST_F(ShellFileOperationTest, NeverDeletesADriveOrFollowsLinks) {
    make_tree();
    lvtest::ScratchDir outside;
    std::ofstream(outside.path() / "keep.txt") << "keep";
    std::filesystem::create_directory_symlink(outside.path(), drive_c() / "Work" / "link");
    EXPECT_NE(run(FO_DELETE, "C:\\"), 0);
    EXPECT_NE(run(FO_DELETE, "Z:\\"), 0);
    EXPECT_NE(run(FO_DELETE, "C:\\WINDOWS\\.."), 0);
    EXPECT_TRUE(std::filesystem::exists(drive_c() / "WINDOWS"));
    EXPECT_EQ(run(FO_DELETE, "C:\\Work"), 0);
    EXPECT_TRUE(std::filesystem::exists(outside.path() / "keep.txt"));
}

TEST_F(ShellFileOperationTest, CopiesATreeIntoAFolder) {
    make_tree();
    EXPECT_EQ(run(FO_COPY, "C:\\Work", "C:\\Program Files"), 0);
    EXPECT_TRUE(std::filesystem::exists(drive_c() / "Program Files" / "Work" / "deep" / "deeper" /
                                        "b.mp3"));
    EXPECT_EQ(run(FO_COPY, "C:\\Work\\a.jpg", "C:\\WINDOWS\\b.jpg"), 0);
    EXPECT_TRUE(std::filesystem::exists(drive_c() / "WINDOWS" / "b.jpg"));
    EXPECT_NE(run(FO_COPY, "C:\\Missing", "C:\\WINDOWS"), 0);
}

TEST_F(ShellFileOperationTest, RejectsEmptyListsAndUnknownOperations) {
    EXPECT_NE(run(FO_DELETE, ""), 0);
    EXPECT_NE(SHFileOperationA(nullptr), 0);
    make_tree();
    EXPECT_NE(run(FO_RENAME, "C:\\Work", "C:\\Other"), 0);
    EXPECT_TRUE(std::filesystem::exists(drive_c() / "Work"));
}

} // namespace
