#include "layer_root_fixture.h"
#include "system/paths.h"
#include "win32/win32.h"

#include <chrono>
#include <fstream>

namespace {

class PathsTest : public lvtest::LayerRootTest {};

TEST_F(PathsTest, MapsDrivesToHostFolders) {
    std::string c = lv::drive_c_folder();
    EXPECT_EQ(c, drive_c().string());
    struct Case {
        const char* windows;
        std::string host;
    } cases[] = {
        {"C:\\WINDOWS\\system32", c + "/WINDOWS/system32"},
        {"c:/windows/SYSTEM32", c + "/WINDOWS/system32"},
        {"C:\\Program Files\\", c + "/Program Files"},
        {"C:\\", c},
        {"C:", c},
        {"Z:\\tmp\\x.dat", "/tmp/x.dat"},
        {"z:/tmp", "/tmp"},
        {"/tmp/x.dat", "/tmp/x.dat"},
        {"Z:\\", "/"},
        {"C:\\WINDOWS\\.\\Temp\\..\\system32", c + "/WINDOWS/system32"},
        // ".." never leaves the drive's folder.
        {"C:\\..\\..\\..\\etc\\passwd", c + "/etc/passwd"},
        {"C:\\Windows\\New Folder\\File.TXT", c + "/WINDOWS/New Folder/File.TXT"},
        {"D:\\x", ""},
        {"\\\\server\\share\\x", ""},
        {"C:\\a*b", ""},
        {"", ""},
    };
    for (const auto& test : cases)
        EXPECT_EQ(lv::to_host_path(test.windows), test.host) << test.windows;
}

TEST_F(PathsTest, ResolvesExistingNamesWithoutRegardToCase) {
    std::filesystem::create_directories(drive_c() / "Data" / "Sub");
    std::ofstream(drive_c() / "Data" / "Sub" / "Photo.JPG") << "x";
    EXPECT_EQ(lv::to_host_path("c:\\DATA\\sub\\photo.jpg"),
              (drive_c() / "Data" / "Sub" / "Photo.JPG").string());
    // A missing component keeps its spelling, and so does everything after it.
    EXPECT_EQ(lv::to_host_path("c:\\data\\NEW\\sub"),
              (drive_c() / "Data" / "NEW" / "sub").string());
}

// A folder is listed once for lookups without regard to case; what the layer itself creates,
// moves and deletes keeps that listing current, and a change from outside makes it be read again.
TEST_F(PathsTest, LookupsFollowTheFolderAsItChanges) {
    const std::filesystem::path folder = drive_c() / "Album";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "First.JPG") << "x";
    auto resolve = [](const char* name) {
        return lv::to_host_path(std::string("c:\\album\\") + name);
    };
    EXPECT_EQ(resolve("first.jpg"), (folder / "First.JPG").string());

    HANDLE made =
        CreateFileA("C:\\Album\\Second.JPG", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(made, INVALID_HANDLE_VALUE);
    CloseHandle(made);
    EXPECT_EQ(resolve("SECOND.jpg"), (folder / "Second.JPG").string());

    ASSERT_TRUE(MoveFileA("C:\\Album\\Second.JPG", "C:\\Album\\Third.JPG"));
    EXPECT_EQ(resolve("third.JPG"), (folder / "Third.JPG").string());
    EXPECT_EQ(resolve("second.jpg"), (folder / "second.jpg").string());

    ASSERT_TRUE(DeleteFileA("C:\\Album\\First.JPG"));
    EXPECT_EQ(resolve("FIRST.jpg"), (folder / "FIRST.jpg").string());

    // From outside: the folder's times move on (set here, since a change within the clock tick
    // of the last look leaves them as they were).
    std::ofstream(folder / "Fourth.JPG") << "x";
    std::filesystem::last_write_time(folder, std::filesystem::last_write_time(folder) -
                                                 std::chrono::hours(1));
    EXPECT_EQ(resolve("fourth.jpg"), (folder / "Fourth.JPG").string());
    std::filesystem::remove(folder / "Third.JPG");
    std::filesystem::last_write_time(folder, std::filesystem::last_write_time(folder) -
                                                 std::chrono::hours(1));
    EXPECT_EQ(resolve("THIRD.jpg"), (folder / "THIRD.jpg").string());
}

TEST_F(PathsTest, RelativePathsStartAtTheCurrentFolder) {
    std::filesystem::create_directories(work() / "Pics");
    EXPECT_EQ(lv::to_host_path("pics\\a.bmp"), (work() / "Pics" / "a.bmp").string());
    EXPECT_EQ(lv::to_host_path(".\\..\\work"), work().string());
    EXPECT_EQ(lv::full_windows_path("pics\\a.bmp"),
              lv::to_windows_path(work().string()) + "\\pics\\a.bmp");
}

TEST_F(PathsTest, MapsHostPathsBackToWindowsPaths) {
    EXPECT_EQ(lv::to_windows_path((drive_c() / "WINDOWS" / "x.ini").string()),
              "C:\\WINDOWS\\x.ini");
    EXPECT_EQ(lv::to_windows_path(drive_c().string()), "C:\\");
    EXPECT_EQ(lv::to_windows_path("/home/me/x.dat"), "Z:\\home\\me\\x.dat");
    EXPECT_EQ(lv::to_windows_path("/"), "Z:\\");
    // A sibling whose name merely starts like the drive folder is not on drive C:.
    std::string sibling = drive_c().string() + "_other/x";
    std::string expected = "Z:" + sibling;
    for (char& ch : expected)
        if (ch == '/')
            ch = '\\';
    EXPECT_EQ(lv::to_windows_path(sibling), expected);
}

TEST_F(PathsTest, RootBehindASymbolicLink) {
    std::filesystem::create_directory_symlink(root(), scratch().path() / "link");
    ::setenv("LUMIVISTA_ROOT", (scratch().path() / "link").c_str(), 1);
    auto real = std::filesystem::canonical(drive_c() / "WINDOWS");
    EXPECT_EQ(lv::to_windows_path(real.string()), "C:\\WINDOWS");
    EXPECT_EQ(lv::to_windows_path((scratch().path() / "link" / "drive_c" / "WINDOWS").string()),
              "C:\\WINDOWS");
}

TEST_F(PathsTest, EveryRootGetsTheStandardFolders) {
    lv::drive_c_folder();
    EXPECT_TRUE(std::filesystem::is_directory(drive_c() / "WINDOWS" / "system32"));
    EXPECT_TRUE(std::filesystem::is_directory(drive_c() / "Program Files"));
    lvtest::ScratchDir other;
    ::setenv("LUMIVISTA_ROOT", other.path().c_str(), 1);
    EXPECT_EQ(lv::drive_c_folder(), (other.path() / "drive_c").string());
    EXPECT_TRUE(std::filesystem::is_directory(other.path() / "drive_c" / "WINDOWS" / "system32"));
}

TEST(ProgramNames, ExeAndScrInAnyCase) {
    EXPECT_TRUE(lv::is_program_name("C:\\x\\setup.EXE"));
    EXPECT_TRUE(lv::is_program_name("Amber.scr"));
    EXPECT_FALSE(lv::is_program_name("notes.txt"));
    EXPECT_FALSE(lv::is_program_name("exe"));
}

} // namespace
