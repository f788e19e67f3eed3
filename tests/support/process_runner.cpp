#include "tests/support/process_runner.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sys/inotify.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace lvtest {

namespace {

std::vector<std::string> MergedEnvironment(const std::map<std::string, std::string>& extra) {
    std::map<std::string, std::string> all;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        auto eq = entry.find('=');
        if (eq != std::string::npos)
            all[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    for (const auto& [k, v] : extra)
        all[k] = v;
    std::vector<std::string> out;
    for (const auto& [k, v] : all)
        out.push_back(k + "=" + v);
    return out;
}

} // namespace

ProcessResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env, int timeoutSeconds) {
    return RunProgramUntil(program, args, env, {}, timeoutSeconds);
}

ProcessResult RunProgramUntil(const std::filesystem::path& program,
                              const std::vector<std::string>& args,
                              const std::map<std::string, std::string>& env,
                              const std::function<bool()>& killWhen, int timeoutSeconds) {
    constexpr int kAskEveryMs = 10;
    ProcessResult result;
    int outPipe[2], errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    posix_spawn_file_actions_addclose(&actions, outPipe[0]);
    posix_spawn_file_actions_addclose(&actions, errPipe[0]);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);

    std::vector<std::string> argStrings{program.string()};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStrings = MergedEnvironment(env);
    std::vector<char*> envp;
    for (std::string& e : envStrings)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    pid_t pid = 0;
    int rc = posix_spawn(&pid, argStrings[0].c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    if (rc != 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        return result;
    }

    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    bool killed = false;
    while (open > 0) {
        int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        deadline - std::chrono::steady_clock::now())
                                        .count());
        if (left <= 0 || (killWhen && killWhen())) {
            kill(pid, SIGKILL);
            killed = true;
            break;
        }
        if (poll(fds, 2, killWhen ? std::min(left, kAskEveryMs) : left) <= 0)
            continue;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            char buf[4096];
            ssize_t n = read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                sinks[i]->append(buf, static_cast<std::size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (pollfd& f : fds) {
        if (f.fd >= 0)
            close(f.fd);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!killed && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    return result;
}

bool WaitUntil(const std::function<bool()>& done, int timeoutSeconds) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

bool WaitForFile(const std::filesystem::path& path, int timeoutSeconds) {
    // The folder tells of each name that comes into it (made, moved in, written and closed),
    // so the wait ends with the file's arrival; the folder itself must exist to be watched.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    const int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (watch < 0)
        return std::filesystem::exists(path);
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const bool watching =
        inotify_add_watch(watch, folder.c_str(), IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE) >= 0;
    bool found = false;
    for (;;) {
        if ((found = std::filesystem::exists(path)))
            break;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        // A folder not there yet cannot be watched: it is looked for again now and then.
        pollfd ready{watch, POLLIN, 0};
        poll(&ready, 1, watching ? static_cast<int>(left.count()) : 50);
        char events[4096];
        while (read(watch, events, sizeof events) > 0) {
        }
    }
    close(watch);
    return found;
}

namespace {

// The whole file in one read: the programs compared here are megabytes long.
template <typename Container> Container ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return {};
    Container out(static_cast<std::size_t>(in.tellg()), {});
    in.seekg(0);
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
    out.resize(static_cast<std::size_t>(in.gcount()));
    return out;
}

} // namespace

std::string ReadFileText(const std::filesystem::path& path) {
    return ReadWhole<std::string>(path);
}

std::vector<unsigned char> ReadFileBytes(const std::filesystem::path& path) {
    return ReadWhole<std::vector<unsigned char>>(path);
}

::testing::AssertionResult SameFileBytes(const std::filesystem::path& actual,
                                         const std::filesystem::path& expected) {
    const std::vector<unsigned char> a = ReadFileBytes(actual), e = ReadFileBytes(expected);
    const auto [at, _] = std::mismatch(a.begin(), a.end(), e.begin(), e.end());
    if (a.size() == e.size() && at == a.end())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << actual << " (" << a.size() << " bytes) differs from " << expected << " (" << e.size()
           << " bytes) from offset " << (at - a.begin());
}

void WriteFileBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

} // namespace lvtest
