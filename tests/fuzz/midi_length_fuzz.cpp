// The MIDI length reader takes any bytes: a length or nothing, never a crash or a read past them.
#include "media/midi_length.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lv::media::midi_length_ms(std::span<const std::uint8_t>(data, size));
    return 0;
}
