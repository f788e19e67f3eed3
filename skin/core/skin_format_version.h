// The format revision of the skin file being read. It belongs to the process: every record
// reader consults it to know which revision-dependent fields its record holds.
#pragma once

#include <cstdint>

struct SkinFormatRevision {
    static constexpr std::uint8_t kMajor = 1;
    static constexpr std::uint8_t kNewestMinor = 11;

    std::uint8_t major = kMajor;
    std::uint8_t minor = kNewestMinor;

    void Reset() { *this = SkinFormatRevision{}; }
};

inline SkinFormatRevision SkinFormatVersion;
