// Reads and checks the structure of a whole theme data file before anything is extracted,
// so that a truncated or damaged file loads nothing half-way.
#pragma once

#include "saver/theme_format.h"
#include "saver/theme_source.h"

#include <optional>
#include <string>
#include <vector>

// One embedded file: where its bytes lie in the theme file and the name it is extracted as.
struct EmbeddedFile {
    std::string name;
    std::uint64_t offset = 0;
    std::uint32_t length = 0;
};

struct ThemeContents {
    ThemeHeader header;
    ThemeInfoBlock info;
    std::string aboutText;
    ThemeOverlayBlock overlay;
    std::optional<EmbeddedFile> markPicture;
    std::optional<EmbeddedFile> secondFile;
    // The int stored before the mark picture or second file differed from the overlay block's
    // length; the block's length was used.
    bool markLengthMismatch = false;
    bool secondLengthMismatch = false;
    ThemeSettingsBlock settings;
    std::vector<ImageRecord> images;
    std::vector<EmbeddedFile> imageFiles;
    std::vector<MusicRecord> music;
    std::vector<EmbeddedFile> musicFiles;
    std::optional<FrameRecord> frame;
    std::optional<EmbeddedFile> frameFile;
};

enum class ThemeReadStatus {
    Ok,
    Damaged, // truncated, impossible lengths or counts, unsafe names
};

// A name from the file that becomes one file or folder name inside the work folder: not
// empty, not "." or "..", and none of the characters a Windows file name cannot hold
// (separators, drive colon, wildcards, <>"| and control characters).
bool IsSafeThemeName(const std::string& name);

ThemeReadStatus ReadThemeContents(ThemeSource& source, ThemeContents& out);
