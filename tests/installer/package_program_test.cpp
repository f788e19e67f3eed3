// The stand-in installer packed by the build with the real saver and the sample theme,
// run as a program: it finds its own payload and writes both files byte for byte.
#include "system/paths.h"
#include "tests/installer/package_fixture.h"
#include "tests/support/process_runner.h"

#include <gtest/gtest.h>

#include <sstream>

namespace lvtest {
namespace {

namespace fs = std::filesystem;

const std::string kTitle = LV_THEME_TITLE;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class PackedProgramTest : public PackageTest {};

TEST_F(PackedProgramTest, ExtractsTheSaverThenTheThemeFile) {
    const ProcessResult run = RunProgram(LV_PACKED_STANDIN, {Target()});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;

    const fs::path folder = TargetHost() / kTitle;
    EXPECT_TRUE(SameFileBytes(folder / (kTitle + ".scr"), LV_LUMIVISTA));
    EXPECT_TRUE(SameFileBytes(folder / (kTitle + ".dat"), LV_SAMPLE_THEME_FILE));
    const auto perms = fs::status(folder / (kTitle + ".scr")).permissions();
    EXPECT_NE(perms & fs::perms::owner_exec, fs::perms::none);

    std::vector<std::string> marks;
    for (const std::string& line : Lines(run.out)) {
        if (line.rfind("progress ", 0) != 0)
            marks.push_back(line);
    }
    const std::string dir = kTitle + "\\";
    EXPECT_EQ(marks, (std::vector<std::string>{"start " + dir + kTitle + ".scr",
                                               "done " + dir + kTitle + ".scr",
                                               "start " + dir + kTitle + ".dat",
                                               "done " + dir + kTitle + ".dat", "result 1002"}));
}

TEST_F(PackedProgramTest, PackageIsTheProgramFollowedByItsPayload) {
    const Bytes packed = ReadFileBytes(LV_PACKED_STANDIN);
    const Bytes program = ReadFileBytes(LV_STANDIN);
    ASSERT_GT(packed.size(), program.size());
    EXPECT_TRUE(std::equal(program.begin(), program.end(), packed.begin()));
    // The first stream starts right after the image: a zlib header.
    EXPECT_EQ(packed[program.size()], 0x78);
    const std::string end(packed.end() - 14, packed.end());
    EXPECT_EQ(end, "0.10!MARIGOLD!");
    const auto perms = fs::status(LV_PACKED_STANDIN).permissions();
    EXPECT_EQ(perms & fs::perms::mask, fs::perms(0755));
}

TEST_F(PackedProgramTest, AProgramWithoutPayloadIsNoPackage) {
    const ProcessResult run = RunProgram(LV_STANDIN, {Target()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "result 1001\n");
    EXPECT_TRUE(fs::is_empty(TargetHost()));
}

} // namespace
} // namespace lvtest
