// With no audio device the open fails as the platform's does, so callers take their silent path.
#include "tests/platform/media/mci_test_support.h"
#include "tests/platform/media/tone_track.h"
#include "tests/support/scratch_dir.h"
#include "win32/media.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Before the first open of the process: the mixer reads the driver name when it starts.
const bool kNoAudioDriver = ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1) == 0;

TEST(MciWithoutAudioDevice, OpenFailsWithCannotLoadDriverEveryTime) {
    ASSERT_TRUE(kNoAudioDriver);
    lvtest::ScratchDir dir;
    lvtest::write_tone_wav(dir / "tone.wav");
    for (int attempt = 0; attempt < 2; ++attempt) {
        MCIDEVICEID id = 0;
        EXPECT_EQ(lvtest::open_track((dir / "tone.wav").string(), id), MCIERR_CANNOT_LOAD_DRIVER);
        EXPECT_EQ(id, 0u);
    }
    // A missing file is still told apart from a missing device.
    MCIDEVICEID id = 0;
    EXPECT_EQ(lvtest::open_track((dir / "none.wav").string(), id), MCIERR_FILE_NOT_FOUND);
    char text[128];
    EXPECT_TRUE(mciGetErrorStringA(MCIERR_CANNOT_LOAD_DRIVER, text, sizeof text));
}

} // namespace
