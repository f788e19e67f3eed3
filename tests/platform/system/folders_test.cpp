#include "layer_root_fixture.h"
#include "system/paths.h"
#include "win32/win32.h"

#include <unistd.h>

#include <climits>
#include <cstring>

namespace {

class FoldersTest : public lvtest::LayerRootTest {};

TEST_F(FoldersTest, ModuleFileNameIsTheRunningProgram) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    ASSERT_GT(length, 3u);
    EXPECT_EQ(length, std::strlen(path));
    char exe[PATH_MAX] = {};
    ASSERT_GT(::readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
    EXPECT_EQ(lv::to_host_path(path), exe);
    EXPECT_EQ(std::string(path, 3), "Z:\\");
    EXPECT_EQ(GetModuleFileNameA(GetModuleHandleA(nullptr), path, sizeof path), length);

    char small[5];
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), sizeof small);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(small[4], 0);
}

TEST_F(FoldersTest, SystemAndWindowsFolders) {
    char buffer[MAX_PATH];
    EXPECT_EQ(GetSystemDirectoryA(buffer, sizeof buffer), 19u);
    EXPECT_STREQ(buffer, "C:\\WINDOWS\\system32");
    EXPECT_EQ(GetWindowsDirectoryA(buffer, sizeof buffer), 10u);
    EXPECT_STREQ(buffer, "C:\\WINDOWS");
    EXPECT_EQ(GetWindowsDirectoryA(buffer, 5), 11u); // too small: the size needed
    EXPECT_EQ(GetTempPathA(sizeof buffer, buffer), 16u);
    EXPECT_STREQ(buffer, "C:\\WINDOWS\\Temp\\");
    EXPECT_TRUE(std::filesystem::is_directory(drive_c() / "WINDOWS" / "Temp"));
}

TEST_F(FoldersTest, SpecialFolders) {
    char path[MAX_PATH];
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAM_FILES, FALSE));
    EXPECT_STREQ(path, "C:\\Program Files");
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_TEMPLATES, FALSE));
    EXPECT_EQ(GetFileAttributesA(path), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_APPDATA, FALSE));
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_APPDATA, TRUE));
    EXPECT_EQ(GetFileAttributesA(path), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(SHGetSpecialFolderPathA(nullptr, path, 0x7777, TRUE));
}

TEST_F(FoldersTest, FullPathNames) {
    char buffer[MAX_PATH];
    LPSTR file_part = nullptr;
    DWORD length = GetFullPathNameA("c:\\windows\\..\\program files\\.\\x.scr", sizeof buffer,
                                    buffer, &file_part);
    EXPECT_STREQ(buffer, "C:\\program files\\x.scr");
    EXPECT_EQ(length, std::strlen(buffer));
    ASSERT_NE(file_part, nullptr);
    EXPECT_STREQ(file_part, "x.scr");

    std::string cwd = lv::to_windows_path(work().string());
    length = GetFullPathNameA("sub\\a.txt", sizeof buffer, buffer, nullptr);
    EXPECT_EQ(std::string(buffer), cwd + "\\sub\\a.txt");
    EXPECT_EQ(GetFullPathNameA("sub\\a.txt", 4, buffer, nullptr), length + 1);
    EXPECT_EQ(GetFullPathNameA("", sizeof buffer, buffer, nullptr), 0u);
}

TEST_F(FoldersTest, ShortPathIsTheLongPathOfAnExistingFile) {
    char buffer[MAX_PATH] = {};
    EXPECT_EQ(GetShortPathNameA("C:\\Program Files", buffer, sizeof buffer), 16u);
    EXPECT_STREQ(buffer, "C:\\Program Files");
    EXPECT_EQ(GetShortPathNameA("C:\\Program Files", buffer, 4), 17u);
    EXPECT_EQ(GetShortPathNameA("C:\\Missing File.scr", buffer, sizeof buffer), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(FoldersTest, TempFileNamesAreUniqueFiles) {
    char first[MAX_PATH], second[MAX_PATH], temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    UINT a = GetTempFileNameA(temp, "lvx", 0, first);
    UINT b = GetTempFileNameA(temp, "lvx", 0, second);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    EXPECT_STRNE(first, second);
    EXPECT_EQ(GetFileAttributesA(first), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(std::string(first).rfind("C:\\WINDOWS\\Temp\\lvx", 0), 0u);
    EXPECT_EQ(GetTempFileNameA(temp, "abcdef", 0x1F, first), 0x1Fu);
    EXPECT_STREQ(first, "C:\\WINDOWS\\Temp\\abc1F.TMP");
    EXPECT_EQ(GetFileAttributesA(first), INVALID_FILE_ATTRIBUTES); // a given number creates nothing
    EXPECT_EQ(GetTempFileNameA("C:\\Nowhere", "x", 0, first), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
}

TEST_F(FoldersTest, CurrentDirectory) {
    char buffer[MAX_PATH];
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\WINDOWS"));
    EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 10u);
    EXPECT_STREQ(buffer, "C:\\WINDOWS");
    EXPECT_FALSE(SetCurrentDirectoryA("C:\\Nowhere"));
}

} // namespace
