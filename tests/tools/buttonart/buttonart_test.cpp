// buttonart run as the build runs it: labels readable on light and dark faces, the looks as
// they are described, bad arguments refused; and a program's list compiled into resources.
#include "imagelib/px_image.h"
#include "tests/platform/gdi/gdi_fixture.h"
#include "tests/support/process_runner.h"
#include "tests/support/scratch_dir.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

int Luma(COLORREF c) {
    return (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c)) / 1000;
}

// A drawn file, read back with the image library; rows counted from the top.
class Art {
public:
    explicit Art(const std::filesystem::path& file) {
        const std::vector<unsigned char> bytes = lvtest::ReadFileBytes(file);
        m_ok = m_image.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()),
                                        PXIMAGE_FORMAT_BMP);
    }
    bool ok() const { return m_ok; }
    int width() const { return static_cast<int>(m_image.GetWidth()); }
    int height() const { return static_cast<int>(m_image.GetHeight()); }
    COLORREF at(int x, int y) const {
        return PxImage::RgbQuadToRgb(m_image.GetPixelColor(x, height() - 1 - y, false));
    }

private:
    PxImage m_image;
    bool m_ok = false;
};

class ButtonArt : public ::testing::Test {
protected:
    lvtest::ProcessResult run(const std::vector<std::string>& args) {
        return lvtest::RunProgram(LV_BUTTONART, args);
    }
    // Draws and reads back; fails the test when the tool does.
    Art draw(const std::string& name, std::vector<std::string> args) {
        const auto file = m_dir / name;
        args.insert(args.begin(), file.string());
        const lvtest::ProcessResult result = run(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        Art art(file);
        EXPECT_TRUE(art.ok()) << name;
        return art;
    }
    lvtest::ScratchDir m_dir;
};

TEST_F(ButtonArt, TheLabelIsDarkOnLightFacesAndLightOnDarkOnes) {
    struct Case {
        const char* colour;
        const char* look;
        bool light;
    };
    const Case cases[] = {
        {"e8e0c8", "face", true},  {"e8e0c8", "pressed", true}, {"f0f0f0", "flat", true},
        {"3a6ea5", "face", false}, {"3a6ea5", "hover", false},  {"203040", "pressed", false},
        {"6890c0", "flat", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.colour) + " " + c.look);
        const Art bare = draw("bare.bmp", {"76", "36", c.colour, c.look});
        const Art labelled = draw("label.bmp", {"76", "36", c.colour, c.look, "Cancel"});
        int inked = 0, wrongWay = 0, outsideChanged = 0;
        for (int y = 0; y < 36; ++y) {
            for (int x = 0; x < 76; ++x) {
                const int change = Luma(labelled.at(x, y)) - Luma(bare.at(x, y));
                const bool middle = x >= 10 && x < 66 && y >= 10 && y < 26;
                if (!middle) {
                    outsideChanged += change != 0;
                    continue;
                }
                inked += c.light ? change < -60 : change > 60;
                wrongWay += c.light ? change > 0 : change < 0;
            }
        }
        EXPECT_GT(inked, 40);
        EXPECT_EQ(wrongWay, 0);
        EXPECT_EQ(outsideChanged, 0);
    }
}

// Small buttons carry a glyph: ink in the middle only, each glyph its own shape, an arrow
// pointing the way it says, and a pressed face's glyph moved with it.
TEST_F(ButtonArt, GlyphLabelsDrawTheirShapeInTheMiddle) {
    auto inked = [](const Art& art, int x, int y) { return Luma(art.at(x, y)) > 200; };
    std::set<std::vector<bool>> shapes;
    for (const char* glyph :
         {"<plus>", "<minus>", "<up>", "<down>", "<cross>", "<play>", "<stop>"}) {
        SCOPED_TRACE(glyph);
        const Art art = draw("glyph.bmp", {"33", "36", "3a6ea5", "flat", glyph});
        std::vector<bool> shape;
        int ink = 0, outside = 0;
        for (int y = 0; y < 36; ++y)
            for (int x = 0; x < 33; ++x) {
                shape.push_back(inked(art, x, y));
                const bool middle = x >= 6 && x < 27 && y >= 6 && y < 30;
                (middle ? ink : outside) += inked(art, x, y);
            }
        EXPECT_GT(ink, 12);
        EXPECT_EQ(outside, 0);
        shapes.insert(shape);
    }
    EXPECT_EQ(shapes.size(), 7u);
    // The up arrow is wider at its bottom than at its top; down the other way.
    auto widths = [&](const Art& art) {
        std::vector<int> rows;
        for (int y = 0; y < 36; ++y) {
            int n = 0;
            for (int x = 0; x < 33; ++x)
                n += inked(art, x, y);
            if (n > 0)
                rows.push_back(n);
        }
        return rows;
    };
    const auto up = widths(draw("up.bmp", {"33", "36", "3a6ea5", "flat", "<up>"}));
    const auto down = widths(draw("down.bmp", {"33", "36", "3a6ea5", "flat", "<down>"}));
    ASSERT_GE(up.size(), 3u);
    ASSERT_GE(down.size(), 3u);
    EXPECT_LT(up.front() * 3, up.back());
    EXPECT_GT(down.front(), down.back() * 3);
    const Art face = draw("stop.bmp", {"33", "36", "3a6ea5", "face", "<stop>"});
    const Art pressed = draw("stopped.bmp", {"33", "36", "3a6ea5", "pressed", "<stop>"});
    int left = 33, pressedLeft = 33;
    for (int x = 32; x >= 0; --x) {
        if (inked(face, x, 18))
            left = x;
        if (inked(pressed, x, 18))
            pressedLeft = x;
    }
    EXPECT_EQ(pressedLeft, left + 1);
}

TEST_F(ButtonArt, FacesAreShadedAsTheirLookSays) {
    const COLORREF colour = RGB(0x3a, 0x6e, 0xa5);
    const Art face = draw("face.bmp", {"76", "36", "3a6ea5", "face"});
    const Art hover = draw("hover.bmp", {"76", "36", "3a6ea5", "hover"});
    const Art pressed = draw("pressed.bmp", {"76", "36", "3a6ea5", "pressed"});
    const Art flat = draw("flat.bmp", {"76", "36", "3a6ea5", "flat"});
    const Art plain = draw("plain.bmp", {"76", "36", "3a6ea5"});
    // Lighter at the top, darker at the bottom, a darker border.
    EXPECT_GT(Luma(face.at(38, 1)), Luma(colour));
    EXPECT_LT(Luma(face.at(38, 34)), Luma(colour));
    EXPECT_LT(Luma(face.at(0, 18)), Luma(face.at(38, 34)));
    EXPECT_GT(Luma(hover.at(38, 1)), Luma(face.at(38, 1)));
    EXPECT_GT(Luma(hover.at(38, 34)), Luma(face.at(38, 34)));
    // Pushed in: darker at the top than at the bottom.
    EXPECT_LT(Luma(pressed.at(38, 1)), Luma(pressed.at(38, 34)));
    // Face is the default look.
    EXPECT_EQ(plain.at(38, 1), face.at(38, 1));
    EXPECT_EQ(plain.at(0, 0), face.at(0, 0));
    // Flat is the colour alone, every pixel.
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 76; ++x)
            ASSERT_EQ(flat.at(x, y), colour) << x << "," << y;
}

TEST_F(ButtonArt, ThePictureIsALandscapeAndTheIconAFrameOnMagenta) {
    const Art picture = draw("picture.bmp", {"158", "317", "6890c0", "picture"});
    ASSERT_EQ(picture.width(), 158);
    ASSERT_EQ(picture.height(), 317);
    std::set<COLORREF> colours;
    for (int y = 0; y < 317; y += 3)
        for (int x = 0; x < 158; x += 3)
            colours.insert(picture.at(x, y));
    EXPECT_GT(colours.size(), 100u);
    // A deeper sky above, lighter toward the horizon.
    EXPECT_LT(Luma(picture.at(10, 2)) + 30, Luma(picture.at(10, 150)));

    const COLORREF magenta = RGB(255, 0, 255);
    const Art icon = draw("icon.bmp", {"32", "32", "b07830", "icon"});
    ASSERT_EQ(icon.width(), 32);
    for (const auto& [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}, {16, 1}, {1, 16}})
        EXPECT_EQ(icon.at(x, y), magenta) << x << "," << y;
    int framed = 0, inside = 0;
    for (int y = 4; y < 28; ++y) {
        for (int x = 2; x < 30; ++x) {
            const COLORREF c = icon.at(x, y);
            EXPECT_NE(c, magenta) << x << "," << y;
            const bool picturePart = x >= 6 && x < 26 && y >= 8 && y < 24;
            if (picturePart)
                inside += GetBValue(c) > GetRValue(c) || GetGValue(c) > GetRValue(c); // sky, hills
            else
                framed += GetRValue(c) > GetBValue(c); // the frame in the colour's hue
        }
    }
    EXPECT_GT(framed, 150);
    EXPECT_GT(inside, 200);
}

TEST_F(ButtonArt, BadArgumentsFailWithAMessage) {
    const std::string out = (m_dir / "x.bmp").string();
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        {{out, "76", "36"}, 2, "usage"},
        {{out, "76", "36", "3a6ea5", "face", "OK", "extra"}, 2, "usage"},
        {{out, "0", "36", "3a6ea5"}, 2, "bad size"},
        {{out, "76", "5000", "3a6ea5"}, 2, "bad size"},
        {{out, "76x", "36", "3a6ea5"}, 2, "bad size"},
        {{out, "76", "36", "3a6ea"}, 2, "bad colour"},
        {{out, "76", "36", "#3a6ea"}, 2, "bad colour"},
        {{out, "76", "36", "3a6eag"}, 2, "bad colour"},
        {{out, "76", "36", "3a6ea5", "shiny"}, 2, "unknown look shiny"},
        {{out, "32", "32", "3a6ea5", "icon", "OK"}, 2, "no label"},
        {{out, "76", "36", "3a6ea5", "face", "Gr\xc3\xbc\xc3\x9f"}, 2, "ASCII"},
        {{(m_dir / "missing" / "x.bmp").string(), "76", "36", "3a6ea5"}, 1, "cannot write"},
    };
    for (const Case& c : cases) {
        const lvtest::ProcessResult result = run(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

// The program's list became a bitmap and an icon resource, through the manifest lines of
// cmake/Bitmaps.cmake.
TEST(ButtonArtList, TheListIsCompiledIntoBitmapsAndIcons) {
    HBITMAP button = LoadBitmapA(nullptr, MAKEINTRESOURCE(173));
    HBITMAP picture = LoadBitmapA(nullptr, MAKEINTRESOURCE(147));
    ASSERT_NE(button, nullptr);
    ASSERT_NE(picture, nullptr);
    BITMAP info{};
    GetObjectA(picture, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 158);
    EXPECT_EQ(info.bmHeight, 317);
    EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCE(128)), nullptr); // the icon is no bitmap

    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCE(128));
    ASSERT_NE(icon, nullptr);
    lv::gdi::testing::MemoryCanvas board(32, 32, RGB(255, 255, 255));
    DrawIconEx(board.dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(board.at(0, 0), RGB(255, 255, 255)); // magenta let the board through
    EXPECT_NE(board.at(16, 16), RGB(255, 255, 255));
    DestroyIcon(icon);
    DeleteObject(button);
    DeleteObject(picture);
}

} // namespace
