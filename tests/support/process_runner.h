// Runs one of our programs as a child process, as an end-to-end test does: its own
// environment, its output captured, its exit code returned.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace lvtest {

struct ProcessResult {
    int exitCode = -1; // -1 when the program could not be started or was killed
    std::string out;
    std::string err;
};

// `env` entries are added to (or replace those of) the test's own environment.
ProcessResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env = {},
                         int timeoutSeconds = 60);

// As RunProgram, and the program is killed (SIGKILL, exit code -1) as soon as `killWhen` holds;
// it is asked while the program runs, every few milliseconds.
ProcessResult RunProgramUntil(const std::filesystem::path& program,
                              const std::vector<std::string>& args,
                              const std::map<std::string, std::string>& env,
                              const std::function<bool()>& killWhen, int timeoutSeconds = 60);

// Waits until `done()` holds, as something another process does comes about; the deadline
// is generous (a loaded machine runs sanitized programs slowly), a guard, not the expectation.
bool WaitUntil(const std::function<bool()>& done, int timeoutSeconds = 60);
// Waits until `path` exists (a program started in the background writes it).
bool WaitForFile(const std::filesystem::path& path, int timeoutSeconds = 60);

std::string ReadFileText(const std::filesystem::path& path);
std::vector<unsigned char> ReadFileBytes(const std::filesystem::path& path);
// Whether the two files hold the same bytes; a failure names the first offset that differs
// rather than printing megabytes.
::testing::AssertionResult SameFileBytes(const std::filesystem::path& actual,
                                         const std::filesystem::path& expected);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);

} // namespace lvtest
