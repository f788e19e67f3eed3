// The blocks of the theme data file, in file order, and their field-by-field reading and
// writing. All integers are 32-bit little-endian; texts lie in fixed fields, zero-filled after
// the text, and a text may fill its field to the last byte (then without a NUL).
#pragma once

#include "util/le_bytes.h"
#include "win32/types.h"

#include <array>
#include <cstdint>
#include <string>

inline constexpr char kThemeMagic[] = "QJV,Quillmore";

inline constexpr std::size_t kThemeHeaderSize = 364;
inline constexpr std::size_t kThemeInfoBlockSize = 292;
inline constexpr std::size_t kThemeOverlayBlockSize = 1400;
inline constexpr std::size_t kThemeSettingsBlockSize = 404;
inline constexpr std::size_t kImageRecordSize = 528;
inline constexpr std::size_t kMusicRecordSize = 268;
inline constexpr std::size_t kFrameRecordSize = 408;
inline constexpr std::size_t kLogFontSize = 60;

inline constexpr std::size_t kThemeNameFieldSize = 260;
inline constexpr std::size_t kTransitionFlagBytes = 260;
// Transition list indices 0..20; id = index + 1, 21 being the fade.
inline constexpr int kTransitionListSize = 21;

struct ThemeHeader {
    std::string magic;   // 16
    std::string version; // 8
    std::array<std::uint8_t, 48> codedA{};
    std::array<std::uint8_t, 24> codedB{};
    std::int32_t foreignFlag = 0;
    std::string title; // 260
    std::int32_t imageCount = 0;
};

struct ThemeInfoBlock {
    std::int32_t adFlag = 0;
    std::string authorName; // 64
    std::string userId;     // 64
    std::int32_t aboutTextLength = 0;
    std::array<std::uint8_t, 144> codedArea{};
    std::int32_t settingsPermission = 1;
    std::int32_t reserved = 0;
    std::int32_t mediaPermission = 1;
};

struct ThemeOverlayBlock {
    std::int32_t markPresent = 0;
    std::int32_t markKind = 0;
    std::string markText; // 260
    LOGFONTA markFont{};
    std::int32_t markColor = 0;
    std::int32_t reserved = 0;
    std::int32_t markPictureLength = 0;
    std::string markPictureName; // 260
    std::int32_t markStyle = 0;
    std::int32_t markPlacement = 0;
    std::int32_t secondFilePresent = 0;
    std::int32_t adCounterStart = 0;
    std::int32_t secondFileLength = 0;
    std::string secondFileName;  // 260
    std::string primaryAdBase;   // 260
    std::string secondaryAdBase; // 260
};

struct ThemeSettingsBlock {
    std::int32_t disableMouseMove = 0;
    std::int32_t captionPosition = 0;
    std::int32_t imageOrder = 0;
    std::int32_t imageTime = 5;
    std::int32_t imageSizing = 1;
    std::int32_t reserved20 = 0;
    std::int32_t musicCount = 0;
    std::int32_t musicPlayMode = 0;
    std::int32_t musicOrder = 0;
    std::int32_t musicLoop = 0;
    std::int32_t musicOff = 0;
    std::int32_t backgroundMode = 0;
    std::int32_t gradientKind = 0;
    COLORREF solidColor = 0;
    COLORREF gradientStartColor = 0;
    COLORREF gradientEndColor = 0;
    LOGFONTA captionFont{};
    COLORREF captionColor = 0;
    std::array<std::uint8_t, kTransitionFlagBytes> transitionFlags{};
    std::int32_t framePresent = 0;
    std::int32_t reserved392 = 0;
    std::int32_t reserved396 = 0;
    std::int32_t reserved400 = 0;
};

struct ImageRecord {
    std::int32_t kind = 1;
    std::string name;    // 260
    std::string caption; // 260
    std::int32_t dataLength = 0;
};

struct MusicRecord {
    std::int32_t kind = 0;
    std::string name; // 260
    std::int32_t dataLength = 0;
};

struct FrameRecord {
    std::string ver;   // 3
    std::string title; // 33
    std::int32_t direction = 0;
    std::int32_t format = 0;
    std::string upleft, upmid, upright, ctleft, ctright, btleft, btmid, btright; // 9 each
    std::int32_t type = 0;
    std::int32_t stretch_mode = 0;
    std::string pic_drawpt;  // 9
    std::string extraspace;  // 9
    std::string pictureName; // 262
    std::int32_t dataLength = 0;
};

// Each Read consumes exactly the block's size and fails only when the bytes run out. A text
// field is read up to its NUL or to its size, whichever comes first.
bool ReadLogFont(lv::ByteReader& r, LOGFONTA& out);
bool ReadThemeHeader(lv::ByteReader& r, ThemeHeader& out);
bool ReadThemeInfoBlock(lv::ByteReader& r, ThemeInfoBlock& out);
bool ReadThemeOverlayBlock(lv::ByteReader& r, ThemeOverlayBlock& out);
bool ReadThemeSettingsBlock(lv::ByteReader& r, ThemeSettingsBlock& out);
bool ReadImageRecord(lv::ByteReader& r, ImageRecord& out);
bool ReadMusicRecord(lv::ByteReader& r, MusicRecord& out);
bool ReadFrameRecord(lv::ByteReader& r, FrameRecord& out);

void WriteLogFont(lv::ByteWriter& w, const LOGFONTA& in);
void WriteThemeHeader(lv::ByteWriter& w, const ThemeHeader& in);
void WriteThemeInfoBlock(lv::ByteWriter& w, const ThemeInfoBlock& in);
void WriteThemeOverlayBlock(lv::ByteWriter& w, const ThemeOverlayBlock& in);
void WriteThemeSettingsBlock(lv::ByteWriter& w, const ThemeSettingsBlock& in);
void WriteImageRecord(lv::ByteWriter& w, const ImageRecord& in);
void WriteMusicRecord(lv::ByteWriter& w, const MusicRecord& in);
void WriteFrameRecord(lv::ByteWriter& w, const FrameRecord& in);
