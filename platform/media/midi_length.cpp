#include "media/midi_length.h"

#include "util/le_bytes.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace lv::media {

namespace {

constexpr std::uint32_t kDefaultTempo = 500000; // microseconds per quarter note
constexpr std::uint8_t kMetaEvent = 0xFF;
constexpr std::uint8_t kMetaTempo = 0x51;
constexpr std::uint8_t kMetaEndOfTrack = 0x2F;
constexpr std::uint8_t kSysEx = 0xF0;
constexpr std::uint8_t kSysExContinued = 0xF7;

struct TempoChange {
    std::uint64_t tick;
    std::uint32_t tempo;
};

// MIDI stores its numbers big-endian; the reader keeps the bounds.
bool read_be(ByteReader& in, std::size_t count, std::uint32_t& out) {
    out = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint8_t byte = 0;
        if (!in.u8(byte))
            return false;
        out = (out << 8) | byte;
    }
    return true;
}

bool read_variable_length(ByteReader& in, std::uint32_t& out) {
    out = 0;
    for (int i = 0; i < 4; ++i) {
        std::uint8_t byte = 0;
        if (!in.u8(byte))
            return false;
        out = (out << 7) | (byte & 0x7F);
        if (!(byte & 0x80))
            return true;
    }
    return false;
}

// Walks one track's events; gives the tick of its end and collects its tempo changes.
bool read_track(std::span<const std::uint8_t> track, std::uint64_t& end_tick,
                std::vector<TempoChange>& tempos) {
    ByteReader in(track);
    std::uint64_t tick = 0;
    std::uint8_t running_status = 0;
    while (in.remaining() > 0) {
        std::uint32_t delta = 0;
        std::uint8_t status = 0;
        if (!read_variable_length(in, delta) || !in.u8(status))
            return false;
        tick += delta;
        if (status == kMetaEvent) {
            std::uint8_t type = 0;
            std::uint32_t length = 0;
            if (!in.u8(type) || !read_variable_length(in, length) || length > in.remaining())
                return false;
            if (type == kMetaTempo && length == 3) {
                std::uint32_t tempo = 0;
                read_be(in, 3, tempo);
                if (tempo > 0)
                    tempos.push_back({tick, tempo});
            } else {
                in.skip(length);
            }
            if (type == kMetaEndOfTrack)
                break;
            continue;
        }
        if (status == kSysEx || status == kSysExContinued) {
            std::uint32_t length = 0;
            if (!read_variable_length(in, length) || !in.skip(length))
                return false;
            continue;
        }
        std::size_t data_bytes = 0;
        if (status & 0x80) {
            running_status = status;
            const std::uint8_t kind = status & 0xF0;
            data_bytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
        } else {
            // Running status: this byte was the event's first data byte.
            if (!running_status)
                return false;
            const std::uint8_t kind = running_status & 0xF0;
            data_bytes = (kind == 0xC0 || kind == 0xD0) ? 0 : 1;
        }
        if (!in.skip(data_bytes))
            return false;
    }
    end_tick = tick;
    return true;
}

} // namespace

std::optional<std::uint32_t> midi_length_ms(std::span<const std::uint8_t> file) {
    ByteReader in(file);
    char tag[4];
    std::uint32_t header_length = 0;
    std::uint32_t track_count = 0;
    std::uint32_t division = 0;
    if (!in.bytes(tag, 4) || std::memcmp(tag, "MThd", 4) != 0 || !read_be(in, 4, header_length) ||
        header_length < 6 || !in.skip(2) /* format */ || !read_be(in, 2, track_count) ||
        !read_be(in, 2, division) || !in.skip(header_length - 6))
        return std::nullopt;
    if (division == 0 || track_count == 0)
        return std::nullopt;

    std::uint64_t last_tick = 0;
    std::vector<TempoChange> tempos;
    std::uint32_t tracks_read = 0;
    while (tracks_read < track_count && in.remaining() >= 8) {
        std::uint32_t chunk_length = 0;
        if (!in.bytes(tag, 4) || !read_be(in, 4, chunk_length) || chunk_length > in.remaining())
            return std::nullopt;
        std::span<const std::uint8_t> chunk;
        if (!in.view(chunk, chunk_length))
            return std::nullopt;
        if (std::memcmp(tag, "MTrk", 4) != 0)
            continue; // chunks of other kinds are skipped, as players do
        std::uint64_t end_tick = 0;
        if (!read_track(chunk, end_tick, tempos))
            return std::nullopt;
        last_tick = std::max(last_tick, end_tick);
        ++tracks_read;
    }
    if (tracks_read == 0)
        return std::nullopt;

    double microseconds = 0;
    if (division & 0x8000) {
        // Time code division: frames per second (stored negative) times ticks per frame.
        const int frames = -static_cast<int>(static_cast<std::int8_t>(division >> 8));
        const int ticks_per_frame = static_cast<int>(division & 0xFF);
        if (frames <= 0 || ticks_per_frame == 0)
            return std::nullopt;
        microseconds = static_cast<double>(last_tick) * 1e6 / (frames * ticks_per_frame);
    } else {
        std::stable_sort(
            tempos.begin(), tempos.end(),
            [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
        std::uint64_t tick = 0;
        std::uint32_t tempo = kDefaultTempo;
        for (const TempoChange& change : tempos) {
            if (change.tick >= last_tick)
                break;
            microseconds += static_cast<double>(change.tick - tick) * tempo / division;
            tick = change.tick;
            tempo = change.tempo;
        }
        microseconds += static_cast<double>(last_tick - tick) * tempo / division;
    }
    const double ms = microseconds / 1000.0 + 0.5;
    if (ms >= static_cast<double>(std::numeric_limits<std::uint32_t>::max()))
        return std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(ms);
}

} // namespace lv::media
