// Writes a complete theme data file from values: the fixtures of the tests and the bundled
// sample theme are made with it. Counts and lengths follow the data unless asked not to,
// so damaged files can be made on purpose.
#pragma once

#include "saver/theme_format.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lvtools {

struct ThemeImage {
    std::string name;
    std::string caption;
    std::vector<std::uint8_t> data;
};

struct ThemeTrack {
    std::string name;
    std::vector<std::uint8_t> data;
};

struct ThemeFrame {
    FrameRecord record;
    std::vector<std::uint8_t> data;
};

struct ThemeSpec {
    ThemeSpec();

    ThemeHeader header;
    ThemeInfoBlock info;
    std::string aboutText;
    ThemeOverlayBlock overlay;
    std::vector<std::uint8_t> markPicture; // written when markPresent == 1 and markKind != 0
    std::vector<std::uint8_t> secondFile;  // written when secondFilePresent == 1
    ThemeSettingsBlock settings;
    std::vector<ThemeImage> images;
    std::vector<ThemeTrack> music;
    std::optional<ThemeFrame> frame;

    // When true (the default) imageCount, aboutTextLength, musicCount, framePresent and every
    // length field are set from the data; when false they are written as given.
    bool fillCounts = true;
};

// Where each part of the file begins, for truncating or patching a built file on purpose.
struct ThemeLayout {
    std::size_t header = 0, info = 0, about = 0, overlay = 0, markPicture = 0, secondFile = 0,
                settings = 0, end = 0;
    std::vector<std::size_t> imageRecords, musicRecords;
    std::optional<std::size_t> frameRecord;
    // Every block and record start, in file order, followed by the end of the file.
    std::vector<std::size_t> boundaries;
};

struct BuiltTheme {
    std::vector<std::uint8_t> bytes;
    ThemeLayout layout;
};

BuiltTheme BuildTheme(const ThemeSpec& spec);

// A caption or mark font as the authoring tool stores it.
LOGFONTA MakeLogFont(const char* face, LONG height, LONG weight = 400, bool italic = false,
                     bool underline = false);

} // namespace lvtools
