// Handles on other processes: what the kernel's /proc tells of a process, read afresh for each
// question. A handle remembers the process's start (in clock ticks since boot), so that a later
// process given the same id is never taken for it.
#include "system/file_times.h"
#include "system/handle_table.h"
#include "system/host_errors.h"
#include "win32/process_id.h"
#include "win32/system.h"
#include "win32/threads.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct ProcessStat {
    char state = '?';
    std::uint64_t userTicks = 0;
    std::uint64_t kernelTicks = 0;
    std::uint64_t startTicks = 0;  // since boot
    std::optional<int> exitStatus; // as waitpid reports it, when the kernel shows it
};

// The fields of /proc/<pid>/stat; the command name, in parentheses, may hold blanks and
// parentheses of its own, so the fields are counted from the last ')'.
std::optional<ProcessStat> read_stat(DWORD pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    if (!in)
        return std::nullopt;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');
    if (close == std::string::npos)
        return std::nullopt;
    std::istringstream rest(text.substr(close + 1));
    // proc(5) numbers the fields from 1: index = number - 1.
    std::vector<std::string> fields{"pid", "comm"};
    for (std::string field; rest >> field;)
        fields.push_back(field);
    constexpr std::size_t kState = 2, kUser = 13, kKernel = 14, kStart = 21, kExit = 51;
    if (fields.size() <= kStart)
        return std::nullopt;
    ProcessStat stat;
    stat.state = fields[kState].empty() ? '?' : fields[kState][0];
    stat.userTicks = std::stoull(fields[kUser]);
    stat.kernelTicks = std::stoull(fields[kKernel]);
    stat.startTicks = std::stoull(fields[kStart]);
    if (fields.size() > kExit)
        stat.exitStatus = std::stoi(fields[kExit]);
    return stat;
}

bool has_ended(const ProcessStat& stat) {
    return stat.state == 'Z' || stat.state == 'X' || stat.state == 'x';
}

// Seconds since 1970 at boot, as the kernel counts it.
std::optional<std::int64_t> boot_time() {
    std::ifstream in("/proc/stat");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("btime ", 0) == 0)
            return std::stoll(line.substr(6));
    return std::nullopt;
}

std::uint64_t ticks_per_second() {
    const long ticks = ::sysconf(_SC_CLK_TCK);
    return ticks > 0 ? static_cast<std::uint64_t>(ticks) : 100;
}

// Clock ticks as the platform's 100 ns units.
std::uint64_t as_filetime_units(std::uint64_t ticks) {
    const std::uint64_t perSecond = ticks_per_second();
    return ticks / perSecond * lv::kTicksPerSecond +
           ticks % perSecond * lv::kTicksPerSecond / perSecond;
}

class ProcessObject : public lv::KernelObject {
public:
    ProcessObject(DWORD pid, std::uint64_t startTicks) : m_pid(pid), m_start_ticks(startTicks) {}

    // The process's stat while the id still names it.
    std::optional<ProcessStat> stat() const {
        std::optional<ProcessStat> now = read_stat(m_pid);
        if (!now || now->startTicks != m_start_ticks)
            return std::nullopt;
        return now;
    }
    std::uint64_t start_ticks() const { return m_start_ticks; }

private:
    DWORD m_pid;
    std::uint64_t m_start_ticks;
};

} // namespace

HANDLE OpenProcess(DWORD desiredAccess, BOOL, DWORD processId) {
    constexpr DWORD served = PROCESS_QUERY_INFORMATION | PROCESS_QUERY_LIMITED_INFORMATION;
    if ((desiredAccess & ~served) != 0 || desiredAccess == 0) {
        lv::fail_with(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    const std::optional<ProcessStat> stat = processId == 0 ? std::nullopt : read_stat(processId);
    if (!stat) {
        lv::fail_with(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return lv::insert_handle(std::make_shared<ProcessObject>(processId, stat->startTicks));
}

BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode) {
    const auto object = lv::find_handle_of<ProcessObject>(process);
    if (!object || !exitCode)
        return lv::fail_with(object ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    const std::optional<ProcessStat> stat = object->stat();
    if (stat && !has_ended(*stat)) {
        *exitCode = STILL_ACTIVE;
        return TRUE;
    }
    if (!stat || !stat->exitStatus)
        return lv::fail_with(ERROR_CALL_NOT_IMPLEMENTED);
    const int status = *stat->exitStatus;
    *exitCode = WIFSIGNALED(status) ? 128 + static_cast<DWORD>(WTERMSIG(status))
                                    : static_cast<DWORD>(WEXITSTATUS(status));
    return TRUE;
}

BOOL GetProcessTimes(HANDLE process, FILETIME* creationTime, FILETIME* exitTime,
                     FILETIME* kernelTime, FILETIME* userTime) {
    const auto object = lv::find_handle_of<ProcessObject>(process);
    if (!object)
        return lv::fail_with(ERROR_INVALID_HANDLE);
    if (!creationTime || !exitTime || !kernelTime || !userTime)
        return lv::fail_with(ERROR_INVALID_PARAMETER);
    const std::optional<std::int64_t> boot = boot_time();
    if (!boot)
        return lv::fail_with(ERROR_NOT_SUPPORTED);
    const std::optional<ProcessStat> stat = object->stat();
    if (!stat)
        return lv::fail_with(ERROR_CALL_NOT_IMPLEMENTED); // collected: its times are gone
    *creationTime =
        lv::to_filetime(lv::filetime_ticks(*boot, 0) + as_filetime_units(object->start_ticks()));
    *exitTime = FILETIME{};
    *kernelTime = lv::to_filetime(as_filetime_units(stat->kernelTicks));
    *userTime = lv::to_filetime(as_filetime_units(stat->userTicks));
    return TRUE;
}
