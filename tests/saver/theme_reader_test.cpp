#include "saver/theme_reader.h"
#include "tools/themebuilder/theme_builder.h"

#include <gtest/gtest.h>

#include <functional>

using lvtools::BuildTheme;
using lvtools::BuiltTheme;
using lvtools::ThemeSpec;

namespace {

std::vector<std::uint8_t> Bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

ThemeSpec FullSpec() {
    ThemeSpec spec;
    spec.header.title = "Quiet Test";
    spec.info.adFlag = 1;
    spec.info.userId = "user-7";
    spec.aboutText = "{\\rtf1 About}";
    spec.overlay.markPresent = 1;
    spec.overlay.markKind = 1;
    spec.overlay.markPictureName = "mark.png";
    spec.markPicture = Bytes("MARK");
    spec.overlay.secondFilePresent = 1;
    spec.overlay.secondFileName = "second.bin";
    spec.secondFile = Bytes("SECOND!");
    spec.overlay.adCounterStart = 9;
    spec.overlay.primaryAdBase = "http://a.example";
    spec.settings.imageTime = 7;
    spec.settings.transitionFlags[0] = 1;
    spec.settings.transitionFlags[4] = 1;
    spec.images = {{"one.jpg", "First", Bytes("JPEGDATA1")}, {"two.png", "", Bytes("PNG2")}};
    spec.music = {{"song.wav", Bytes("RIFFWAVE")}};
    lvtools::ThemeFrame frame;
    frame.record.ver = "10";
    frame.record.title = "Wood";
    frame.record.upleft = "10 12";
    frame.record.pictureName = "frame.bmp";
    frame.data = Bytes("BMFRAME");
    spec.frame = frame;
    return spec;
}

ThemeReadStatus Read(const std::vector<std::uint8_t>& bytes, ThemeContents& out) {
    MemoryThemeSource source(bytes);
    return ReadThemeContents(source, out);
}

std::string DataOf(const std::vector<std::uint8_t>& bytes, const EmbeddedFile& f) {
    return std::string(bytes.begin() + static_cast<long>(f.offset),
                       bytes.begin() + static_cast<long>(f.offset + f.length));
}

} // namespace

TEST(ThemeReader, ReadsEveryBlockOfABuiltTheme) {
    BuiltTheme built = BuildTheme(FullSpec());
    ThemeContents c;
    ASSERT_EQ(Read(built.bytes, c), ThemeReadStatus::Ok);
    EXPECT_EQ(c.header.title, "Quiet Test");
    EXPECT_EQ(c.header.version, "2.5.0");
    EXPECT_EQ(c.header.imageCount, 2);
    EXPECT_EQ(c.info.userId, "user-7");
    EXPECT_EQ(c.aboutText, "{\\rtf1 About}");
    ASSERT_TRUE(c.markPicture && c.secondFile);
    EXPECT_EQ(DataOf(built.bytes, *c.markPicture), "MARK");
    EXPECT_EQ(DataOf(built.bytes, *c.secondFile), "SECOND!");
    EXPECT_FALSE(c.markLengthMismatch);
    EXPECT_EQ(c.settings.imageTime, 7);
    ASSERT_EQ(c.imageFiles.size(), 2u);
    EXPECT_EQ(c.images[0].caption, "First");
    EXPECT_EQ(DataOf(built.bytes, c.imageFiles[1]), "PNG2");
    ASSERT_EQ(c.musicFiles.size(), 1u);
    EXPECT_EQ(DataOf(built.bytes, c.musicFiles[0]), "RIFFWAVE");
    ASSERT_TRUE(c.frame && c.frameFile);
    EXPECT_EQ(c.frame->upleft, "10 12");
    EXPECT_EQ(DataOf(built.bytes, *c.frameFile), "BMFRAME");
}

TEST(ThemeReader, OptionalBlocksAreAbsentWhenTheirFlagsSaySo) {
    ThemeSpec spec;
    spec.header.title = "Plain";
    spec.overlay.markPresent = 1; // a text mark: no data follows the overlay block
    spec.overlay.markKind = 0;
    spec.frame.reset();
    BuiltTheme built = BuildTheme(spec);
    // The writer may leave an old frame record behind when the frame was switched off.
    built.bytes.insert(built.bytes.end(), 408, 0xEE);
    ThemeContents c;
    ASSERT_EQ(Read(built.bytes, c), ThemeReadStatus::Ok);
    EXPECT_TRUE(c.aboutText.empty());
    EXPECT_FALSE(c.markPicture);
    EXPECT_FALSE(c.secondFile);
    EXPECT_TRUE(c.images.empty());
    EXPECT_TRUE(c.music.empty());
    EXPECT_FALSE(c.frame);
}

TEST(ThemeReader, AStoredMarkLengthThatDiffersIsNotedAndTheBlockLengthUsed) {
    ThemeSpec spec = FullSpec();
    BuiltTheme built = BuildTheme(spec);
    // Stored int before the mark picture says 3, the block says 4.
    built.bytes[built.layout.markPicture] = 3;
    ThemeContents c;
    ASSERT_EQ(Read(built.bytes, c), ThemeReadStatus::Ok);
    EXPECT_TRUE(c.markLengthMismatch);
    EXPECT_EQ(DataOf(built.bytes, *c.markPicture), "MARK");
}

TEST(ThemeReader, EveryTruncationIsDamage) {
    BuiltTheme built = BuildTheme(FullSpec());
    const auto& b = built.layout.boundaries;
    for (std::size_t i = 0; i + 1 < b.size(); ++i) {
        for (std::size_t cut : {b[i], b[i] + 1, b[i + 1] - 1}) {
            if (cut >= built.bytes.size())
                continue;
            std::vector<std::uint8_t> shorter(built.bytes.begin(),
                                              built.bytes.begin() + static_cast<long>(cut));
            ThemeContents c;
            EXPECT_EQ(Read(shorter, c), ThemeReadStatus::Damaged) << "cut at " << cut;
        }
    }
}

TEST(ThemeReader, DamagedFieldsAreRefused) {
    struct Case {
        const char* what;
        std::function<void(ThemeSpec&)> change;
    };
    const Case cases[] = {
        {"negative image count",
         [](ThemeSpec& s) {
             s.fillCounts = false;
             s.header.imageCount = -1;
         }},
        {"huge image count",
         [](ThemeSpec& s) {
             s.fillCounts = false;
             s.header.imageCount = 0x7FFFFFFF;
         }},
        {"negative music count",
         [](ThemeSpec& s) {
             s.fillCounts = false;
             s.settings.musicCount = -5;
         }},
        {"huge about length",
         [](ThemeSpec& s) {
             s.fillCounts = false;
             s.info.aboutTextLength = 0x7FFFFFF0;
         }},
        {"negative about length",
         [](ThemeSpec& s) {
             s.fillCounts = false;
             s.info.aboutTextLength = -1;
         }},
        {"negative mark length",
         [](ThemeSpec& s) {
             s.fillCounts = false;
             s.overlay.markPictureLength = -4;
         }},
        {"huge second length",
         [](ThemeSpec& s) {
             s.fillCounts = false;
             s.overlay.secondFileLength = 0x40000000;
         }},
        {"picture name with backslash", [](ThemeSpec& s) { s.images[0].name = "..\\evil.exe"; }},
        {"picture name with slash", [](ThemeSpec& s) { s.images[0].name = "sub/evil"; }},
        {"picture name dot dot", [](ThemeSpec& s) { s.images[1].name = ".."; }},
        {"empty picture name", [](ThemeSpec& s) { s.images[1].name = ""; }},
        {"music name with drive", [](ThemeSpec& s) { s.music[0].name = "C:evil.wav"; }},
        {"frame picture name traversal",
         [](ThemeSpec& s) { s.frame->record.pictureName = "..\\..\\x"; }},
        {"mark picture name traversal",
         [](ThemeSpec& s) { s.overlay.markPictureName = "\\WINDOWS\\x"; }},
        {"second file name empty", [](ThemeSpec& s) { s.overlay.secondFileName = ""; }},
        {"title with separator", [](ThemeSpec& s) { s.header.title = "a\\..\\b"; }},
        {"empty title", [](ThemeSpec& s) { s.header.title = ""; }},
    };
    for (const Case& c : cases) {
        ThemeSpec spec = FullSpec();
        c.change(spec);
        BuiltTheme built = BuildTheme(spec);
        ThemeContents contents;
        EXPECT_EQ(Read(built.bytes, contents), ThemeReadStatus::Damaged) << c.what;
    }
}

TEST(ThemeReader, TextFieldsFilledToTheirLastByteAreReadToTheirSize) {
    // The authoring tool fills fields to the last byte: a frame's "1.0" in its 3 bytes.
    ThemeSpec spec = FullSpec();
    spec.frame->record.ver = "1.0";
    spec.frame->record.title = std::string(33, 'T');
    spec.frame->record.direction = 7;
    BuiltTheme good = BuildTheme(spec);
    ThemeContents c;
    ASSERT_EQ(Read(good.bytes, c), ThemeReadStatus::Ok);
    EXPECT_EQ(c.frame->ver, "1.0");
    EXPECT_EQ(c.frame->title, std::string(33, 'T'));
    EXPECT_EQ(c.frame->direction, 7); // the title did not run into the next field

    struct Field {
        const char* what;
        std::size_t offset;
        std::size_t size;
        std::function<std::string(const ThemeContents&)> read;
        std::size_t kept; // characters a full field yields
    };
    const lvtools::ThemeLayout& at = good.layout;
    const Field fields[] = {
        {"title", at.header + 100, 260, [](const ThemeContents& t) { return t.header.title; }, 260},
        {"user id", at.info + 68, 64, [](const ThemeContents& t) { return t.info.userId; }, 64},
        {"mark picture name", at.overlay + 340, 260,
         [](const ThemeContents& t) { return t.overlay.markPictureName; }, 260},
        {"advert base", at.overlay + 880, 260,
         [](const ThemeContents& t) { return t.overlay.primaryAdBase; }, 260},
        // A face name has at most 31 characters.
        {"caption font face", at.settings + 64 + 28, 32,
         [](const ThemeContents& t) { return std::string(t.settings.captionFont.lfFaceName); }, 31},
        {"picture name", at.imageRecords[0] + 4, 260,
         [](const ThemeContents& t) { return t.images[0].name; }, 260},
        {"caption", at.imageRecords[0] + 264, 260,
         [](const ThemeContents& t) { return t.images[0].caption; }, 260},
        {"music name", at.musicRecords[0] + 4, 260,
         [](const ThemeContents& t) { return t.music[0].name; }, 260},
        {"frame piece", *at.frameRecord + 44, 9,
         [](const ThemeContents& t) { return t.frame->upleft; }, 9},
        {"frame picture name", *at.frameRecord + 142, 262,
         [](const ThemeContents& t) { return t.frame->pictureName; }, 262},
    };
    for (const Field& f : fields) {
        std::vector<std::uint8_t> bytes = good.bytes;
        std::fill(bytes.begin() + static_cast<long>(f.offset),
                  bytes.begin() + static_cast<long>(f.offset + f.size), 'A');
        ThemeContents full;
        ASSERT_EQ(Read(bytes, full), ThemeReadStatus::Ok) << f.what;
        EXPECT_EQ(f.read(full), std::string(f.kept, 'A')) << f.what;
    }
}

TEST(ThemeFormat, FullFieldsAreWrittenBackWhole) {
    FrameRecord record;
    record.ver = "1.0";
    record.title = std::string(40, 'T'); // longer than its field: cut to the field
    record.upleft = "123 45678";
    std::vector<std::uint8_t> bytes;
    lv::ByteWriter w(bytes);
    WriteFrameRecord(w, record);
    ASSERT_EQ(bytes.size(), kFrameRecordSize);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 36), "1.0" + std::string(33, 'T'));
    lv::ByteReader r(bytes);
    FrameRecord back;
    ASSERT_TRUE(ReadFrameRecord(r, back));
    EXPECT_EQ(back.ver, "1.0");
    EXPECT_EQ(back.title, std::string(33, 'T'));
    EXPECT_EQ(back.upleft, "123 45678");
}

TEST(ThemeReader, SafeNames) {
    for (const char* ok : {"a.jpg", "a..b.jpg", "...", "photo 1.png", "\xe6\x98\xa5.jpg"})
        EXPECT_TRUE(IsSafeThemeName(ok)) << ok;
    for (const char* bad :
         {"", ".", "..", "a\\b", "a/b", "C:x", "\\x", "*", "?", "a*.jpg", "pic?.png", "<x>", "a>b",
          "say \"hi\"", "a|b", "tab\there", "line\nbreak", "\x01", "\x1f"})
        EXPECT_FALSE(IsSafeThemeName(bad)) << bad;
}
