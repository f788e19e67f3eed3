#include "layer_root_fixture.h"
#include "win32/win32.h"

#include <fstream>
#include <vector>

namespace {

class FindFilesTest : public lvtest::LayerRootTest {
protected:
    void SetUp() override {
        LayerRootTest::SetUp();
        std::filesystem::create_directories(drive_c() / "Pics" / "Sub");
        for (const char* name : {"a.txt", "B.TXT", "c.dat", "readme", "ab.txt.bak"})
            std::ofstream(drive_c() / "Pics" / name) << name;
    }

    std::vector<std::string> find_all(const char* pattern, DWORD* error = nullptr) {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(pattern, &data);
        if (find == INVALID_HANDLE_VALUE) {
            if (error)
                *error = GetLastError();
            return names;
        }
        do
            names.push_back(data.cFileName);
        while (FindNextFileA(find, &data));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
        EXPECT_TRUE(FindClose(find));
        return names;
    }
};

TEST_F(FindFilesTest, WildcardsMatchWithoutRegardToCase) {
    using Names = std::vector<std::string>;
    struct Case {
        const char* pattern;
        Names names;
    } cases[] = {
        {"C:\\Pics\\*.txt", {"a.txt", "B.TXT"}},
        {"c:\\pics\\*.TXT", {"a.txt", "B.TXT"}},
        {"C:\\Pics\\*", {".", "..", "a.txt", "ab.txt.bak", "B.TXT", "c.dat", "readme", "Sub"}},
        {"C:\\Pics\\*.*", {".", "..", "a.txt", "ab.txt.bak", "B.TXT", "c.dat", "readme", "Sub"}},
        {"C:\\Pics\\?.dat", {"c.dat"}},
        {"C:\\Pics\\a?.*", {"ab.txt.bak"}},
        {"C:\\Pics\\readme.*", {"readme"}},
        {"C:\\Pics\\README", {"readme"}},
        {"C:\\pics", {"Pics"}},
        {"C:\\Pics\\*.t?t", {"a.txt", "B.TXT"}},
    };
    for (const auto& test : cases)
        EXPECT_EQ(find_all(test.pattern), test.names) << test.pattern;
}

TEST_F(FindFilesTest, ReportsWhatIsMissing) {
    DWORD error = 0;
    EXPECT_TRUE(find_all("C:\\Pics\\*.gif", &error).empty());
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(find_all("C:\\Nowhere\\*.*", &error).empty());
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_TRUE(find_all("C:\\Pics\\", &error).empty());
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    WIN32_FIND_DATAA data;
    EXPECT_FALSE(FindNextFileA(INVALID_HANDLE_VALUE, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(FindFilesTest, DriveRootsListNoDots) {
    auto names = find_all("C:\\*");
    EXPECT_EQ(names, (std::vector<std::string>{"Pics", "Program Files", "WINDOWS"}));
}

TEST_F(FindFilesTest, ReportsAttributesSizesAndTimes) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA("C:\\Pics\\c.dat", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_EQ(data.nFileSizeHigh, 0u);
    EXPECT_EQ(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    // Times are in 100 ns units since 1601: today is far past 2000-01-01.
    ULONGLONG written = (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                        data.ftLastWriteTime.dwLowDateTime;
    EXPECT_GT(written, 125911584000000000ull);
    FindClose(find);
    find = FindFirstFileA("C:\\Pics\\sub", &data);
    EXPECT_NE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    FindClose(find);
    EXPECT_FALSE(FindClose(find));
}

TEST_F(FindFilesTest, RunTimeFindGivesSizeAndCreationTime) {
    _finddata_t data;
    std::intptr_t find = _findfirst("C:\\Pics\\*.txt", &data);
    ASSERT_NE(find, -1);
    EXPECT_STREQ(data.name, "a.txt");
    EXPECT_EQ(data.size, 5u);
    EXPECT_GT(data.time_create, 946684800); // after 2000-01-01
    EXPECT_EQ(data.attrib & _A_SUBDIR, 0u);
    ASSERT_EQ(_findnext(find, &data), 0);
    EXPECT_STREQ(data.name, "B.TXT");
    EXPECT_EQ(_findnext(find, &data), -1);
    EXPECT_EQ(_findclose(find), 0);
    EXPECT_EQ(_findfirst("C:\\Pics\\*.none", &data), -1);
    EXPECT_EQ(errno, ENOENT);
}

} // namespace
