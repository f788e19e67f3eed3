#include "layer_root_fixture.h"
#include "tests/support/process_runner.h"
#include "win32/win32.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

// A program that records how it was started: argument count, first argument, folder.
const char* kRecorder = "#!/bin/sh\n"
                        "printf '%s|%s|%s' \"$#\" \"$1\" \"$(pwd)\" > \"$0.out.tmp\"\n"
                        "mv \"$0.out.tmp\" \"$0.out\"\n";

class ProcessesTest : public lvtest::LayerRootTest {
protected:
    void SetUp() override {
        LayerRootTest::SetUp();
        ASSERT_TRUE(CreateDirectoryA("C:\\Program Files\\Rec", nullptr));
        HANDLE file = CreateFileA(kProgram, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, kRecorder, static_cast<DWORD>(std::strlen(kRecorder)), &written, nullptr);
        CloseHandle(file);
    }

    std::string wait_for_record() {
        auto out = drive_c() / "Program Files" / "Rec" / "record.exe.out";
        // The recorder moves its record into place whole; the deadline is a guard.
        EXPECT_TRUE(lvtest::WaitForFile(out)) << "the program never ran";
        std::ifstream in(out);
        std::stringstream text;
        text << in.rdbuf();
        std::filesystem::remove(out);
        return text.str();
    }

    static INT_PTR shell(const char* file, const char* parameters = nullptr,
                         const char* operation = nullptr, const char* directory = nullptr) {
        return reinterpret_cast<INT_PTR>(
            ShellExecuteA(nullptr, operation, file, parameters, directory, SW_SHOW));
    }

    static constexpr const char* kProgram = "C:\\Program Files\\Rec\\record.exe";
};

TEST_F(ProcessesTest, ParametersArriveAsOneArgument) {
    const char* parameters[] = {
        "C:\\WINDOWS\\system32\\Amber Tides.scr",
        "  two  spaces \"quoted\" 'single' $(touch hacked) `x` ; | & > <",
    };
    for (const char* text : parameters) {
        ASSERT_GT(shell(kProgram, text), 32);
        EXPECT_EQ(wait_for_record(), "1|" + std::string(text) + "|" + work().string());
    }
    EXPECT_FALSE(std::filesystem::exists(work() / "hacked"));
    ASSERT_GT(shell("c:\\program files\\rec\\RECORD.EXE", nullptr, "open"), 32);
    EXPECT_EQ(wait_for_record(), "0||" + work().string());
    ASSERT_GT(shell(kProgram, "", nullptr, "C:\\WINDOWS"), 32);
    EXPECT_EQ(wait_for_record(), "0||" + (drive_c() / "WINDOWS").string());
}

TEST_F(ProcessesTest, WhatCannotBeStartedAnswersThePlatformsError) {
    std::ofstream(drive_c() / "notes.txt") << "text";
    std::ofstream(drive_c() / "plain.exe") << "#!/bin/sh\n"; // not executable
    HANDLE file = CreateFileA("C:\\bad.exe", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "MZ\x90\0\3\0\0\0", 8, &written, nullptr); // a program of another platform
    CloseHandle(file);
    struct Case {
        const char* file;
        const char* parameters;
        const char* operation;
        INT_PTR result;
    } cases[] = {
        {"C:\\Program Files\\Rec\\missing.exe", nullptr, nullptr, SE_ERR_FNF},
        {"C:\\No Folder\\missing.exe", nullptr, nullptr, SE_ERR_PNF},
        {"missing.exe", nullptr, nullptr, SE_ERR_FNF},
        {"http://www.example.invalid/", nullptr, nullptr, SE_ERR_NOASSOC},
        {"rundll32.exe", "shell32.dll,Control_RunDLL desk.cpl,@0,1", nullptr, SE_ERR_NOASSOC},
        {"PASSWORD.CPL", nullptr, nullptr, SE_ERR_NOASSOC},
        {"C:\\notes.txt", nullptr, nullptr, SE_ERR_NOASSOC},
        {"C:\\WINDOWS", nullptr, nullptr, SE_ERR_NOASSOC},
        {kProgram, nullptr, "print", SE_ERR_NOASSOC},
        {"C:\\plain.exe", nullptr, nullptr, SE_ERR_ACCESSDENIED},
        {"C:\\bad.exe", nullptr, nullptr, ERROR_BAD_FORMAT},
    };
    for (const auto& test : cases)
        EXPECT_EQ(shell(test.file, test.parameters, test.operation), test.result) << test.file;
}

TEST_F(ProcessesTest, StartedProgramsLeaveNoZombies) {
    for (int i = 0; i < 3; ++i) {
        ASSERT_GT(shell(kProgram, "x"), 32);
        wait_for_record();
    }
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST_F(ProcessesTest, WinExecSplitsProgramFromItsArgument) {
    EXPECT_GT(WinExec("\"C:\\Program Files\\Rec\\record.exe\" a  b", SW_SHOW), 31u);
    EXPECT_EQ(wait_for_record(), "1|a  b|" + work().string());
    EXPECT_GT(WinExec("C:\\Program Files\\Rec\\record.exe /u now", SW_SHOW), 31u);
    EXPECT_EQ(wait_for_record(), "1|/u now|" + work().string());
    EXPECT_EQ(WinExec("C:\\Nowhere\\x.exe", SW_SHOW), static_cast<UINT>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(WinExec("nothing.exe arg", SW_SHOW), static_cast<UINT>(ERROR_FILE_NOT_FOUND));
}

TEST(CommandLine, StartsWithTheQuotedProgramPath) {
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, sizeof program);
    std::string line = GetCommandLineA();
    EXPECT_EQ(line.rfind("\"" + std::string(program) + "\"", 0), 0u);
    EXPECT_EQ(GetCommandLineA(), GetCommandLineA());
}

TEST(ExitProcess, FlushesOutputAndSkipsExitHandlers) {
    int pipe_fds[2];
    ASSERT_EQ(::pipe(pipe_fds), 0);
    pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipe_fds[1], 1);
        std::atexit([] { std::fputs("atexit", stdout); });
        std::fputs("buffered", stdout);
        ExitProcess(7);
    }
    ::close(pipe_fds[1]);
    std::string output;
    char buffer[64];
    for (ssize_t n; (n = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(n));
    ::close(pipe_fds[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 7);
    EXPECT_EQ(output, "buffered");
}

} // namespace
