// Starting programs: the real executable behind a Windows path, with the parameters as its one
// argument, never through a shell. Each start forks twice so that the program is reaped by the
// system, not left behind as a zombie of ours.
#include "system/paths.h"
#include "win32/files.h"
#include "win32/process_id.h"
#include "win32/system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <vector>

namespace {

struct Launch {
    std::string program;   // host path
    std::string argument;  // empty: none
    std::string directory; // host path, empty: the current one
};

bool ends_with_ignoring_case(const std::string& text, const char* tail) {
    std::size_t n = std::strlen(tail);
    return text.size() >= n && lv::equal_ignoring_case(text.substr(text.size() - n), tail);
}

bool has_folder(const std::string& name) {
    return name.find_first_of("\\/:") != std::string::npos;
}

std::string base_name(const std::string& path) {
    auto sep = path.find_last_of("\\/");
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

bool is_host_file(const std::string& host) {
    struct stat info {};
    return !host.empty() && ::stat(host.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// A bare name is looked for where the platform looks: the current folder, then the system and
// Windows folders.
std::string find_program(const std::string& name) {
    if (has_folder(name))
        return lv::to_host_path(name);
    for (const char* folder : {".\\", "C:\\WINDOWS\\system32\\", "C:\\WINDOWS\\"}) {
        std::string host = lv::to_host_path(folder + name);
        if (is_host_file(host))
            return host;
    }
    return {};
}

// Programs and the control panel's pieces that have no counterpart here.
bool is_control_panel(const std::string& file, const std::string& parameters) {
    std::string name = lv::to_lower_ascii(base_name(file));
    if (ends_with_ignoring_case(name, ".cpl") || name == "control.exe" || name == "control")
        return true;
    bool runs_dll = name == "rundll32.exe" || name == "rundll32";
    return runs_dll && !is_host_file(find_program(file));
}

bool is_url(const std::string& file) {
    std::string lower = lv::to_lower_ascii(file);
    return lower.find("://") != std::string::npos || lower.rfind("mailto:", 0) == 0 ||
           lower.rfind("www.", 0) == 0;
}

bool looks_like_program(const std::string& name) {
    return lv::is_program_name(name) || ends_with_ignoring_case(name, ".com") ||
           ends_with_ignoring_case(name, ".bat");
}

// Returns 0 when the program runs, else the errno that stopped it.
int spawn_detached(const Launch& launch) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(launch.program.c_str()));
    if (!launch.argument.empty())
        argv.push_back(const_cast<char*>(launch.argument.c_str()));
    argv.push_back(nullptr);

    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return errno;
    std::fflush(nullptr);
    pid_t middle = ::fork();
    if (middle < 0) {
        int error = errno;
        ::close(report[0]);
        ::close(report[1]);
        return error;
    }
    if (middle == 0) {
        // Only async-signal-safe calls from here on.
        pid_t program = ::fork();
        if (program == 0) {
            int error = 0;
            if (!launch.directory.empty() && ::chdir(launch.directory.c_str()) != 0)
                error = errno;
            if (error == 0) {
                ::execv(argv[0], argv.data());
                error = errno;
            }
            ssize_t ignored = ::write(report[1], &error, sizeof error);
            (void)ignored;
            ::_exit(127);
        }
        ::_exit(program < 0 ? 1 : 0);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got = 0;
    do
        got = ::read(report[0], &error, sizeof error);
    while (got < 0 && errno == EINTR);
    ::close(report[0]);
    if (got == sizeof error)
        return error; // exec failed and said why
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return EAGAIN;
    return 0; // the pipe closed on a successful exec
}

HINSTANCE shell_result(int code) {
    return reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(code));
}

int shell_error_of(int error) {
    switch (error) {
    case ENOENT:
        return SE_ERR_FNF;
    case ENOTDIR:
        return SE_ERR_PNF;
    case EACCES:
    case EPERM:
        return SE_ERR_ACCESSDENIED;
    case ENOEXEC:
        return ERROR_BAD_FORMAT;
    case ENOMEM:
        return SE_ERR_OOM;
    default:
        return SE_ERR_ACCESSDENIED;
    }
}

// Checks the program path; 0 when it can be started.
int check_program(const std::string& windows_name, const std::string& host) {
    if (host.empty())
        return SE_ERR_FNF;
    struct stat info {};
    if (::stat(host.c_str(), &info) != 0) {
        auto slash = host.find_last_of('/');
        std::string parent = slash == 0 ? "/" : host.substr(0, slash);
        struct stat folder {};
        bool folder_exists = ::stat(parent.c_str(), &folder) == 0 && S_ISDIR(folder.st_mode);
        return folder_exists ? SE_ERR_FNF : SE_ERR_PNF;
    }
    if (S_ISDIR(info.st_mode) || !looks_like_program(windows_name))
        return SE_ERR_NOASSOC; // folders and documents open in programs we do not have
    if (::access(host.c_str(), X_OK) != 0)
        return SE_ERR_ACCESSDENIED;
    return 0;
}

} // namespace

HINSTANCE ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                        LPCSTR directory, INT show_command) {
    if (!file || !*file)
        return shell_result(SE_ERR_FNF);
    std::string name = file;
    std::string args = parameters ? parameters : "";
    if (operation && *operation && !lv::equal_ignoring_case(operation, "open"))
        return shell_result(SE_ERR_NOASSOC);
    if (is_url(name) || is_control_panel(name, args))
        return shell_result(SE_ERR_NOASSOC);
    Launch launch;
    launch.program = find_program(name);
    if (int error = check_program(name, launch.program))
        return shell_result(error);
    launch.argument = args;
    if (directory && *directory) {
        launch.directory = lv::to_host_path(directory);
        if (launch.directory.empty())
            return shell_result(SE_ERR_PNF);
    }
    if (int error = spawn_detached(launch))
        return shell_result(shell_error_of(error));
    return shell_result(42);
}

UINT WinExec(LPCSTR command_line, UINT show_command) {
    if (!command_line)
        return ERROR_FILE_NOT_FOUND;
    std::string line = command_line;
    std::string program, rest;
    if (!line.empty() && line[0] == '"') {
        auto close = line.find('"', 1);
        program = line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        rest = close == std::string::npos ? std::string() : line.substr(close + 1);
    } else {
        // An unquoted name with spaces: the shortest prefix that names a file, as the platform
        // tries them.
        std::size_t space = line.find(' ');
        program = line.substr(0, space);
        rest = space == std::string::npos ? std::string() : line.substr(space);
        while (space != std::string::npos && !is_host_file(find_program(program))) {
            std::size_t next = line.find(' ', space + 1);
            std::string candidate = line.substr(0, next);
            if (is_host_file(find_program(candidate))) {
                program = candidate;
                rest = next == std::string::npos ? std::string() : line.substr(next);
                break;
            }
            space = next;
        }
    }
    auto first = rest.find_first_not_of(' ');
    rest = first == std::string::npos ? std::string() : rest.substr(first);
    Launch launch;
    launch.program = find_program(program);
    launch.argument = rest;
    int check = check_program(program, launch.program);
    if (check == SE_ERR_FNF || check == SE_ERR_PNF)
        return static_cast<UINT>(check == SE_ERR_FNF ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
    if (check != 0)
        return static_cast<UINT>(ERROR_BAD_FORMAT);
    if (int error = spawn_detached(launch))
        return static_cast<UINT>(error == ENOENT ? ERROR_FILE_NOT_FOUND : ERROR_BAD_FORMAT);
    return 33;
}

LPSTR GetCommandLineA() {
    static std::string* line = [] {
        auto* text = new std::string;
        char program[MAX_PATH];
        DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
        *text = "\"" + std::string(program, length) + "\"";
        FILE* cmdline = std::fopen("/proc/self/cmdline", "rb");
        if (!cmdline)
            return text;
        std::string all;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, cmdline)) > 0;)
            all.append(buffer, n);
        std::fclose(cmdline);
        std::size_t start = all.find('\0'); // skip the program's own name
        while (start != std::string::npos && start + 1 < all.size()) {
            std::size_t end = all.find('\0', start + 1);
            *text += " " + all.substr(start + 1, end == std::string::npos ? std::string::npos
                                                                          : end - start - 1);
            start = end;
        }
        return text;
    }();
    return line->data();
}

DWORD GetCurrentProcessId() {
    return static_cast<DWORD>(::getpid());
}

void ExitProcess(UINT exit_code) {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    ::_exit(static_cast<int>(exit_code)); // no static destructors, as the platform ends a process
}
