#include "layer_root_fixture.h"
#include "win32/win32.h"

#include <fstream>
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

} // namespace
