#include "generated_source.h"
#include "kinds.h"
#include "manifest.h"

#include "tests/support/bmp_writer.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using rescomp::CompileError;
using rescomp::parse_manifest;

TEST(Manifest, FieldsQuotesCommentsAndVariables) {
    const std::string text = "# resources\n"
                             "\n"
                             "  strings\ten   \"strings/en us.txt\"\r\n"
                             "binary UNINSTALL 130 ${uninstaller}\n"
                             "binary GLAZE_WORK DEFAULT_SKIN ${root}/skins/${name}.skin\n";
    const auto lines = parse_manifest(
        text, "app.manifest", {{"uninstaller", "/b/un.exe"}, {"root", "/r"}, {"name", "default"}});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].kind, "strings");
    EXPECT_EQ(lines[0].fields, (std::vector<std::string>{"en", "strings/en us.txt"}));
    EXPECT_EQ(lines[0].number, 3);
    EXPECT_EQ(lines[1].fields, (std::vector<std::string>{"UNINSTALL", "130", "/b/un.exe"}));
    EXPECT_EQ(lines[2].fields[2], "/r/skins/default.skin");
}

TEST(Manifest, FaultsNameTheLine) {
    const char* cases[] = {
        "binary A 1 ${missing}\n",
        "binary A 1 ${unterminated\n",
        "binary A 1 \"unterminated\n",
    };
    for (const char* text : cases) {
        EXPECT_THROW(
            {
                try {
                    parse_manifest(std::string("# first\n") + text, "m.manifest", {});
                } catch (const CompileError& error) {
                    EXPECT_EQ(std::string(error.what()).rfind("m.manifest:2: ", 0), 0u)
                        << error.what();
                    throw;
                }
            },
            CompileError)
            << text;
    }
}

TEST(Manifest, ResourceIdsAreNumbersOrNames) {
    struct Case {
        const char* token;
        std::optional<int> id;
        const char* name;
    };
    const Case cases[] = {
        {"130", 130, ""},     {"#130", 130, ""},
        {"65535", 65535, ""}, {"DEFAULT_SKIN", {}, "DEFAULT_SKIN"},
        {"AVI", {}, "AVI"},   {"1a", {}, "1a"},
    };
    for (const Case& c : cases) {
        const auto parsed = rescomp::parse_resource_id(c.token);
        ASSERT_TRUE(parsed) << c.token;
        EXPECT_EQ(parsed->id ? std::optional<int>(*parsed->id) : std::nullopt, c.id) << c.token;
        EXPECT_EQ(parsed->name, c.name) << c.token;
    }
    for (const char* bad : {"0", "65536", "#", "#x", ""})
        EXPECT_FALSE(rescomp::parse_resource_id(bad)) << bad;
}

// Compiles manifest lines the way the tool does, with files in a scratch folder.
class KindsTest : public ::testing::Test {
protected:
    void write(const std::string& name, const std::string& content) {
        std::ofstream(m_dir / name, std::ios::binary) << content;
    }
    void write(const std::string& name, const std::vector<std::uint8_t>& content) {
        write(name, std::string(content.begin(), content.end()));
    }
    void compile(const std::string& manifest) {
        rescomp::KindContext context{m_output, m_dir.path()};
        for (const auto& line : parse_manifest(manifest, m_dir / "m.manifest", {})) {
            const rescomp::ResourceKind* kind = rescomp::find_kind(line.kind);
            if (!kind)
                line.fail("unknown resource kind");
            kind->compile(line, context);
        }
    }
    lvtest::ScratchDir m_dir;
    rescomp::GeneratedSource m_output;
};

TEST_F(KindsTest, DuplicatesAndBadLinesAreRefused) {
    write("a.txt", "1\tone\n");
    write("b.txt", "1\tagain\n");
    write("blob", "xyz");
    const char* cases[] = {
        "strings en a.txt\nstrings en b.txt\n",
        "strings de a.txt\n",
        "strings en\n",
        "strings en missing.txt\n",
        "binary T 1 blob\nbinary t #1 blob\n",
        "binary T 0 blob\n",
        "binary T 1 missing\n",
        "dialog en 157 about.dlg\n",
    };
    for (const char* manifest : cases) {
        rescomp::GeneratedSource fresh;
        m_output = fresh;
        EXPECT_THROW(compile(manifest), CompileError) << manifest;
    }
}

TEST_F(KindsTest, SameIdInAnotherLanguageIsAllowed) {
    write("a.txt", "1\tone\n");
    write("b.txt", "1\tichi\n");
    EXPECT_NO_THROW(compile("strings en a.txt\nstrings ja b.txt\n"));
    EXPECT_EQ(m_output.dependencies().size(), 2u);
}

// A 2 x 2 picture: magenta (transparent for an icon) top left.
lvtest::BmpSpec small_picture(int bitCount = 24) {
    lvtest::BmpSpec spec;
    spec.width = 2;
    spec.height = 2;
    spec.bitCount = bitCount;
    spec.pixels = {0xFF00FF, 0x102030, 0x405060, 0x708090};
    if (bitCount <= 8) {
        spec.palette = {{0, 0, 0}, {255, 255, 255}};
        spec.pixels = {0, 1, 1, 0};
    }
    return spec;
}

TEST_F(KindsTest, BitmapsAndIconsHoldThePackedDib) {
    const std::vector<std::uint8_t> file = lvtest::WriteBmp(small_picture());
    write("p.bmp", file);
    compile("bitmap 147 p.bmp\nicon 128 p.bmp\n");
    ASSERT_EQ(m_output.data().size(), 2u);
    const std::vector<std::uint8_t> dib(file.begin() + 14, file.end());
    const rescomp::DataResource& bitmap = m_output.data()[0];
    const rescomp::DataResource& icon = m_output.data()[1];
    EXPECT_EQ(bitmap.type, (rescomp::ResourceId{2, {}}));
    EXPECT_EQ(bitmap.name, (rescomp::ResourceId{147, {}}));
    EXPECT_EQ(icon.type, (rescomp::ResourceId{3, {}}));
    EXPECT_EQ(icon.name, (rescomp::ResourceId{128, {}}));
    EXPECT_EQ(bitmap.bytes, dib);
    EXPECT_EQ(icon.bytes, dib);
    EXPECT_EQ(icon.size, dib.size());
}

// A packed DIB has its pixels right after the colours: a gap the file leaves is dropped.
TEST_F(KindsTest, AGapBeforeThePixelsIsLeftOut) {
    const std::vector<std::uint8_t> plain = lvtest::WriteBmp(small_picture());
    std::vector<std::uint8_t> gapped = plain;
    gapped.insert(gapped.begin() + 54, 6, 0xEE);
    gapped[10] = 60;
    write("gap.bmp", gapped);
    compile("icon 128 gap.bmp\n");
    ASSERT_EQ(m_output.data().size(), 1u);
    EXPECT_EQ(m_output.data()[0].bytes, std::vector<std::uint8_t>(plain.begin() + 14, plain.end()));
}

TEST_F(KindsTest, IconsAreUncompressed24BitBmpFiles) {
    write("p.bmp", lvtest::WriteBmp(small_picture()));
    write("eight.bmp", lvtest::WriteBmp(small_picture(8)));
    lvtest::BmpSpec v5 = small_picture();
    v5.form = lvtest::BmpHeaderForm::V5;
    write("v5.bmp", lvtest::WriteBmp(v5));
    std::vector<std::uint8_t> far = lvtest::WriteBmp(small_picture());
    far[10] = 0xF0; // pixels past the end
    write("far.bmp", far);
    std::vector<std::uint8_t> odd = lvtest::WriteBmp(small_picture());
    odd[28] = 7; // bits a pixel
    write("odd.bmp", odd);
    std::vector<std::uint8_t> crowded = lvtest::WriteBmp(small_picture(8));
    crowded[46] = 0x01; // 257 colours for 8 bits
    crowded[47] = 0x01;
    write("crowded.bmp", crowded);
    write("text.bmp", "BM but not a picture");
    const char* cases[] = {
        "icon 128 eight.bmp\n",   "icon 128 v5.bmp\n",
        "icon 128 far.bmp\n",     "icon 128 odd.bmp\n",
        "bitmap 5 crowded.bmp\n", "icon 128 text.bmp\n",
        "icon 128 missing.bmp\n", "icon 128\n",
        "icon 0 p.bmp\n",         "icon 128 p.bmp\nicon #128 p.bmp\n",
    };
    for (const char* manifest : cases) {
        rescomp::GeneratedSource fresh;
        m_output = fresh;
        EXPECT_THROW(compile(manifest), CompileError) << manifest;
    }
    // The same id as a bitmap is another resource.
    m_output = rescomp::GeneratedSource{};
    EXPECT_NO_THROW(compile("icon 128 p.bmp\nbitmap 128 eight.bmp\n"));
}

} // namespace
