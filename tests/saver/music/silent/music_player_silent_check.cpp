// Without an audio device the player's open fails quietly and the saver goes on in silence.
#include "saver/music_player.h"
#include "tests/platform/media/tone_track.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Before the first open of the process: the mixer reads the driver name when it starts.
const bool kNoAudioDriver = ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1) == 0;

TEST(MusicPlayerWithoutAudioDevice, OpensNothingAndAnswersZero) {
    ASSERT_TRUE(kNoAudioDriver);
    lvtest::ScratchDir dir;
    lvtest::write_tone_wav(dir / "tone.wav");
    CMusicPlayer player;
    player.Open((dir / "tone.wav").c_str());
    EXPECT_EQ(player.deviceId, 0u);
    EXPECT_EQ(player.lengthMs, 0);
    EXPECT_EQ(player.Play(), TRUE);
    EXPECT_EQ(player.GetMode(), 0);
    EXPECT_EQ(player.GetPosition(), 0);
    EXPECT_EQ(player.GetLength(), 0);
    EXPECT_EQ(player.Close(), TRUE);
}

} // namespace
