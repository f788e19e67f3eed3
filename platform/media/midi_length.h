// Playing time of a standard MIDI file, from its tracks' event times and its tempo map: the
// mixer's MIDI players cannot tell it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace lv::media {

// Milliseconds to the last track's end; nothing when the bytes are no well-formed MIDI file.
std::optional<std::uint32_t> midi_length_ms(std::span<const std::uint8_t> file);

} // namespace lv::media
