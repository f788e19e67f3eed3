// The mark an installer leaves beside the staging folder it makes: the file
// "<staging folder>.lock" in Program Files, naming the process that made the folder. The claim
// is written before the folder is made and removed after the folder is gone, so a killed
// installer always leaves its claim beside whatever it left of the folder. A later run takes
// over what an ended installer left; a running installer's folder, or a folder that no
// installer claimed, is left alone.
#pragma once

#include "win32/types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A process as a claim names it: its id and its creation time, which tells a later process
// given the same id apart.
struct ClaimOwner {
    DWORD pid = 0;
    std::uint64_t created = 0; // 100 ns units since 1601, as FILETIME counts
    bool operator==(const ClaimOwner&) const = default;
};

// The process with that id while it runs; nothing when none runs (or it has ended).
std::optional<ClaimOwner> RunningProcess(DWORD pid);

// The claim file's text, and the owner it names (nothing for any other text).
std::string FormatClaim(const ClaimOwner& owner);
std::optional<ClaimOwner> ParseClaim(std::string_view text);

std::string StagingClaimPath(const std::string& stagingFolder);

enum class StagingClaim {
    Claimed,  // the claim is this process's: the folder may be made
    InUse,    // a running installer claims the folder
    InTheWay, // something no installer claimed stands there, or a claim that cannot be read
    Failed,   // the claim could not be written
};

struct ClaimResult {
    StagingClaim state = StagingClaim::Failed;
    // InUse and InTheWay: the path a person has to see to (the folder, or an unreadable claim).
    std::string obstacle;
};

// Looks at the folder's name and its claim, removes what an ended installer left there and
// writes this process's claim, never over another one.
ClaimResult ClaimStagingFolder(const std::string& stagingFolder);
// Removes the claim (this process's: no other can stand while it runs).
bool ReleaseStagingClaim(const std::string& stagingFolder);
