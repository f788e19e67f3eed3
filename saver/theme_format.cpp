#include "saver/theme_format.h"

#include <algorithm>
#include <cstring>

namespace {

// A text field filled to its last byte carries no NUL: the authoring tool stores such texts
// (a frame's "1.0" in its 3-byte field), so they are written back the same way.
void WriteField(lv::ByteWriter& w, std::string_view text, std::size_t size) {
    const std::size_t length = std::min(text.size(), size);
    w.bytes(text.data(), length);
    w.zeros(size - length);
}

bool ReadColor(lv::ByteReader& r, COLORREF& out) {
    std::uint32_t v = 0;
    if (!r.u32(v))
        return false;
    out = v;
    return true;
}

} // namespace

bool ReadLogFont(lv::ByteReader& r, LOGFONTA& out) {
    LOGFONTA f{};
    r.i32(f.lfHeight);
    r.i32(f.lfWidth);
    r.i32(f.lfEscapement);
    r.i32(f.lfOrientation);
    r.i32(f.lfWeight);
    r.u8(f.lfItalic);
    r.u8(f.lfUnderline);
    r.u8(f.lfStrikeOut);
    r.u8(f.lfCharSet);
    r.u8(f.lfOutPrecision);
    r.u8(f.lfClipPrecision);
    r.u8(f.lfQuality);
    r.u8(f.lfPitchAndFamily);
    if (!r.bytes(f.lfFaceName, LF_FACESIZE))
        return false;
    // A face name has at most LF_FACESIZE - 1 characters; a field filled to its last byte
    // keeps those.
    f.lfFaceName[LF_FACESIZE - 1] = '\0';
    out = f;
    return true;
}

void WriteLogFont(lv::ByteWriter& w, const LOGFONTA& f) {
    w.i32(f.lfHeight);
    w.i32(f.lfWidth);
    w.i32(f.lfEscapement);
    w.i32(f.lfOrientation);
    w.i32(f.lfWeight);
    w.u8(f.lfItalic);
    w.u8(f.lfUnderline);
    w.u8(f.lfStrikeOut);
    w.u8(f.lfCharSet);
    w.u8(f.lfOutPrecision);
    w.u8(f.lfClipPrecision);
    w.u8(f.lfQuality);
    w.u8(f.lfPitchAndFamily);
    std::size_t len = strnlen(f.lfFaceName, LF_FACESIZE - 1);
    WriteField(w, std::string_view(f.lfFaceName, len), LF_FACESIZE);
}

bool ReadThemeHeader(lv::ByteReader& r, ThemeHeader& out) {
    ThemeHeader h;
    r.text(h.magic, 16);
    r.text(h.version, 8);
    r.bytes(h.codedA.data(), h.codedA.size());
    r.bytes(h.codedB.data(), h.codedB.size());
    r.i32(h.foreignFlag);
    r.text(h.title, 260);
    r.i32(h.imageCount);
    if (!r.ok())
        return false;
    out = std::move(h);
    return true;
}

void WriteThemeHeader(lv::ByteWriter& w, const ThemeHeader& h) {
    WriteField(w, h.magic, 16);
    WriteField(w, h.version, 8);
    w.bytes(h.codedA.data(), h.codedA.size());
    w.bytes(h.codedB.data(), h.codedB.size());
    w.i32(h.foreignFlag);
    WriteField(w, h.title, 260);
    w.i32(h.imageCount);
}

bool ReadThemeInfoBlock(lv::ByteReader& r, ThemeInfoBlock& out) {
    ThemeInfoBlock b;
    r.i32(b.adFlag);
    r.text(b.authorName, 64);
    r.text(b.userId, 64);
    r.i32(b.aboutTextLength);
    r.bytes(b.codedArea.data(), b.codedArea.size());
    r.i32(b.settingsPermission);
    r.i32(b.reserved);
    r.i32(b.mediaPermission);
    if (!r.ok())
        return false;
    out = std::move(b);
    return true;
}

void WriteThemeInfoBlock(lv::ByteWriter& w, const ThemeInfoBlock& b) {
    w.i32(b.adFlag);
    WriteField(w, b.authorName, 64);
    WriteField(w, b.userId, 64);
    w.i32(b.aboutTextLength);
    w.bytes(b.codedArea.data(), b.codedArea.size());
    w.i32(b.settingsPermission);
    w.i32(b.reserved);
    w.i32(b.mediaPermission);
}

bool ReadThemeOverlayBlock(lv::ByteReader& r, ThemeOverlayBlock& out) {
    ThemeOverlayBlock b;
    r.i32(b.markPresent);
    r.i32(b.markKind);
    r.text(b.markText, 260);
    if (!ReadLogFont(r, b.markFont))
        return false;
    r.i32(b.markColor);
    r.i32(b.reserved);
    r.i32(b.markPictureLength);
    r.text(b.markPictureName, 260);
    r.i32(b.markStyle);
    r.i32(b.markPlacement);
    r.i32(b.secondFilePresent);
    r.i32(b.adCounterStart);
    r.i32(b.secondFileLength);
    r.text(b.secondFileName, 260);
    r.text(b.primaryAdBase, 260);
    r.text(b.secondaryAdBase, 260);
    if (!r.ok())
        return false;
    out = std::move(b);
    return true;
}

void WriteThemeOverlayBlock(lv::ByteWriter& w, const ThemeOverlayBlock& b) {
    w.i32(b.markPresent);
    w.i32(b.markKind);
    WriteField(w, b.markText, 260);
    WriteLogFont(w, b.markFont);
    w.i32(b.markColor);
    w.i32(b.reserved);
    w.i32(b.markPictureLength);
    WriteField(w, b.markPictureName, 260);
    w.i32(b.markStyle);
    w.i32(b.markPlacement);
    w.i32(b.secondFilePresent);
    w.i32(b.adCounterStart);
    w.i32(b.secondFileLength);
    WriteField(w, b.secondFileName, 260);
    WriteField(w, b.primaryAdBase, 260);
    WriteField(w, b.secondaryAdBase, 260);
}

bool ReadThemeSettingsBlock(lv::ByteReader& r, ThemeSettingsBlock& out) {
    ThemeSettingsBlock b;
    r.i32(b.disableMouseMove);
    r.i32(b.captionPosition);
    r.i32(b.imageOrder);
    r.i32(b.imageTime);
    r.i32(b.imageSizing);
    r.i32(b.reserved20);
    r.i32(b.musicCount);
    r.i32(b.musicPlayMode);
    r.i32(b.musicOrder);
    r.i32(b.musicLoop);
    r.i32(b.musicOff);
    r.i32(b.backgroundMode);
    r.i32(b.gradientKind);
    ReadColor(r, b.solidColor);
    ReadColor(r, b.gradientStartColor);
    ReadColor(r, b.gradientEndColor);
    if (!ReadLogFont(r, b.captionFont))
        return false;
    ReadColor(r, b.captionColor);
    r.bytes(b.transitionFlags.data(), b.transitionFlags.size());
    r.i32(b.framePresent);
    r.i32(b.reserved392);
    r.i32(b.reserved396);
    r.i32(b.reserved400);
    if (!r.ok())
        return false;
    out = b;
    return true;
}

void WriteThemeSettingsBlock(lv::ByteWriter& w, const ThemeSettingsBlock& b) {
    w.i32(b.disableMouseMove);
    w.i32(b.captionPosition);
    w.i32(b.imageOrder);
    w.i32(b.imageTime);
    w.i32(b.imageSizing);
    w.i32(b.reserved20);
    w.i32(b.musicCount);
    w.i32(b.musicPlayMode);
    w.i32(b.musicOrder);
    w.i32(b.musicLoop);
    w.i32(b.musicOff);
    w.i32(b.backgroundMode);
    w.i32(b.gradientKind);
    w.u32(b.solidColor);
    w.u32(b.gradientStartColor);
    w.u32(b.gradientEndColor);
    WriteLogFont(w, b.captionFont);
    w.u32(b.captionColor);
    w.bytes(b.transitionFlags.data(), b.transitionFlags.size());
    w.i32(b.framePresent);
    w.i32(b.reserved392);
    w.i32(b.reserved396);
    w.i32(b.reserved400);
}

bool ReadImageRecord(lv::ByteReader& r, ImageRecord& out) {
    ImageRecord rec;
    r.i32(rec.kind);
    r.text(rec.name, 260);
    r.text(rec.caption, 260);
    r.i32(rec.dataLength);
    if (!r.ok())
        return false;
    out = std::move(rec);
    return true;
}

void WriteImageRecord(lv::ByteWriter& w, const ImageRecord& rec) {
    w.i32(rec.kind);
    WriteField(w, rec.name, 260);
    WriteField(w, rec.caption, 260);
    w.i32(rec.dataLength);
}

bool ReadMusicRecord(lv::ByteReader& r, MusicRecord& out) {
    MusicRecord rec;
    r.i32(rec.kind);
    r.text(rec.name, 260);
    r.i32(rec.dataLength);
    if (!r.ok())
        return false;
    out = std::move(rec);
    return true;
}

void WriteMusicRecord(lv::ByteWriter& w, const MusicRecord& rec) {
    w.i32(rec.kind);
    WriteField(w, rec.name, 260);
    w.i32(rec.dataLength);
}

bool ReadFrameRecord(lv::ByteReader& r, FrameRecord& out) {
    FrameRecord f;
    r.text(f.ver, 3);
    r.text(f.title, 33);
    r.i32(f.direction);
    r.i32(f.format);
    for (std::string* piece :
         {&f.upleft, &f.upmid, &f.upright, &f.ctleft, &f.ctright, &f.btleft, &f.btmid, &f.btright})
        r.text(*piece, 9);
    r.i32(f.type);
    r.i32(f.stretch_mode);
    r.text(f.pic_drawpt, 9);
    r.text(f.extraspace, 9);
    r.text(f.pictureName, 262);
    r.i32(f.dataLength);
    if (!r.ok())
        return false;
    out = std::move(f);
    return true;
}

void WriteFrameRecord(lv::ByteWriter& w, const FrameRecord& f) {
    WriteField(w, f.ver, 3);
    WriteField(w, f.title, 33);
    w.i32(f.direction);
    w.i32(f.format);
    for (const std::string* piece :
         {&f.upleft, &f.upmid, &f.upright, &f.ctleft, &f.ctright, &f.btleft, &f.btmid, &f.btright})
        WriteField(w, *piece, 9);
    w.i32(f.type);
    w.i32(f.stretch_mode);
    WriteField(w, f.pic_drawpt, 9);
    WriteField(w, f.extraspace, 9);
    WriteField(w, f.pictureName, 262);
    w.i32(f.dataLength);
}
