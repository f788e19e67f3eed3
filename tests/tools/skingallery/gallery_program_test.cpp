// The skin gallery as a program: its controls dialog alone (--dialog), answered through the
// answer script, shows and ends; a skin file that is no skin, or an unknown argument, ends it
// with a message.
#include "tests/support/process_runner.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

namespace fs = std::filesystem;

class GalleryProgram : public ::testing::Test {
protected:
    lvtest::ProcessResult Run(const std::vector<std::string>& args,
                              const std::vector<std::string>& answers) {
        std::ofstream script(scratch / "answers.txt");
        for (const std::string& answer : answers)
            script << answer << "\n";
        script.close();
        return lvtest::RunProgram(LV_SKINGALLERY, args,
                                  {{"LUMIVISTA_ROOT", (scratch / "root").string()},
                                   {"LUMIVISTA_ANSWERS", (scratch / "answers.txt").string()}});
    }
    lvtest::ScratchDir scratch;
};

TEST_F(GalleryProgram, ShowsTheGalleryAndEndsWithTheAnswer) {
    for (const char* answer : {"OK", "Cancel"}) {
        const lvtest::ProcessResult run = Run({"--dialog"}, {answer});
        EXPECT_EQ(run.exitCode, 0) << answer << run.out << run.err;
        EXPECT_EQ(run.err.find("nobody can give"), std::string::npos) << run.err;
    }
    const lvtest::ProcessResult file = Run({"--dialog", "--skin", LV_FULL_SKIN_PATH}, {"OK"});
    EXPECT_EQ(file.exitCode, 0) << file.err;
}

TEST_F(GalleryProgram, RefusesWhatIsNoSkinAndUnknownArguments) {
    const fs::path junk = scratch / "junk.bin";
    std::ofstream(junk) << "GLAZEWORK? no";
    lvtest::ProcessResult run = Run({"--skin", junk.string()}, {"OK"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("is not a skin"), std::string::npos) << run.err;
    run = Run({"--wrong"}, {});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("usage"), std::string::npos) << run.err;
}

} // namespace
