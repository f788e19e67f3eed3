#include "tests/platform/media/mci_test_support.h"
#include "tests/platform/media/tone_track.h"
#include "tests/support/scratch_dir.h"
#include "win32/media.h"

#include <gtest/gtest.h>

namespace {

class MciFormatTest : public ::testing::TestWithParam<const char*> {};

TEST_P(MciFormatTest, EncodedTrackOpensWithItsLengthAndPlaysToTheEnd) {
    lvtest::ScratchDir dir;
    std::filesystem::path path = dir / (std::string("tone.") + GetParam());
    if (!lvtest::write_tone_with_sox(path, 500))
        GTEST_SKIP() << "sox cannot write " << GetParam() << " here";
    MCIDEVICEID id = 0;
    ASSERT_EQ(lvtest::open_track(path.string(), id), 0u);
    // Encoders pad the start and the end a little.
    DWORD_PTR length = lvtest::status_item(id, MCI_STATUS_LENGTH);
    EXPECT_NEAR(static_cast<double>(length), 500.0, 80.0);

    ASSERT_EQ(lvtest::play(id), 0u);
    ASSERT_TRUE(lvtest::wait_until(
        [&] { return lvtest::status_item(id, MCI_STATUS_MODE) == MCI_MODE_STOP; }));
    EXPECT_EQ(lvtest::status_item(id, MCI_STATUS_POSITION), length);

    // Starting inside the track needs the decoder's seek.
    ASSERT_EQ(lvtest::play(id, MCI_FROM, 250), 0u);
    EXPECT_GE(lvtest::status_item(id, MCI_STATUS_POSITION), 250u);
    ASSERT_TRUE(lvtest::wait_until(
        [&] { return lvtest::status_item(id, MCI_STATUS_MODE) == MCI_MODE_STOP; }));
    EXPECT_EQ(lvtest::status_item(id, MCI_STATUS_POSITION), length);
    EXPECT_EQ(lvtest::simple_command(id, MCI_CLOSE), 0u);
}

INSTANTIATE_TEST_SUITE_P(Encoded, MciFormatTest, ::testing::Values("mp3", "ogg"));

} // namespace
