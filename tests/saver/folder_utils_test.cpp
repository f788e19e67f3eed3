#include "saver/folder_utils.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

void Touch(const fs::path& p) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "kept";
}

} // namespace

// Deleting a folder deletes that folder: a name with a wildcard in it is no pattern, and a
// link is removed, never followed.
TEST(DeleteFolderTree, DeletesExactlyThePathItIsGiven) {
    lvtest::ScratchDir dir;
    lvtest::ScratchDir outside;
    Touch(dir / "_qjv_A_work" / "a.jpg");
    Touch(dir / "_qjv_B_work" / "b.jpg");
    Touch(outside / "kept.txt");
    fs::create_directory_symlink(outside.path(), dir / "_qjv_L_work");
    fs::create_directory_symlink(outside.path(), dir / "_qjv_A_work" / "out");
    struct Case {
        std::string name;
        int result;
    };
    const Case cases[] = {
        {"_qjv_*_work", 0}, {"_qjv_?_work", 0}, {"*", 0}, {"_qjv_L_work", 1}, {"_qjv_A_work", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DeleteFolderTree((dir / c.name).string().c_str()), c.result) << c.name;
    EXPECT_FALSE(fs::exists(dir / "_qjv_A_work"));
    EXPECT_TRUE(fs::exists(dir / "_qjv_B_work" / "b.jpg"));
    EXPECT_FALSE(fs::is_symlink(dir / "_qjv_L_work"));
    EXPECT_TRUE(fs::exists(outside / "kept.txt"));
}

// The work folder is made afresh: anything already at its name, a link included, fails it.
TEST(MakeFolder, MakesOnlyAFolderThatIsNotThereYet) {
    lvtest::ScratchDir dir;
    lvtest::ScratchDir outside;
    fs::create_directory(dir / "folder");
    fs::create_directory_symlink(outside.path(), dir / "link");
    fs::create_symlink(outside / "nothing", dir / "dangling");
    struct Case {
        std::string name;
        int result;
    };
    const Case cases[] = {{"new", 1}, {"folder", 0}, {"link", 0}, {"dangling", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(MakeFolder((dir / c.name).string().c_str()), c.result) << c.name;
    EXPECT_EQ(MakeFolder(""), 0);
    EXPECT_TRUE(fs::is_empty(outside.path()));
}
