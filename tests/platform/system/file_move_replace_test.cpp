#include "layer_root_fixture.h"
#include "win32/win32.h"

#include <fstream>
#include <functional>
#include <sstream>

namespace {

class MoveReplaceTest : public lvtest::LayerRootTest {
protected:
    std::string read_host(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

TEST_F(MoveReplaceTest, ReplacesAnExistingFileOnlyWhenAsked) {
    std::ofstream(drive_c() / "new.dat") << "new";
    std::ofstream(drive_c() / "old.dat") << "old";
    EXPECT_FALSE(MoveFileExA("C:\\new.dat", "C:\\old.dat", 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(read_host(drive_c() / "old.dat"), "old");

    EXPECT_TRUE(MoveFileExA("C:\\new.dat", "C:\\OLD.DAT",
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(read_host(drive_c() / "old.dat"), "new");
    EXPECT_FALSE(std::filesystem::exists(drive_c() / "new.dat"));
}

TEST_F(MoveReplaceTest, RefusesWhatItCannotDo) {
    std::ofstream(drive_c() / "a.dat") << "a";
    EXPECT_FALSE(MoveFileExA("C:\\a.dat", "C:\\WINDOWS", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(MoveFileExA("C:\\a.dat", "C:\\b.dat", MOVEFILE_COPY_ALLOWED));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(MoveFileExA("C:\\missing.dat", "C:\\a.dat", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(read_host(drive_c() / "a.dat"), "a");
}

// The read-only attribute is the owner's write permission: a file that carries it is neither
// deleted nor replaced, and keeps its content and its mode. Moving it to a free name is allowed,
// as the platform allows it.
TEST_F(MoveReplaceTest, AReadOnlyFileIsNeitherDeletedNorReplaced) {
    const auto readOnly = [&](const char* name) {
        return (GetFileAttributesA((std::string("C:\\") + name).c_str()) &
                FILE_ATTRIBUTE_READONLY) != 0;
    };
    std::ofstream(drive_c() / "theme.dat") << "theme";
    std::ofstream(drive_c() / "new.dat") << "new";
    ASSERT_TRUE(SetFileAttributesA("C:\\theme.dat", FILE_ATTRIBUTE_READONLY));

    const std::pair<const char*, std::function<BOOL()>> refused[] = {
        {"delete", [] { return DeleteFileA("C:\\theme.dat"); }},
        {"replace",
         [] { return MoveFileExA("C:\\new.dat", "C:\\theme.dat", MOVEFILE_REPLACE_EXISTING); }},
        {"replace durably",
         [] {
             return MoveFileExA("C:\\new.dat", "C:\\THEME.DAT",
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
         }},
    };
    for (const auto& [what, call] : refused) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(call());
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
        EXPECT_EQ(read_host(drive_c() / "theme.dat"), "theme");
        EXPECT_TRUE(readOnly("theme.dat"));
        EXPECT_EQ(read_host(drive_c() / "new.dat"), "new");
    }

    EXPECT_TRUE(MoveFileExA("C:\\theme.dat", "C:\\kept.dat", MOVEFILE_REPLACE_EXISTING));
    EXPECT_TRUE(readOnly("kept.dat"));
    ASSERT_TRUE(SetFileAttributesA("C:\\kept.dat", FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(MoveFileExA("C:\\new.dat", "C:\\kept.dat", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(read_host(drive_c() / "kept.dat"), "new");
    EXPECT_TRUE(DeleteFileA("C:\\kept.dat"));
}

} // namespace
