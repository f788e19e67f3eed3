#include "tools/themebuilder/theme_builder.h"

#include <cstring>

namespace lvtools {

ThemeSpec::ThemeSpec() {
    header.magic = kThemeMagic;
    header.version = "2.5.0";
    settings.captionFont = MakeLogFont("DejaVu Sans", -24);
    settings.captionColor = 0x00FFFFFF;
}

LOGFONTA MakeLogFont(const char* face, LONG height, LONG weight, bool italic, bool underline) {
    LOGFONTA f{};
    f.lfHeight = height;
    f.lfWeight = weight;
    f.lfItalic = italic ? 1 : 0;
    f.lfUnderline = underline ? 1 : 0;
    std::strncpy(f.lfFaceName, face, LF_FACESIZE - 1);
    return f;
}

BuiltTheme BuildTheme(const ThemeSpec& in) {
    ThemeSpec spec = in;
    if (spec.fillCounts) {
        spec.header.imageCount = static_cast<std::int32_t>(spec.images.size());
        spec.info.aboutTextLength = static_cast<std::int32_t>(spec.aboutText.size());
        spec.overlay.markPictureLength = static_cast<std::int32_t>(spec.markPicture.size());
        spec.overlay.secondFileLength = static_cast<std::int32_t>(spec.secondFile.size());
        spec.settings.musicCount = static_cast<std::int32_t>(spec.music.size());
        spec.settings.framePresent = spec.frame ? 1 : 0;
    }

    BuiltTheme out;
    ThemeLayout& at = out.layout;
    lv::ByteWriter w(out.bytes);
    auto mark = [&](std::size_t& field) {
        field = w.size();
        at.boundaries.push_back(field);
    };

    mark(at.header);
    WriteThemeHeader(w, spec.header);
    mark(at.info);
    WriteThemeInfoBlock(w, spec.info);
    at.about = w.size();
    if (!spec.aboutText.empty())
        at.boundaries.push_back(at.about);
    w.bytes(spec.aboutText.data(), spec.aboutText.size());
    mark(at.overlay);
    WriteThemeOverlayBlock(w, spec.overlay);
    at.markPicture = w.size();
    if (spec.overlay.markPresent == 1 && spec.overlay.markKind != 0) {
        at.boundaries.push_back(at.markPicture);
        w.i32(static_cast<std::int32_t>(spec.markPicture.size()));
        w.bytes(spec.markPicture);
    }
    at.secondFile = w.size();
    if (spec.overlay.secondFilePresent == 1) {
        at.boundaries.push_back(at.secondFile);
        w.i32(static_cast<std::int32_t>(spec.secondFile.size()));
        w.bytes(spec.secondFile);
    }
    mark(at.settings);
    WriteThemeSettingsBlock(w, spec.settings);
    for (const ThemeImage& image : spec.images) {
        at.imageRecords.push_back(w.size());
        at.boundaries.push_back(w.size());
        ImageRecord rec;
        rec.name = image.name;
        rec.caption = image.caption;
        rec.dataLength = static_cast<std::int32_t>(image.data.size());
        WriteImageRecord(w, rec);
        w.bytes(image.data);
    }
    for (const ThemeTrack& track : spec.music) {
        at.musicRecords.push_back(w.size());
        at.boundaries.push_back(w.size());
        MusicRecord rec;
        rec.name = track.name;
        rec.dataLength = static_cast<std::int32_t>(track.data.size());
        WriteMusicRecord(w, rec);
        w.bytes(track.data);
    }
    if (spec.frame) {
        at.frameRecord = w.size();
        at.boundaries.push_back(w.size());
        FrameRecord rec = spec.frame->record;
        if (spec.fillCounts)
            rec.dataLength = static_cast<std::int32_t>(spec.frame->data.size());
        WriteFrameRecord(w, rec);
        w.bytes(spec.frame->data);
    }
    at.end = w.size();
    at.boundaries.push_back(at.end);
    return out;
}

} // namespace lvtools
