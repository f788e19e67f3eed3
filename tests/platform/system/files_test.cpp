#include "layer_root_fixture.h"
#include "win32/file_locks.h"
#include "win32/win32.h"

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>

namespace {

class FilesTest : public lvtest::LayerRootTest {
protected:
    std::string read_host(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static bool executable(const std::filesystem::path& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IXUSR);
    }
};

TEST_F(FilesTest, CreateWriteSeekReadRoundTrip) {
    HANDLE file = CreateFileA("C:\\WINDOWS\\data.bin", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, "hello world", 11, &written, nullptr));
    EXPECT_EQ(written, 11u);
    EXPECT_EQ(GetFileSize(file, nullptr), 11u);
    EXPECT_EQ(SetFilePointer(file, -5, nullptr, FILE_END), 6u);
    char buffer[16] = {};
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(read, 5u);
    EXPECT_STREQ(buffer, "world");
    // Reading at the end succeeds with nothing read.
    ASSERT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(SetFilePointer(file, -1, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
    EXPECT_EQ(SetFilePointer(file, 5, nullptr, FILE_BEGIN), 5u);
    ASSERT_TRUE(SetEndOfFile(file));
    EXPECT_EQ(GetFileSize(file, nullptr), 5u);
    EXPECT_TRUE(FlushFileBuffers(file));
    ASSERT_TRUE(CloseHandle(file));
    EXPECT_EQ(read_host(drive_c() / "WINDOWS" / "data.bin"), "hello");
}

TEST_F(FilesTest, StaleAndForeignHandlesFail) {
    HANDLE file = CreateFileA("C:\\x.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(CloseHandle(file));
    DWORD written = 0;
    EXPECT_FALSE(WriteFile(file, "x", 1, &written, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(CloseHandle(file));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    // A new file does not take over the closed handle's value.
    HANDLE again = CreateFileA("C:\\x.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(again, file);
    EXPECT_EQ(GetFileSize(INVALID_HANDLE_VALUE, nullptr), INVALID_FILE_SIZE);
    CloseHandle(again);
}

TEST_F(FilesTest, DispositionsAndTheirErrors) {
    struct Case {
        const char* path;
        DWORD disposition;
        bool opens;
        DWORD error;
    };
    std::ofstream(drive_c() / "exists.txt") << "old";
    const Case cases[] = {
        {"C:\\exists.txt", CREATE_NEW, false, ERROR_FILE_EXISTS},
        {"C:\\exists.txt", CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS},
        {"C:\\exists.txt", OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS},
        {"C:\\EXISTS.TXT", OPEN_EXISTING, true, ERROR_SUCCESS},
        {"C:\\missing.txt", OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND},
        {"C:\\missing.txt", TRUNCATE_EXISTING, false, ERROR_FILE_NOT_FOUND},
        {"C:\\no folder\\x.txt", OPEN_EXISTING, false, ERROR_PATH_NOT_FOUND},
        {"C:\\no folder\\x.txt", CREATE_ALWAYS, false, ERROR_PATH_NOT_FOUND},
        {"C:\\WINDOWS", OPEN_EXISTING, false, ERROR_ACCESS_DENIED},
        {"C:\\new.txt", OPEN_ALWAYS, true, ERROR_SUCCESS},
    };
    for (const auto& test : cases) {
        SetLastError(1234);
        HANDLE file = CreateFileA(test.path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  test.disposition, 0, nullptr);
        EXPECT_EQ(file != INVALID_HANDLE_VALUE, test.opens) << test.path << " " << test.disposition;
        EXPECT_EQ(GetLastError(), test.error) << test.path << " " << test.disposition;
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
}

TEST_F(FilesTest, HandlesKeepTheirAccess) {
    std::ofstream(drive_c() / "a.txt") << "abc";
    HANDLE reader = CreateFileA("C:\\a.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD n = 0;
    EXPECT_FALSE(WriteFile(reader, "x", 1, &n, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    CloseHandle(reader);
    HANDLE writer = CreateFileA("C:\\a.txt", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    char c = 0;
    EXPECT_FALSE(ReadFile(writer, &c, 1, &n, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    CloseHandle(writer);
}

TEST_F(FilesTest, OldStyleHandleCalls) {
    HFILE out = _lcreat("C:\\Program Files\\old.dat", 0);
    ASSERT_NE(out, HFILE_ERROR);
    EXPECT_EQ(_hwrite(out, "0123456789", 10), 10);
    EXPECT_EQ(_lwrite(out, "ab", 2), 2u);
    EXPECT_EQ(_lclose(out), 0);
    EXPECT_EQ(_lclose(out), HFILE_ERROR);

    HFILE in = _lopen("c:\\program files\\OLD.DAT", OF_READ);
    ASSERT_NE(in, HFILE_ERROR);
    EXPECT_EQ(_llseek(in, 0, 2), 12);
    EXPECT_EQ(_llseek(in, 8, 0), 8);
    char buffer[8] = {};
    EXPECT_EQ(_lread(in, buffer, sizeof buffer), 4u);
    EXPECT_EQ(std::string(buffer, 4), "89ab");
    EXPECT_EQ(_hwrite(in, "x", 1), HFILE_ERROR);
    EXPECT_EQ(_lclose(in), 0);
    EXPECT_EQ(_lopen("C:\\missing.dat", OF_READ), HFILE_ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(FilesTest, RunTimeCalls) {
    EXPECT_EQ(_access("C:\\WINDOWS", 0), 0);
    EXPECT_EQ(_access("c:\\windows\\SYSTEM32", 0), 0);
    EXPECT_EQ(_access("C:\\nothing.txt", 0), -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(_access("", 0), -1);
    EXPECT_EQ(_mkdir("C:\\made"), 0);
    EXPECT_TRUE(std::filesystem::is_directory(drive_c() / "made"));
    EXPECT_EQ(_mkdir("C:\\made"), -1);
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(_mkdir("C:\\no\\such\\parent"), -1);
    EXPECT_EQ(_rmdir("C:\\MADE"), 0);
    EXPECT_FALSE(std::filesystem::exists(drive_c() / "made"));
}

TEST_F(FilesTest, ProgramsAreCreatedExecutable) {
    HANDLE file = CreateFileA("C:\\a.exe", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    _lclose(_lcreat("C:\\b.SCR", 0));
    FILE* f = lv_fopen("C:\\c.exe", "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    _lclose(_lcreat("C:\\plain.txt", 0));
    std::ofstream(drive_c() / "source.bin") << "MZ";
    ASSERT_TRUE(CopyFileA("C:\\source.bin", "C:\\copy.scr", FALSE));
    EXPECT_TRUE(executable(drive_c() / "a.exe"));
    EXPECT_TRUE(executable(drive_c() / "b.SCR"));
    EXPECT_TRUE(executable(drive_c() / "c.exe"));
    EXPECT_TRUE(executable(drive_c() / "copy.scr"));
    EXPECT_FALSE(executable(drive_c() / "plain.txt"));
}

TEST_F(FilesTest, CopyFileHonoursFailIfExists) {
    std::ofstream(drive_c() / "src.txt") << "new";
    std::ofstream(drive_c() / "dst.txt") << "old";
    EXPECT_FALSE(CopyFileA("C:\\src.txt", "C:\\dst.txt", TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_EQ(read_host(drive_c() / "dst.txt"), "old");
    auto old_time = std::filesystem::file_time_type::clock::now() - std::chrono::hours(48);
    std::filesystem::last_write_time(drive_c() / "src.txt", old_time);
    EXPECT_TRUE(CopyFileA("C:\\SRC.TXT", "C:\\dst.txt", FALSE));
    EXPECT_EQ(read_host(drive_c() / "dst.txt"), "new");
    EXPECT_EQ(std::filesystem::last_write_time(drive_c() / "dst.txt"), old_time);
    EXPECT_FALSE(CopyFileA("C:\\none.txt", "C:\\dst.txt", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    // Onto itself (in another letter case): refused, and the data survives.
    EXPECT_FALSE(CopyFileA("C:\\src.txt", "C:\\SRC.txt", FALSE));
    EXPECT_EQ(read_host(drive_c() / "src.txt"), "new");
}

// A copy that runs out of room fails and leaves no piece of a file behind: no new target, and
// an old target as it was. The room is a small tmpfs where the test may mount one (in a mount
// namespace of its own), else a file-size limit; both only in a child process.
TEST_F(FilesTest, ACopyThatRunsOutOfRoomLeavesNoPartialTarget) {
    namespace fs = std::filesystem;
    const fs::path small = work() / "small";
    fs::create_directories(small);
    std::ofstream(drive_c() / "big.scr", std::ios::binary) << std::string(3 << 20, 's');
    const std::string target = lv::to_windows_path((small / "copy.scr").string());
    struct Case {
        const char* what;
        const char* old_target; // what stands at the target before, if anything
    } cases[] = {{"new target", nullptr}, {"old target", "the old saver"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pid_t child = ::fork();
        if (child == 0) {
            bool mounted = ::unshare(CLONE_NEWNS) == 0 &&
                           ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                           ::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=1m") == 0;
            if (!mounted) {
                ::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{1 << 20, 1 << 20};
                if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                    ::_exit(9);
            }
            if (c.old_target)
                std::ofstream(small / "copy.scr", std::ios::binary) << c.old_target;
            if (CopyFileA("C:\\big.scr", target.c_str(), FALSE))
                ::_exit(1);
            if (c.old_target ? read_host(small / "copy.scr") != c.old_target
                             : fs::exists(small / "copy.scr"))
                ::_exit(2);
            auto left = std::distance(fs::directory_iterator(small), fs::directory_iterator());
            ::_exit(left == (c.old_target ? 1 : 0) ? 0 : 3);
        }
        ASSERT_GT(child, 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0)
            << "1: the copy succeeded, 2: the target is not as it was, 3: a file was left behind";
        fs::remove_all(small);
        fs::create_directories(small);
    }
}

TEST_F(FilesTest, DeleteAndMove) {
    std::ofstream(drive_c() / "a.txt") << "a";
    std::ofstream(drive_c() / "b.txt") << "b";
    EXPECT_FALSE(MoveFileA("C:\\a.txt", "C:\\b.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(MoveFileA("C:\\a.txt", "C:\\WINDOWS\\moved.txt"));
    EXPECT_EQ(read_host(drive_c() / "WINDOWS" / "moved.txt"), "a");
    EXPECT_TRUE(MoveFileA("C:\\b.txt", "C:\\B.TXT")); // a change of case only
    EXPECT_TRUE(std::filesystem::exists(drive_c() / "B.TXT"));
    EXPECT_TRUE(DeleteFileA("c:\\b.txt"));
    EXPECT_FALSE(std::filesystem::exists(drive_c() / "B.TXT"));
    EXPECT_FALSE(DeleteFileA("C:\\b.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(DeleteFileA("C:\\WINDOWS"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

// A lock belongs to the handle that took it: another handle, of this process or of another,
// is refused at once, and the lock goes when its handle is closed or its process ends, even
// by a kill.
TEST_F(FilesTest, LockFileHoldsTheFileForItsHandleUntilItsCloseOrItsProcessEnds) {
    const auto open = [] {
        return CreateFileA("C:\\mark.lock", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    HANDLE first = open();
    HANDLE second = open();
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    ASSERT_NE(second, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(LockFile(first, 0, 0, 1, 0));
    EXPECT_FALSE(LockFile(second, 0, 0, 1, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_LOCK_VIOLATION));
    EXPECT_TRUE(LockFile(second, 1, 0, 1, 0)); // a range of its own
    EXPECT_FALSE(LockFile(second, 0, 0, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    ASSERT_TRUE(CloseHandle(first));
    EXPECT_TRUE(LockFile(second, 0, 0, 1, 0));
    ASSERT_TRUE(CloseHandle(second));

    // A read-only handle cannot keep others out.
    HANDLE reader = CreateFileA("C:\\mark.lock", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(LockFile(reader, 0, 0, 1, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    CloseHandle(reader);

    // Held by a child until it is killed.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        HANDLE held = open();
        const char byte = LockFile(held, 0, 0, 1, 0) ? 'y' : 'n';
        (void)!::write(ready[1], &byte, 1);
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ASSERT_EQ(byte, 'y');
    HANDLE mine = open();
    EXPECT_FALSE(LockFile(mine, 0, 0, 1, 0));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(LockFile(mine, 0, 0, 1, 0));
    CloseHandle(mine);
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST_F(FilesTest, FoldersAndAttributes) {
    EXPECT_TRUE(CreateDirectoryA("C:\\Program Files\\Amber Tides\\", nullptr));
    EXPECT_FALSE(CreateDirectoryA("C:\\program files\\amber tides", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryA("C:\\a\\b\\c", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    std::ofstream(drive_c() / "Program Files" / "Amber Tides" / "x.dat") << "x";
    EXPECT_EQ(GetFileAttributesA("C:\\Program Files\\Amber Tides"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA("C:\\Program Files\\Amber Tides\\X.DAT"), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_TRUE(
        SetFileAttributesA("C:\\Program Files\\Amber Tides\\X.DAT", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesA("C:\\Program Files\\Amber Tides\\X.DAT"),
              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(GetFileAttributesA("C:\\nothing"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA("C:\\nothing\\at all"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(RemoveDirectoryA("C:\\Program Files\\Amber Tides"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_TRUE(SetFileAttributesA("C:\\Program Files\\Amber Tides\\X.DAT", FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(DeleteFileA("C:\\Program Files\\Amber Tides\\x.dat"));
    EXPECT_TRUE(RemoveDirectoryA("C:\\Program Files\\Amber Tides"));
}

TEST_F(FilesTest, FopenTakesWindowsPaths) {
    FILE* out = lv_fopen("C:\\WINDOWS\\f.txt", "w");
    ASSERT_NE(out, nullptr);
    std::fputs("text", out);
    std::fclose(out);
    FILE* in = lv_fopen("c:/windows/F.TXT", "r");
    ASSERT_NE(in, nullptr);
    char buffer[8] = {};
    EXPECT_EQ(std::fread(buffer, 1, sizeof buffer, in), 4u);
    std::fclose(in);
    EXPECT_EQ(lv_fopen("C:\\none\\f.txt", "r"), nullptr);
}

} // namespace
