#include "media/midi_length.h"
#include "tests/platform/media/mci_test_support.h"
#include "tests/platform/media/midi_builder.h"
#include "tests/support/scratch_dir.h"
#include "win32/media.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using lvtest::midi_file;
using lvtest::MidiTrack;

struct LengthCase {
    const char* name;
    std::vector<std::uint8_t> file;
    std::uint32_t expected_ms;
};

TEST(MidiLength, FollowsTheTempoMapOfEveryTrack) {
    std::vector<std::uint8_t> with_other_chunk =
        midi_file(0, 480, {MidiTrack().note(0, 60, 480).end()});
    with_other_chunk.insert(with_other_chunk.begin() + 14, {'X', 'x', 'y', 'z', 0, 0, 0, 2, 7, 7});
    const LengthCase cases[] = {
        {"one quarter at the default tempo",
         midi_file(0, 480, {MidiTrack().note(0, 60, 480).end()}), 500},
        {"tempo doubles after a quarter",
         midi_file(0, 480, {MidiTrack().note(0, 60, 480).tempo(0, 250000).note(0, 62, 480).end()}),
         750},
        {"tempo in the first track rules the second",
         midi_file(1, 96,
                   {MidiTrack().tempo(0, 1000000).end(), MidiTrack().note(96, 60, 192).end()}),
         3000},
        {"the longest track sets the end",
         midi_file(1, 100,
                   {MidiTrack().note(0, 60, 100).end(), MidiTrack().note(0, 60, 300).end()}),
         1500},
        {"running status and a one-byte program change",
         midi_file(0, 480,
                   {MidiTrack()
                        .raw(0, {0xC0, 5})
                        .raw(0, {0x90, 60, 90})
                        .raw(240, {62, 90})
                        .raw(240, {60, 0})
                        .end()}),
         500},
        {"system exclusive is stepped over",
         midi_file(0, 480, {MidiTrack().raw(0, {0xF0, 3, 1, 2, 0xF7}).note(0, 60, 960).end()}),
         1000},
        {"time code division: 25 frames of 40 ticks",
         midi_file(0, 0xE728, {MidiTrack().note(0, 60, 1000).end()}), 1000},
        {"chunks of other kinds are skipped", with_other_chunk, 500},
        {"a trailing delta before the end counts",
         midi_file(0, 480, {MidiTrack().note(0, 60, 480).end(480)}), 1000},
    };
    for (const LengthCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<std::uint32_t> length = lv::media::midi_length_ms(c.file);
        ASSERT_TRUE(length.has_value());
        EXPECT_EQ(*length, c.expected_ms);
    }
}

TEST(MidiLength, MalformedFilesHaveNoLength) {
    std::vector<std::uint8_t> good = midi_file(0, 480, {MidiTrack().note(0, 60, 480).end()});
    auto with = [&](std::size_t at, std::uint8_t value) {
        std::vector<std::uint8_t> bytes = good;
        bytes[at] = value;
        return bytes;
    };
    std::vector<std::uint8_t> long_chunk = good;
    long_chunk[21] = 0x7F; // track length far beyond the file
    const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
        {"empty", {}},
        {"not a MIDI file", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 0, 0}},
        {"header cut short", std::vector<std::uint8_t>(good.begin(), good.begin() + 12)},
        {"header length below six", with(7, 5)},
        {"division zero",
         [&] {
             auto b = with(12, 0);
             b[13] = 0;
             return b;
         }()},
        {"no tracks",
         [&] {
             auto b = with(10, 0);
             b[11] = 0;
             return b;
         }()},
        {"track length beyond the file", long_chunk},
        {"track cut inside an event", std::vector<std::uint8_t>(good.begin(), good.end() - 6)},
        {"delta of five bytes",
         midi_file(0, 480,
                   {MidiTrack()
                        .raw(0, {0x90, 60, 100, 0x80, 0x80, 0x80, 0x80, 0x00, 0x80, 60, 0})
                        .end()})},
        {"data byte with no status before it",
         midi_file(0, 480, {MidiTrack().raw(0, {60, 100}).end()})},
        {"meta event longer than the track",
         midi_file(0, 480, {MidiTrack().raw(0, {0xFF, 0x01, 0x40, 'a'})})},
        {"time code division of zero ticks per frame", midi_file(0, 0xE700, {MidiTrack().end()})},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(lv::media::midi_length_ms(bytes).has_value());
    }
}

TEST(MidiTrackPlayback, AMidiFileOpensWithItsLengthAndPlaysToTheEnd) {
    lvtest::ScratchDir dir;
    std::vector<std::uint8_t> bytes = midi_file(0, 480, {MidiTrack().note(0, 69, 300).end(60)});
    std::ofstream(dir / "tune.mid", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    MCIDEVICEID id = 0;
    MCIERROR result = lvtest::open_track((dir / "tune.mid").string(), id);
    if (result == MCIERR_INVALID_FILE)
        GTEST_SKIP() << "the mixer has no MIDI synthesiser here";
    ASSERT_EQ(result, 0u);
    EXPECT_EQ(lvtest::status_item(id, MCI_STATUS_LENGTH), 375u);
    ASSERT_EQ(lvtest::play(id), 0u);
    ASSERT_TRUE(lvtest::wait_until(
        [&] { return lvtest::status_item(id, MCI_STATUS_MODE) == MCI_MODE_STOP; }));
    EXPECT_EQ(lvtest::status_item(id, MCI_STATUS_POSITION), 375u);

    // Paused and resumed, the play still stops at the length.
    ASSERT_EQ(lvtest::play(id, MCI_FROM, 0), 0u);
    ASSERT_EQ(lvtest::simple_command(id, MCI_PAUSE), 0u);
    ASSERT_EQ(lvtest::play(id), 0u);
    ASSERT_TRUE(lvtest::wait_until(
        [&] { return lvtest::status_item(id, MCI_STATUS_MODE) == MCI_MODE_STOP; }));
    EXPECT_EQ(lvtest::status_item(id, MCI_STATUS_POSITION), 375u);
    EXPECT_EQ(lvtest::simple_command(id, MCI_CLOSE), 0u);
}

} // namespace
