#include "installer/staging_claim.h"

#include "installer/install_steps.h"
#include "win32/process_id.h"
#include "win32/win32.h"

#include <charconv>

namespace {

constexpr char kClaimWord[] = "installer";
constexpr DWORD kLongestClaim = 64;

std::uint64_t FiletimeValue(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The claim's text; nothing when there is no claim file. `readable` is false for a claim that
// stands there but cannot be read.
std::optional<std::string> ReadClaim(const std::string& path, bool& readable) {
    readable = true;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return std::nullopt;
        readable = false;
        return std::string();
    }
    char buffer[kLongestClaim + 1] = {};
    DWORD got = 0;
    readable = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != FALSE;
    CloseHandle(file);
    return std::string(buffer, got);
}

// Writes the claim; CREATE_NEW keeps a claim that another installer made a moment ago.
StagingClaim WriteClaim(const std::string& path, const ClaimOwner& owner) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? StagingClaim::InUse
                                                                           : StagingClaim::Failed;
    }
    const std::string text = FormatClaim(owner);
    DWORD written = 0;
    const bool whole =
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
        written == text.size() && FlushFileBuffers(file);
    CloseHandle(file);
    if (!whole) {
        DeleteFileA(path.c_str());
        return StagingClaim::Failed;
    }
    return StagingClaim::Claimed;
}

template <typename Number> bool ParseNumber(std::string_view& text, Number& out) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    if (error != std::errc() || end == text.data())
        return false;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return true;
}

bool Take(std::string_view& text, std::string_view expected) {
    if (text.substr(0, expected.size()) != expected)
        return false;
    text.remove_prefix(expected.size());
    return true;
}

} // namespace

std::optional<ClaimOwner> RunningProcess(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process)
        return std::nullopt;
    DWORD code = 0;
    FILETIME created{}, exited{}, kernel{}, user{};
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE &&
                         GetProcessTimes(process, &created, &exited, &kernel, &user);
    CloseHandle(process);
    if (!running)
        return std::nullopt;
    return ClaimOwner{pid, FiletimeValue(created)};
}

std::string FormatClaim(const ClaimOwner& owner) {
    return std::string(kClaimWord) + " " + std::to_string(owner.pid) + " " +
           std::to_string(owner.created) + "\n";
}

std::optional<ClaimOwner> ParseClaim(std::string_view text) {
    ClaimOwner owner;
    if (!Take(text, kClaimWord) || !Take(text, " ") || !ParseNumber(text, owner.pid) ||
        !Take(text, " ") || !ParseNumber(text, owner.created) || text != "\n" || owner.pid == 0)
        return std::nullopt;
    return owner;
}

std::string StagingClaimPath(const std::string& stagingFolder) {
    return stagingFolder + ".lock";
}

ClaimResult ClaimStagingFolder(const std::string& stagingFolder) {
    if (stagingFolder.empty())
        return {StagingClaim::Failed, {}};
    const std::string claimPath = StagingClaimPath(stagingFolder);
    bool readable = true;
    const std::optional<std::string> claim = ReadClaim(claimPath, readable);
    if (claim) {
        const std::optional<ClaimOwner> owner =
            readable ? ParseClaim(*claim) : std::optional<ClaimOwner>();
        if (!owner)
            return {StagingClaim::InTheWay, claimPath};
        if (RunningProcess(owner->pid) == owner)
            return {StagingClaim::InUse, stagingFolder};
        // Its installer has ended: what it left is taken over, folder first, claim last.
        if (Exists(stagingFolder) && !DeleteStagingFolder(stagingFolder))
            return {StagingClaim::InTheWay, stagingFolder};
        if (Exists(claimPath) && !DeleteFileA(claimPath.c_str()))
            return {StagingClaim::InTheWay, claimPath};
    } else if (Exists(stagingFolder)) {
        return {StagingClaim::InTheWay, stagingFolder};
    }
    const std::optional<ClaimOwner> self = RunningProcess(GetCurrentProcessId());
    if (!self)
        return {StagingClaim::Failed, {}};
    const StagingClaim written = WriteClaim(claimPath, *self);
    return {written, written == StagingClaim::InUse ? stagingFolder : std::string()};
}

bool ReleaseStagingClaim(const std::string& stagingFolder) {
    if (stagingFolder.empty())
        return false;
    return DeleteFileA(StagingClaimPath(stagingFolder).c_str()) != FALSE;
}
