// The claim beside the staging folder: which process made the folder, and whether that process
// still runs, decide whether a new installer takes the folder over or leaves it alone.
#include "installer/install_steps.h"
#include "installer/staging_claim.h"
#include "tests/installer/install_fixture.h"
#include "tests/support/process_runner.h"
#include "win32/process_id.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>

namespace lvtest {
namespace {

namespace fs = std::filesystem;

const std::string kTitle = "Amber Tides";

// A child process of the test that runs until it is let go; then it ends, and is collected or
// left a zombie as the case wants.
class ChildProcess {
public:
    ChildProcess() {
        if (pipe(m_pipe) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            close(m_pipe[1]);
            char byte = 0;
            while (read(m_pipe[0], &byte, 1) > 0) {
            }
            _exit(0);
        }
        close(m_pipe[0]);
    }
    ~ChildProcess() {
        End();
        Collect();
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    DWORD Pid() const { return static_cast<DWORD>(m_pid); }
    // Lets the child end and waits until it has (it stays a zombie until collected).
    void End() {
        if (m_pipe[1] < 0)
            return;
        close(m_pipe[1]);
        m_pipe[1] = -1;
        siginfo_t info{};
        waitid(P_PID, static_cast<id_t>(m_pid), &info, WEXITED | WNOWAIT);
    }
    void Collect() {
        if (m_pid > 0)
            waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

private:
    pid_t m_pid = -1;
    int m_pipe[2] = {-1, -1};
};

class StagingClaimTest : public InstallTest {
protected:
    std::string Staging() const { return StagingFolderFor(ProgramFilesFolder(), kTitle); }
    fs::path StagingHost() const { return Host(Staging()); }
    fs::path ClaimHost() const { return Host(StagingClaimPath(Staging())); }
};

TEST_F(StagingClaimTest, TheProcessTheClaimNamesDecidesWhetherTheFolderIsTakenOver) {
    const ClaimOwner self = RunningProcess(GetCurrentProcessId()).value();
    struct Case {
        const char* what;
        bool folder; // a folder with a file of its own stands at the name
        // The claim's text (nothing: no claim); made when the case runs, for the processes
        // it names are started then.
        std::function<std::optional<std::string>(ChildProcess& child)> claim;
        StagingClaim expected;
        bool claimIsObstacle; // InTheWay names the claim rather than the folder
    };
    const auto ofChild = [](ChildProcess& child, bool collect) {
        const ClaimOwner owner = RunningProcess(child.Pid()).value();
        child.End();
        if (collect)
            child.Collect();
        return FormatClaim(owner);
    };
    const Case cases[] = {
        {"nothing there", false, [](ChildProcess&) { return std::nullopt; }, StagingClaim::Claimed,
         false},
        {"the folder of an installer that has ended", true,
         [&](ChildProcess& child) { return ofChild(child, true); }, StagingClaim::Claimed, false},
        {"the claim of an ended installer, killed before it made the folder", false,
         [&](ChildProcess& child) { return ofChild(child, true); }, StagingClaim::Claimed, false},
        {"an ended installer its parent has not collected yet", true,
         [&](ChildProcess& child) { return ofChild(child, false); }, StagingClaim::Claimed, false},
        {"an ended installer whose id a running process has now", true,
         [&](ChildProcess&) {
             return FormatClaim({self.pid, self.created - 10'000'000});
         },
         StagingClaim::Claimed, false},
        {"a running installer's folder", true,
         [](ChildProcess& child) { return FormatClaim(RunningProcess(child.Pid()).value()); },
         StagingClaim::InUse, false},
        {"a running installer's claim, its folder not made yet", false,
         [](ChildProcess& child) { return FormatClaim(RunningProcess(child.Pid()).value()); },
         StagingClaim::InUse, false},
        {"a folder no installer claimed", true, [](ChildProcess&) { return std::nullopt; },
         StagingClaim::InTheWay, false},
        {"an empty claim", true, [](ChildProcess&) { return std::string(); },
         StagingClaim::InTheWay, true},
        {"a claim of other words", true,
         [](ChildProcess&) { return std::string("installer 12 x\n"); }, StagingClaim::InTheWay,
         true},
        {"a claim with more after it", true,
         [&](ChildProcess&) { return FormatClaim(self) + "more\n"; }, StagingClaim::InTheWay, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(StagingHost());
        fs::remove_all(ClaimHost());
        ChildProcess child;
        ASSERT_GT(child.Pid(), 0u);
        if (c.folder) {
            fs::create_directories(StagingHost());
            WriteFileBytes(StagingHost() / "left.txt", {'l', 'e', 'f', 't'});
        }
        const std::optional<std::string> claim = c.claim(child);
        if (claim)
            WriteFileBytes(ClaimHost(), Bytes(claim->begin(), claim->end()));

        const ClaimResult result = ClaimStagingFolder(Staging());
        EXPECT_EQ(result.state, c.expected);
        if (c.expected == StagingClaim::Claimed) {
            // What was left is gone, and the claim is this process's.
            EXPECT_FALSE(fs::exists(StagingHost()));
            EXPECT_EQ(ParseClaim(ReadFileText(ClaimHost())), self);
            EXPECT_EQ(result.obstacle, "");
        } else {
            // Left as it was found.
            EXPECT_EQ(fs::exists(StagingHost() / "left.txt"), c.folder);
            EXPECT_EQ(fs::exists(ClaimHost()), claim.has_value());
            if (claim) {
                EXPECT_EQ(ReadFileText(ClaimHost()), *claim);
            }
            EXPECT_EQ(result.obstacle, c.claimIsObstacle ? StagingClaimPath(Staging()) : Staging());
        }
    }
}

// A claim that cannot be read at all (here a folder stands at its name) names nobody: nothing
// is taken over.
TEST_F(StagingClaimTest, AClaimThatCannotBeReadLeavesTheFolderAlone) {
    fs::create_directories(StagingHost());
    fs::create_directories(ClaimHost());
    const ClaimResult result = ClaimStagingFolder(Staging());
    EXPECT_EQ(result.state, StagingClaim::InTheWay);
    EXPECT_EQ(result.obstacle, StagingClaimPath(Staging()));
    EXPECT_TRUE(fs::is_directory(StagingHost()));
    EXPECT_TRUE(fs::is_directory(ClaimHost()));
}

TEST_F(StagingClaimTest, AClaimNamesItsProcessAndNoOther) {
    const ClaimOwner self = RunningProcess(GetCurrentProcessId()).value();
    EXPECT_EQ(ParseClaim(FormatClaim(self)), self);
    // The creation time is the process's own: the same for each look, earlier than now.
    EXPECT_EQ(RunningProcess(self.pid), self);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t nowValue =
        (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    EXPECT_LE(self.created, nowValue);
    EXPECT_GT(self.created, nowValue - 24ull * 3600 * 10'000'000);
    // An ended process runs no more, collected or not.
    ChildProcess child;
    const ClaimOwner owner = RunningProcess(child.Pid()).value();
    EXPECT_NE(owner, self);
    child.End();
    EXPECT_EQ(RunningProcess(child.Pid()), std::nullopt);
    child.Collect();
    EXPECT_EQ(RunningProcess(owner.pid), std::nullopt);
}

} // namespace
} // namespace lvtest
