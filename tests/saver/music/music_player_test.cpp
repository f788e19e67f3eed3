#include "saver/music_player.h"
#include "tests/platform/media/mci_test_support.h"
#include "tests/platform/media/tone_track.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

constexpr int kModeStop = 525;
constexpr int kModePlay = 526;
constexpr int kModePause = 529;

class MusicPlayerTest : public ::testing::Test {
protected:
    std::string tone(const std::string& name, std::uint32_t ms) {
        std::filesystem::path path = m_dir / name;
        lvtest::write_tone_wav(path, {.milliseconds = ms});
        return path.string();
    }
    bool ended(CMusicPlayer& player) {
        return lvtest::wait_until([&] { return player.GetMode() == kModeStop; });
    }
    lvtest::ScratchDir m_dir;
    lvtest::NoticeRecorder m_recorder;
};

TEST_F(MusicPlayerTest, OpenReadsTheLengthAndPlayRunsToTheEnd) {
    CMusicPlayer player;
    player.Open(tone("tone.wav", 400).c_str());
    ASSERT_NE(player.deviceId, 0u);
    EXPECT_NEAR(player.lengthMs, 400, 2);
    EXPECT_EQ(player.GetLength(), player.lengthMs);
    EXPECT_EQ(player.GetMode(), kModeStop);
    EXPECT_EQ(player.GetPosition(), 0);

    EXPECT_EQ(player.Play(), TRUE);
    EXPECT_EQ(player.GetMode(), kModePlay);
    ASSERT_TRUE(ended(player));
    // The end-of-track poll compares these two.
    EXPECT_EQ(player.GetPosition(), player.GetLength());
    // The notification goes to the player's window, which does not exist.
    EXPECT_TRUE(m_recorder.notices().empty());
    EXPECT_EQ(player.Close(), TRUE);
    EXPECT_EQ(player.GetMode(), 0);
}

TEST_F(MusicPlayerTest, PlayAfterAPauseResumesWhereItStood) {
    CMusicPlayer player;
    player.Open(tone("tone.wav", 800).c_str());
    player.Play();
    ASSERT_TRUE(lvtest::wait_until([&] { return player.GetPosition() >= 100; }));
    ASSERT_EQ(lvtest::simple_command(player.deviceId, MCI_PAUSE), 0u);
    ASSERT_EQ(player.GetMode(), kModePause);
    int held = player.GetPosition();

    player.Play();
    EXPECT_EQ(player.GetMode(), kModePlay);
    EXPECT_GE(player.GetPosition(), held);
    EXPECT_LT(player.GetPosition(), held + 250);
    ASSERT_TRUE(ended(player));
    EXPECT_EQ(player.GetPosition(), player.GetLength());
}

TEST_F(MusicPlayerTest, AFileThatDoesNotOpenLeavesIdZeroAndQueriesAnswerZero) {
    std::filesystem::path text = m_dir / "words.mp3";
    std::ofstream(text) << "not a track";
    for (std::string path :
         {std::string("C:\\no\\such\\track.mp3"), text.string(), std::string()}) {
        SCOPED_TRACE(path);
        CMusicPlayer player;
        player.Open(path.c_str());
        EXPECT_EQ(player.deviceId, 0u);
        EXPECT_EQ(player.lengthMs, 0);
        EXPECT_EQ(player.Play(), TRUE);
        EXPECT_EQ(player.GetMode(), 0);
        EXPECT_EQ(player.GetPosition(), 0);
        EXPECT_EQ(player.GetLength(), 0);
        EXPECT_EQ(player.Close(), TRUE);
    }
}

TEST_F(MusicPlayerTest, ClosedOrReopenedPlayerHoldsNoStaleDevice) {
    CMusicPlayer player;
    player.Open(tone("first.wav", 900).c_str());
    MCIDEVICEID first = player.deviceId;
    player.Play();

    // Opening again without a close first must not leave the first track playing on.
    player.Open(tone("second.wav", 300).c_str());
    EXPECT_NE(player.deviceId, first);
    EXPECT_EQ(lvtest::status_item(first, MCI_STATUS_MODE), static_cast<DWORD_PTR>(-1));
    EXPECT_EQ(player.GetMode(), kModeStop);

    // A failed open after a close answers 0, not what the old id would.
    player.Close();
    player.Open("C:\\missing.wav");
    EXPECT_EQ(player.deviceId, 0u);
    EXPECT_EQ(player.GetLength(), 0);
}

TEST_F(MusicPlayerTest, APlayerThatGoesAwayClosesItsDevice) {
    MCIDEVICEID id = 0;
    {
        CMusicPlayer preview;
        preview.Open(tone("tone.wav", 900).c_str());
        preview.Play();
        id = preview.deviceId;
        ASSERT_EQ(lvtest::status_item(id, MCI_STATUS_MODE), MCI_MODE_PLAY);
    }
    EXPECT_EQ(lvtest::simple_command(id, MCI_STATUS), MCIERR_INVALID_DEVICE_ID);
}

} // namespace
