#include "layer_root_fixture.h"
#include "win32/win32.h"

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <vector>

namespace {

class ProfileTest : public lvtest::LayerRootTest {
protected:
    void SetUp() override {
        LayerRootTest::SetUp();
        write_file(drive_c() / "WINDOWS" / "frame.ini", "; frame description\r\n"
                                                        "[Frame]\r\n"
                                                        "ver = 1.0  \r\n"
                                                        "Title=\"  Golden frame  \"\r\n"
                                                        "upleft=12 34\r\n"
                                                        "single='x'\r\n"
                                                        "; a comment inside\r\n"
                                                        "stretch_mode=1abc\r\n"
                                                        "empty=\r\n"
                                                        "\r\n"
                                                        "[Other]\r\n"
                                                        "key=value\r\n");
    }
    void write_file(const std::filesystem::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string read_file(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string get(const char* section, const char* key, const char* def = "",
                    const char* file = "frame.ini") {
        char buffer[256];
        DWORD n = GetPrivateProfileStringA(section, key, def, buffer, sizeof buffer, file);
        return std::string(buffer, n);
    }
};

TEST_F(ProfileTest, ReadsValuesAsThePlatformDoes) {
    struct Case {
        const char* section;
        const char* key;
        const char* def;
        std::string expected;
    } cases[] = {
        {"Frame", "ver", "", "1.0"},
        {"FRAME", "VER", "", "1.0"},
        {"Frame", "Title", "", "  Golden frame  "}, // quotes stripped, inner blanks kept
        {"Frame", "single", "", "x"},
        {"Frame", "upleft", "", "12 34"},
        {"Frame", "empty", "dflt", ""},
        {"Frame", "missing", "dflt  ", "dflt"}, // trailing blanks of the default go
        {"Frame", "missing", nullptr, ""},
        {"Nowhere", "ver", "d", "d"},
        {"Other", "key", "", "value"},
        {"Frame", "; a comment inside", "d", "d"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(get(test.section, test.key, test.def), test.expected)
            << test.section << "/" << test.key;
    EXPECT_EQ(get("Frame", "ver", "d", "no-such-file.ini"), "d");
}

TEST_F(ProfileTest, TruncationRules) {
    // The caller grows its buffer until result + 1 < size, so the results must be exact.
    struct Case {
        const char* section;
        const char* key;
        DWORD size;
        DWORD result;
        std::string contents; // the buffer up to the result, plus what ends it
    } cases[] = {
        {"Other", "key", 6, 5, std::string("value\0", 6)},
        {"Other", "key", 5, 4, std::string("valu\0", 5)},
        {"Other", "key", 2, 1, std::string("v\0", 2)},
        {"Other", "key", 1, 0, std::string("\0", 1)},
        {"Other", nullptr, 10, 4, std::string("key\0\0", 5)},
        {"Other", nullptr, 5, 4, std::string("key\0\0", 5)},
        {"Other", nullptr, 4, 2, std::string("ke\0\0", 4)},
        {nullptr, nullptr, 20, 12, std::string("Frame\0Other\0\0", 13)},
        {nullptr, nullptr, 13, 12, std::string("Frame\0Other\0\0", 13)},
        {nullptr, nullptr, 12, 10, std::string("Frame\0Othe\0\0", 12)},
        {nullptr, nullptr, 8, 6, std::string("Frame\0\0\0", 8)},
        {"Nowhere", nullptr, 8, 0, std::string("\0\0", 2)},
    };
    for (const auto& test : cases) {
        std::string buffer(64, '#');
        DWORD result = GetPrivateProfileStringA(test.section, test.key, "", buffer.data(),
                                                test.size, "frame.ini");
        EXPECT_EQ(result, test.result)
            << (test.section ? test.section : "(null)") << " " << test.size;
        EXPECT_EQ(buffer.substr(0, test.contents.size()), test.contents)
            << (test.section ? test.section : "(null)") << " " << test.size;
        EXPECT_EQ(buffer[test.size], '#'); // nothing written past the size given
    }
    // Key lists skip comments and blank lines.
    char keys[256];
    DWORD n = GetPrivateProfileStringA("Frame", nullptr, "", keys, sizeof keys, "frame.ini");
    const char expected[] = "ver\0Title\0upleft\0single\0stretch_mode\0empty\0";
    EXPECT_EQ(std::string(keys, n), std::string(expected, sizeof expected - 1));
}

TEST_F(ProfileTest, GrowingBufferReadsALongValueWhole) {
    std::string long_value(600, 'v');
    ASSERT_TRUE(WritePrivateProfileStringA("Big", "text", long_value.c_str(), "big.ini"));
    DWORD size = 512;
    std::string buffer;
    DWORD result = 0;
    for (;;) {
        buffer.assign(size + 1, 0);
        result = GetPrivateProfileStringA("Big", "text", "", buffer.data(), size, "big.ini");
        if (result + 1 < size)
            break;
        size += 512;
    }
    EXPECT_EQ(size, 1024u);
    EXPECT_EQ(buffer.substr(0, result), long_value);
}

TEST_F(ProfileTest, Integers) {
    EXPECT_EQ(GetPrivateProfileIntA("Frame", "stretch_mode", 7, "frame.ini"), 1u);
    EXPECT_EQ(GetPrivateProfileIntA("Frame", "ver", 7, "frame.ini"), 1u);
    EXPECT_EQ(GetPrivateProfileIntA("Frame", "Title", 7, "frame.ini"), 0u);
    EXPECT_EQ(GetPrivateProfileIntA("Frame", "empty", 7, "frame.ini"), 7u);
    EXPECT_EQ(GetPrivateProfileIntA("Frame", "missing", -1, "frame.ini"), static_cast<UINT>(-1));
    WritePrivateProfileStringA("N", "neg", "-42", "frame.ini");
    EXPECT_EQ(static_cast<INT>(GetPrivateProfileIntA("N", "neg", 0, "frame.ini")), -42);
}

TEST_F(ProfileTest, WritingKeepsEverythingElse) {
    ASSERT_TRUE(WritePrivateProfileStringA("frame", "VER", "2.0", "frame.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("Frame", "added", "yes", "frame.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("Other", "key", nullptr, "frame.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("New", "k", "v", "frame.ini"));
    EXPECT_EQ(read_file(drive_c() / "WINDOWS" / "frame.ini"), "; frame description\r\n"
                                                              "[Frame]\r\n"
                                                              "ver=2.0\r\n"
                                                              "Title=\"  Golden frame  \"\r\n"
                                                              "upleft=12 34\r\n"
                                                              "single='x'\r\n"
                                                              "; a comment inside\r\n"
                                                              "stretch_mode=1abc\r\n"
                                                              "empty=\r\n"
                                                              "added=yes\r\n"
                                                              "\r\n"
                                                              "[Other]\r\n"
                                                              "\r\n"
                                                              "[New]\r\n"
                                                              "k=v\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("Frame", nullptr, nullptr, "frame.ini"));
    EXPECT_EQ(read_file(drive_c() / "WINDOWS" / "frame.ini"), "; frame description\r\n"
                                                              "[Other]\r\n"
                                                              "\r\n"
                                                              "[New]\r\n"
                                                              "k=v\r\n");
}

TEST_F(ProfileTest, BareNamesLiveInTheWindowsFolder) {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string system_ini = std::string(windows) + "\\SYSTEM.INI";
    ASSERT_TRUE(WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", "C:\\WINDOWS\\SYSTEM32\\A.SCR",
                                           system_ini.c_str()));
    EXPECT_EQ(read_file(drive_c() / "WINDOWS" / "SYSTEM.INI"),
              "[boot]\r\nSCRNSAVE.EXE=C:\\WINDOWS\\SYSTEM32\\A.SCR\r\n");
    EXPECT_EQ(get("Boot", "scrnsave.exe", "", "system.ini"), "C:\\WINDOWS\\SYSTEM32\\A.SCR");
    ASSERT_TRUE(WriteProfileStringA("Desktop", "Wallpaper", "none"));
    char text[32];
    EXPECT_EQ(GetProfileStringA("desktop", "wallpaper", "", text, sizeof text), 4u);
    EXPECT_TRUE(std::filesystem::exists(drive_c() / "WINDOWS" / "WIN.INI"));
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", "C:\\No Folder\\x.ini"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(ProfileTest, Sections) {
    char buffer[256];
    DWORD n = GetPrivateProfileSectionA("other", buffer, sizeof buffer, "frame.ini");
    EXPECT_EQ(std::string(buffer, n + 1), std::string("key=value\0\0", 11));
    const char lines[] = "a=1\0b=2\0";
    ASSERT_TRUE(WritePrivateProfileSectionA("Other", lines, "frame.ini"));
    n = GetPrivateProfileSectionA("Other", buffer, sizeof buffer, "frame.ini");
    EXPECT_EQ(std::string(buffer, n), std::string("a=1\0b=2\0", 8));
    EXPECT_EQ(GetPrivateProfileSectionA("Other", buffer, 6, "frame.ini"), 4u);
}

// A write reads the whole file first: one that is there but cannot be read fails the write,
// rather than being replaced by a file that holds the new key alone.
TEST_F(ProfileTest, AFileThatCannotBeReadIsNotReplaced) {
    namespace fs = std::filesystem;
    const fs::path secret = drive_c() / "WINDOWS" / "secret.ini";
    write_file(secret, "[Keep]\r\nall=of this\r\n");
    fs::permissions(secret,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write);
    // Someone who may write where the file and the writers' lock lie, but not read the file.
    std::ofstream(root() / "profiles.lock").flush();
    for (const fs::path& open : {root(), drive_c() / "WINDOWS", root() / "profiles.lock"})
        fs::permissions(open, fs::perms::all, fs::perm_options::add);
    pid_t child = ::fork();
    if (child == 0) {
        // Permissions do not hold back the superuser: write as nobody.
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(9);
        ::_exit(WritePrivateProfileStringA("New", "k", "v", "secret.ini") ? 1 : 0);
    }
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write reported success";
    fs::permissions(secret, fs::perms::owner_read, fs::perm_options::add);
    EXPECT_EQ(read_file(secret), "[Keep]\r\nall=of this\r\n");
}

// Each write reads, changes and replaces the whole file: writers in other processes must take
// turns, or one replaces the file from a state that misses what another has just written.
TEST_F(ProfileTest, SixProcessesWritingOneFileLoseNothing) {
    constexpr int kWriters = 6;
    constexpr int kKeysEach = 60;
    std::vector<pid_t> children;
    for (int writer = 0; writer < kWriters; ++writer) {
        pid_t child = ::fork();
        if (child == 0) {
            for (int i = 0; i < kKeysEach; ++i) {
                std::string key = "w" + std::to_string(writer) + "k" + std::to_string(i);
                if (!WritePrivateProfileStringA("Shared", key.c_str(), std::to_string(i).c_str(),
                                                "shared.ini"))
                    ::_exit(1);
            }
            ::_exit(0);
        }
        ASSERT_GT(child, 0);
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a write reported failure";
    }
    int lost = 0;
    for (int writer = 0; writer < kWriters; ++writer) {
        for (int i = 0; i < kKeysEach; ++i) {
            std::string key = "w" + std::to_string(writer) + "k" + std::to_string(i);
            if (get("Shared", key.c_str(), "lost", "shared.ini") != std::to_string(i))
                ++lost;
        }
    }
    EXPECT_EQ(lost, 0) << "of " << kWriters * kKeysEach << " keys";
}

} // namespace
