// The disk audio driver writes what the mixer produces to a file: the track's samples must be in
// it.
#include "tests/platform/media/mci_test_support.h"
#include "tests/platform/media/tone_track.h"
#include "tests/support/scratch_dir.h"
#include "win32/media.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <vector>

namespace {

std::filesystem::path output_file() {
    return std::filesystem::temp_directory_path() /
           ("lv-disk-audio-" + std::to_string(::getpid()) + ".raw");
}

// Before the first open of the process: the mixer reads the driver name when it starts.
const bool kDiskDriver = ::setenv("SDL_AUDIODRIVER", "disk", 1) == 0 &&
                         ::setenv("SDL_DISKAUDIOFILE", output_file().c_str(), 1) == 0;

int loudest_sample(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    int loudest = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        std::int16_t sample = 0;
        std::memcpy(&sample, bytes.data() + i, 2); // the mixer writes host-order 16-bit samples
        loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
    }
    return loudest;
}

TEST(MciDiskOutput, ATrackThatPlaysWritesItsSamples) {
    ASSERT_TRUE(kDiskDriver);
    lvtest::ScratchDir dir;
    lvtest::write_tone_wav(dir / "tone.wav", {.milliseconds = 300});
    MCIDEVICEID id = 0;
    ASSERT_EQ(lvtest::open_track((dir / "tone.wav").string(), id), 0u);
    ASSERT_EQ(lvtest::play(id), 0u);
    ASSERT_TRUE(lvtest::wait_until(
        [&] { return lvtest::status_item(id, MCI_STATUS_MODE) == MCI_MODE_STOP; }));
    EXPECT_EQ(lvtest::status_item(id, MCI_STATUS_POSITION),
              lvtest::status_item(id, MCI_STATUS_LENGTH));
    EXPECT_EQ(lvtest::simple_command(id, MCI_CLOSE), 0u);

    // The driver keeps writing silence after the track, so its buffered tail holds no samples.
    ASSERT_TRUE(lvtest::wait_until([&] { return loudest_sample(output_file()) > 6000; }));
    std::filesystem::remove(output_file());
}

} // namespace
