// Test tracks made on the spot: a sine tone as a 16-bit PCM WAV file, or encoded by sox.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lvtest {

struct ToneSpec {
    std::uint32_t milliseconds = 400;
    std::uint32_t sample_rate = 22050;
    std::uint16_t channels = 1;
    double frequency = 440.0;
};

std::vector<std::uint8_t> tone_wav_bytes(const ToneSpec& spec);
void write_tone_wav(const std::filesystem::path& path, const ToneSpec& spec = {});

// Encodes a tone with sox into the format its extension names (".mp3", ".ogg"); false when sox
// or its encoder for that format is not there.
bool write_tone_with_sox(const std::filesystem::path& path, std::uint32_t milliseconds);

} // namespace lvtest
