#include "tests/platform/media/midi_builder.h"

namespace lvtest {

void append_be(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void MidiTrack::delta(std::uint32_t ticks) {
    std::uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(ticks & 0x7F);
        ticks >>= 7;
    } while (ticks && count < 5);
    for (int i = count - 1; i >= 0; --i)
        m_bytes.push_back(static_cast<std::uint8_t>(groups[i] | (i ? 0x80 : 0)));
}

MidiTrack& MidiTrack::note(std::uint32_t ticks, std::uint8_t key, std::uint32_t length) {
    raw(ticks, {0x90, key, 100});
    return raw(length, {0x80, key, 0});
}

MidiTrack& MidiTrack::tempo(std::uint32_t ticks, std::uint32_t microseconds_per_quarter) {
    delta(ticks);
    m_bytes.insert(m_bytes.end(), {0xFF, 0x51, 0x03});
    append_be(m_bytes, microseconds_per_quarter, 3);
    return *this;
}

MidiTrack& MidiTrack::raw(std::uint32_t ticks, std::initializer_list<std::uint8_t> bytes) {
    delta(ticks);
    m_bytes.insert(m_bytes.end(), bytes);
    return *this;
}

MidiTrack& MidiTrack::end(std::uint32_t ticks) {
    return raw(ticks, {0xFF, 0x2F, 0x00});
}

std::vector<std::uint8_t> midi_file(std::uint16_t format, std::uint16_t division,
                                    const std::vector<MidiTrack>& tracks) {
    std::vector<std::uint8_t> out{'M', 'T', 'h', 'd'};
    append_be(out, 6, 4);
    append_be(out, format, 2);
    append_be(out, static_cast<std::uint32_t>(tracks.size()), 2);
    append_be(out, division, 2);
    for (const MidiTrack& track : tracks) {
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        append_be(out, static_cast<std::uint32_t>(track.bytes().size()), 4);
        out.insert(out.end(), track.bytes().begin(), track.bytes().end());
    }
    return out;
}

} // namespace lvtest
