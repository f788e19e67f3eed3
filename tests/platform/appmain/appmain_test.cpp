#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

struct Outcome {
    int exit_code;
    std::string command_line;
};

Outcome run_probe(const std::string& arguments, const std::string& answers = "") {
    lvtest::ScratchDir dir;
    const auto out = dir / "out.txt";
    std::string environment = "PROBE_OUT='" + out.string() + "' ";
    if (!answers.empty()) {
        std::ofstream(dir / "answers.txt") << answers;
        environment += "LUMIVISTA_ANSWERS='" + (dir / "answers.txt").string() + "' ";
    }
    const std::string command =
        environment + "'" LV_APPMAIN_PROBE "' " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    std::ifstream in(out);
    return {WEXITSTATUS(status), std::string(std::istreambuf_iterator<char>(in), {})};
}

TEST(AppMain, StartsTheApplicationObjectWithTheCommandLine) {
    const Outcome plain = run_probe("");
    EXPECT_EQ(plain.exit_code, 4);
    EXPECT_EQ(plain.command_line, "[]");

    const Outcome saver = run_probe("/p   1234");
    EXPECT_EQ(saver.exit_code, 4);
    EXPECT_EQ(saver.command_line, "[/p 1234]");

    const Outcome quoted = run_probe("'C:\\Program Files\\x.scr' /u");
    EXPECT_EQ(quoted.command_line, "[C:\\Program Files\\x.scr /u]");
}

TEST(AppMain, FailedInitInstanceGivesTheExitInstanceCode) {
    const Outcome failed = run_probe("fail now");
    EXPECT_EQ(failed.exit_code, 3);
    EXPECT_EQ(failed.command_line, "[fail now]");
}

TEST(AppMain, AnswerScriptAnswersTheRunningProgram) {
    EXPECT_EQ(run_probe("ask", "No\n").exit_code, 7);     // IDNO
    EXPECT_EQ(run_probe("ask", "cancel\n").exit_code, 2); // IDCANCEL
    EXPECT_EQ(run_probe("ask").exit_code, 6);             // the default button: IDYES
}

} // namespace
