// The table of format classes behind Encode and Decode: one entry per format number, listed in
// the order in which detection by trial tries them. A format without a codec answers as an
// unknown format. See CODECS.md for adding a codec.
#pragma once

#include <memory>
#include <span>

#include "imagelib/px_image.h"

struct PxCodecEntry {
    DWORD format;
    const char* name;
    // A fresh temporary of the format class, or null when the codec is not built.
    std::unique_ptr<PxImage> (*create)();
    // Runs the class's Decode / Encode on a temporary that create made; format is the number
    // asked for (the JPEG-2000 bridge serves several).
    bool (*decode)(PxImage& codec, PxFile* file, DWORD format);
    bool (*encode)(PxImage& codec, PxFile* file, DWORD format);
    // A failed decode still tells the caller how many frames the file holds.
    bool reportsFrameCount;
};

// Entry points for a class whose Decode(PxFile*) and Encode(PxFile*) take just the file.
template <class Codec> struct PxCodecFunctions {
    static std::unique_ptr<PxImage> Create() { return std::make_unique<Codec>(); }
    static bool Decode(PxImage& codec, PxFile* file, DWORD) {
        return static_cast<Codec&>(codec).Decode(file);
    }
    static bool Encode(PxImage& codec, PxFile* file, DWORD) {
        return static_cast<Codec&>(codec).Encode(file);
    }
};

template <class Codec>
constexpr PxCodecEntry PxCodecFor(DWORD format, const char* name, bool reportsFrameCount = false) {
    return {format,
            name,
            &PxCodecFunctions<Codec>::Create,
            &PxCodecFunctions<Codec>::Decode,
            &PxCodecFunctions<Codec>::Encode,
            reportsFrameCount};
}

constexpr PxCodecEntry PxCodecNotBuilt(DWORD format, const char* name) {
    return {format, name, nullptr, nullptr, nullptr, false};
}

// The entry of a format number 1..15 (null for 0 and above 15).
const PxCodecEntry* PxCodecFind(DWORD format);
// Format numbers in the order detection by trial tries them. The JPEG-2000 family is tried
// once, through its first entry, with the format number 0 ("any of the family").
std::span<const DWORD> PxCodecTrialOrder();
