#include "tests/platform/media/tone_track.h"

#include "util/le_bytes.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <numbers>

namespace lvtest {

std::vector<std::uint8_t> tone_wav_bytes(const ToneSpec& spec) {
    const std::uint32_t frames = static_cast<std::uint32_t>(
        static_cast<std::uint64_t>(spec.sample_rate) * spec.milliseconds / 1000);
    const std::uint16_t block_align = static_cast<std::uint16_t>(2 * spec.channels);
    const std::uint32_t data_bytes = frames * block_align;

    std::vector<std::uint8_t> bytes;
    lv::ByteWriter out(bytes);
    out.bytes("RIFF", 4);
    out.u32(36 + data_bytes);
    out.bytes("WAVE", 4);
    out.bytes("fmt ", 4);
    out.u32(16);
    out.u16(1); // PCM
    out.u16(spec.channels);
    out.u32(spec.sample_rate);
    out.u32(spec.sample_rate * block_align);
    out.u16(block_align);
    out.u16(16);
    out.bytes("data", 4);
    out.u32(data_bytes);
    for (std::uint32_t i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / spec.sample_rate;
        auto sample = static_cast<std::int16_t>(
            std::lround(12000.0 * std::sin(2.0 * std::numbers::pi * spec.frequency * t)));
        for (std::uint16_t c = 0; c < spec.channels; ++c)
            out.i16(sample);
    }
    return bytes;
}

void write_tone_wav(const std::filesystem::path& path, const ToneSpec& spec) {
    std::vector<std::uint8_t> bytes = tone_wav_bytes(spec);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

bool write_tone_with_sox(const std::filesystem::path& path, std::uint32_t milliseconds) {
    if (std::system("command -v sox >/dev/null 2>&1") != 0)
        return false;
    std::filesystem::create_directories(path.parent_path());
    std::string command = "sox -q -n -r 44100 -c 2 '" + path.string() + "' synth " +
                          std::to_string(milliseconds / 1000.0) + " sine 440 >/dev/null 2>&1";
    return std::system(command.c_str()) == 0 && std::filesystem::file_size(path) > 0;
}

} // namespace lvtest
