// Builds standard MIDI files event by event for tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace lvtest {

class MidiTrack {
public:
    MidiTrack& note(std::uint32_t delta, std::uint8_t key, std::uint32_t length);
    MidiTrack& tempo(std::uint32_t delta, std::uint32_t microseconds_per_quarter);
    MidiTrack& raw(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes);
    MidiTrack& end(std::uint32_t delta = 0);
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

private:
    void delta(std::uint32_t ticks);
    std::vector<std::uint8_t> m_bytes;
};

std::vector<std::uint8_t> midi_file(std::uint16_t format, std::uint16_t division,
                                    const std::vector<MidiTrack>& tracks);
void append_be(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes);

} // namespace lvtest
