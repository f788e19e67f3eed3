#include "gdi_fixture.h"

#include <cstring>
#include <string>

using lv::gdi::testing::MemoryCanvas;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

HFONT make_font(LONG height, LONG weight = FW_NORMAL, const char* face = "Arial", BYTE italic = 0,
                BYTE underline = 0, BYTE quality = DEFAULT_QUALITY) {
    LOGFONTA log{};
    log.lfHeight = height;
    log.lfWeight = weight;
    log.lfItalic = italic;
    log.lfUnderline = underline;
    log.lfQuality = quality;
    std::strncpy(log.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&log);
}

// A canvas with a font selected; ink is any pixel that is not the background.
struct TextCanvas : MemoryCanvas {
    TextCanvas(int w, int h, HFONT f, COLORREF background = kWhite)
        : MemoryCanvas(w, h, background), font(f), background(background) {
        old_font = SelectObject(dc, font);
        SetTextColor(dc, kBlack);
        SetBkColor(dc, background);
    }
    ~TextCanvas() {
        SelectObject(dc, old_font);
        DeleteObject(font);
    }
    // Bounding box of the ink; empty when there is none.
    RECT ink() const {
        BITMAP bm{};
        GetObject(bitmap, sizeof bm, &bm);
        RECT box{bm.bmWidth, bm.bmHeight, 0, 0};
        for (int y = 0; y < bm.bmHeight; ++y) {
            for (int x = 0; x < bm.bmWidth; ++x) {
                if (raw(x, y) != background) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
            }
        }
        return box;
    }
    bool any_ink() const {
        RECT b = ink();
        return b.right > b.left;
    }
    SIZE extent(const char* text) const {
        SIZE s{};
        GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &s);
        return s;
    }
    TEXTMETRICA metrics() const {
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        return tm;
    }
    HFONT font;
    HGDIOBJ old_font;
    COLORREF background;
};

} // namespace

TEST(Fonts, HeightSignChoosesCharacterOrCellHeight) {
    TextCanvas character(10, 10, make_font(-20));
    TEXTMETRICA tm = character.metrics();
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 20);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    TextCanvas cell(10, 10, make_font(20));
    EXPECT_EQ(cell.metrics().tmHeight, 20);
    EXPECT_LT(cell.metrics().tmHeight, tm.tmHeight);
    EXPECT_EQ(character.extent("Ag").cy, tm.tmHeight);
}

TEST(Fonts, WeightItalicAndFaceNames) {
    TextCanvas normal(10, 10, make_font(-16));
    TextCanvas bold(10, 10, make_font(-16, FW_BOLD));
    EXPECT_GT(bold.extent("Wide text").cx, normal.extent("Wide text").cx);
    EXPECT_EQ(bold.metrics().tmWeight, FW_BOLD);
    TextCanvas italic(10, 10, make_font(-16, FW_NORMAL, "Arial", 1));
    EXPECT_EQ(italic.metrics().tmItalic, 1);
    // Unknown faces still give a working font.
    TextCanvas unknown(10, 10, make_font(-16, FW_NORMAL, "No Such Face"));
    EXPECT_GT(unknown.extent("abc").cx, 0);
    char face[LF_FACESIZE];
    EXPECT_GT(GetTextFaceA(normal.dc, sizeof face, face), 0);
    EXPECT_STREQ(face, "Arial");
    LOGFONTA back{};
    EXPECT_EQ(GetObject(normal.font, sizeof back, &back), static_cast<int>(sizeof back));
    EXPECT_EQ(back.lfHeight, -16);
    // The stock GUI font measures too.
    MemoryCanvas plain(10, 10);
    SelectObject(plain.dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE s{};
    EXPECT_TRUE(GetTextExtentPoint32A(plain.dc, "OK", 2, &s));
    EXPECT_GT(s.cx, 0);
}

TEST(Fonts, ExtentsAddUpAndCountBytes) {
    TextCanvas c(10, 10, make_font(-16));
    EXPECT_EQ(c.extent("ab").cx, c.extent("a").cx + c.extent("b").cx);
    EXPECT_EQ(c.extent("").cx, 0);
    SIZE s{};
    EXPECT_TRUE(GetTextExtentPoint32A(c.dc, "abcdef", 2, &s)); // only "ab"
    EXPECT_EQ(s.cx, c.extent("ab").cx);
    EXPECT_FALSE(GetTextExtentPoint32A(c.dc, "ab", -1, &s));
}

TEST(Fonts, JapaneseAndKoreanFallBackToACjkFace) {
    TextCanvas c(200, 40, make_font(-20));
    const char* japanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"; // three kanji
    const char* korean = "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4";   // three hangul syllables
    SIZE j = c.extent(japanese);
    SIZE k = c.extent(korean);
    EXPECT_GE(j.cx, 3 * 15); // full-width glyphs, not three empty boxes of zero width
    EXPECT_GE(k.cx, 3 * 15);
    SetBkMode(c.dc, TRANSPARENT);
    EXPECT_TRUE(TextOutA(c.dc, 0, 0, japanese, 9));
    EXPECT_TRUE(c.any_ink());
}

TEST(TextOutput, OpaqueFillsTheCellTransparentKeepsTheBackground) {
    TextCanvas c(120, 40, make_font(-16), kWhite);
    SetBkColor(c.dc, kBlue);
    SetBkMode(c.dc, OPAQUE);
    SIZE s = c.extent("   ");
    EXPECT_TRUE(TextOutA(c.dc, 2, 2, "   ", 3));
    EXPECT_EQ(c.at(2, 2), kBlue);
    EXPECT_EQ(c.at(2 + s.cx - 1, 2 + s.cy - 1), kBlue);
    EXPECT_EQ(c.at(2 + s.cx, 2), kWhite);
    TextCanvas t(120, 40, make_font(-16), kWhite);
    SetBkColor(t.dc, kBlue);
    SetBkMode(t.dc, TRANSPARENT);
    TextOutA(t.dc, 2, 2, "   ", 3);
    EXPECT_FALSE(t.any_ink());
}

TEST(TextOutput, AntiAliasedEdgesBlendAndNonAntiAliasedDoNot) {
    auto shades = [](TextCanvas& c) {
        SetBkMode(c.dc, TRANSPARENT);
        SetTextColor(c.dc, kBlack);
        TextOutA(c.dc, 2, 2, "Wavy sO", 7);
        int grey = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 120; ++x) {
                COLORREF p = c.raw(x, y);
                grey += (p != kWhite && p != kBlack) ? 1 : 0;
            }
        }
        return grey;
    };
    TextCanvas smooth(120, 40, make_font(-20, FW_NORMAL, "Arial", 0, 0, ANTIALIASED_QUALITY));
    TextCanvas sharp(120, 40, make_font(-20, FW_NORMAL, "Arial", 0, 0, NONANTIALIASED_QUALITY));
    EXPECT_GT(shades(smooth), 0);
    EXPECT_EQ(shades(sharp), 0);
    EXPECT_TRUE(sharp.any_ink());
}

TEST(TextOutput, AlignmentMovesTheReferencePoint) {
    struct Case {
        const char* name;
        UINT align;
        bool left_of_x;
        bool above_y;
    };
    const Case cases[] = {
        {"left top", TA_LEFT | TA_TOP, false, false},
        {"right", TA_RIGHT | TA_TOP, true, false},
        {"bottom", TA_LEFT | TA_BOTTOM, false, true},
        {"baseline", TA_LEFT | TA_BASELINE, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextCanvas canvas(200, 80, make_font(-16));
        SetBkMode(canvas.dc, TRANSPARENT);
        SetTextAlign(canvas.dc, c.align);
        TextOutA(canvas.dc, 100, 40, "HHH", 3);
        RECT ink = canvas.ink();
        ASSERT_LT(ink.left, ink.right);
        EXPECT_EQ(ink.right <= 100, c.left_of_x);
        EXPECT_EQ(ink.bottom <= 40, c.above_y);
    }
}

TEST(TextOutput, UnderlineSpansTheText) {
    TextCanvas plain(100, 30, make_font(-16));
    TextCanvas lined(100, 30, make_font(-16, FW_NORMAL, "Arial", 0, 1));
    SetBkMode(plain.dc, TRANSPARENT);
    SetBkMode(lined.dc, TRANSPARENT);
    TextOutA(plain.dc, 0, 0, "ooo", 3);
    TextOutA(lined.dc, 0, 0, "ooo", 3);
    EXPECT_GT(lined.ink().bottom, plain.ink().bottom);
    EXPECT_EQ(lined.metrics().tmUnderlined, 1);
}

TEST(ExtTextOutput, OpaqueRectangleAndClipping) {
    TextCanvas c(100, 30, make_font(-16));
    SetBkColor(c.dc, kBlue);
    RECT r{10, 5, 40, 25};
    EXPECT_TRUE(ExtTextOutA(c.dc, 10, 5, ETO_OPAQUE | ETO_CLIPPED, &r, "WWWWWWWWWW", 10, nullptr));
    EXPECT_EQ(c.at(10, 24), kBlue);
    RECT ink = c.ink();
    EXPECT_EQ(ink.left, 10);
    EXPECT_EQ(ink.right, 40); // clipped at the rectangle
    EXPECT_TRUE(ExtTextOutA(c.dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr));
}

TEST(DrawTextFormat, MeasuresLinesAndWraps) {
    TextCanvas c(300, 200, make_font(-16));
    int line = c.metrics().tmHeight;
    RECT r{0, 0, 1000, 0};
    EXPECT_EQ(DrawTextA(c.dc, "Hello", -1, &r, DT_CALCRECT | DT_SINGLELINE), line);
    EXPECT_EQ(r.right, c.extent("Hello").cx);
    EXPECT_EQ(r.bottom, line);
    r = RECT{0, 0, 1000, 0};
    EXPECT_EQ(DrawTextA(c.dc, "one\ntwo\r\nthree", -1, &r, DT_CALCRECT), 3 * line);
    EXPECT_EQ(r.right, c.extent("three").cx);
    // Words wrap to the width; a word wider than the width keeps its own line and widens it.
    int word = c.extent("aaaa").cx;
    r = RECT{0, 0, word + 2, 0};
    EXPECT_EQ(DrawTextA(c.dc, "aaaa bbbb cccc", -1, &r, DT_CALCRECT | DT_WORDBREAK), 3 * line);
    r = RECT{0, 0, word + 2, 0};
    EXPECT_EQ(DrawTextA(c.dc, "aaaa bbbbbbbbbbbb", -1, &r, DT_CALCRECT | DT_WORDBREAK), 2 * line);
    EXPECT_GT(r.right, word + 2);
    // Japanese text without spaces wraps between characters.
    r = RECT{0, 0, 50, 0};
    EXPECT_GE(DrawTextA(c.dc, "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE6\x97\xA5\xE6\x9C\xAC", -1,
                        &r, DT_CALCRECT | DT_WORDBREAK),
              2 * line);
    r = RECT{0, 0, 100, 0};
    EXPECT_EQ(DrawTextA(c.dc, "", 0, &r, DT_CALCRECT), 0);
}

TEST(DrawTextFormat, PrefixesAndTabs) {
    TextCanvas c(300, 60, make_font(-16));
    RECT with{0, 0, 1000, 0};
    RECT without{0, 0, 1000, 0};
    RECT literal{0, 0, 1000, 0};
    DrawTextA(c.dc, "&File", -1, &with, DT_CALCRECT | DT_SINGLELINE);
    DrawTextA(c.dc, "File", -1, &without, DT_CALCRECT | DT_SINGLELINE);
    DrawTextA(c.dc, "&File", -1, &literal, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(with.right, without.right);
    EXPECT_GT(literal.right, without.right);
    RECT amp{0, 0, 1000, 0};
    RECT one{0, 0, 1000, 0};
    DrawTextA(c.dc, "a&&b", -1, &amp, DT_CALCRECT | DT_SINGLELINE);
    DrawTextA(c.dc, "a&b", -1, &one, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(amp.right, one.right);
    // The prefixed letter is underlined: ink below what the plain word reaches.
    SetBkMode(c.dc, TRANSPARENT);
    RECT r{0, 0, 300, 60};
    DrawTextA(c.dc, "oo", -1, &r, DT_SINGLELINE | DT_NOPREFIX);
    int plain_bottom = c.ink().bottom;
    DrawTextA(c.dc, "&oo", -1, &r, DT_SINGLELINE);
    RECT ink = c.ink();
    EXPECT_GT(ink.bottom, plain_bottom);
    RECT tabbed{0, 0, 1000, 0};
    DrawTextA(c.dc, "a\tb", -1, &tabbed, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_GE(tabbed.right, 8 * c.metrics().tmAveCharWidth);
}

TEST(DrawTextFormat, AlignmentInTheRectangle) {
    struct Case {
        const char* name;
        UINT format;
        bool right_half;
        bool bottom_half;
    };
    const Case cases[] = {
        {"left top", DT_LEFT | DT_TOP | DT_SINGLELINE, false, false},
        {"right", DT_RIGHT | DT_SINGLELINE, true, false},
        {"bottom", DT_BOTTOM | DT_SINGLELINE, false, true},
        {"right bottom", DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextCanvas canvas(200, 100, make_font(-16));
        SetBkMode(canvas.dc, TRANSPARENT);
        RECT r{0, 0, 200, 100};
        DrawTextA(canvas.dc, "Mm", -1, &r, c.format);
        RECT ink = canvas.ink();
        ASSERT_LT(ink.left, ink.right);
        EXPECT_EQ(ink.left >= 100, c.right_half);
        EXPECT_EQ(ink.top >= 50, c.bottom_half);
    }
    TextCanvas centred(200, 100, make_font(-16));
    SetBkMode(centred.dc, TRANSPARENT);
    RECT r{0, 0, 200, 100};
    int line = centred.metrics().tmHeight;
    EXPECT_EQ(DrawTextA(centred.dc, "Mm", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE),
              (100 - line) / 2 + line);
    RECT ink = centred.ink();
    EXPECT_NEAR((ink.left + ink.right) / 2, 100, 3);
    EXPECT_NEAR((ink.top + ink.bottom) / 2, 50, line / 2);
}

TEST(DrawTextFormat, EllipsisAndClipping) {
    TextCanvas clipped(300, 30, make_font(-16));
    SetBkMode(clipped.dc, TRANSPARENT);
    RECT narrow{0, 0, 60, 30};
    const char* longer = "A rather long caption";
    DrawTextA(clipped.dc, longer, -1, &narrow, DT_SINGLELINE);
    EXPECT_LE(clipped.ink().right, 60);
    TextCanvas unclipped(300, 30, make_font(-16));
    SetBkMode(unclipped.dc, TRANSPARENT);
    DrawTextA(unclipped.dc, longer, -1, &narrow, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(unclipped.ink().right, 60);
    for (UINT ellipsis : {DT_END_ELLIPSIS, DT_WORD_ELLIPSIS}) {
        SCOPED_TRACE(ellipsis);
        TextCanvas dotted(300, 30, make_font(-16));
        SetBkMode(dotted.dc, TRANSPARENT);
        DrawTextA(dotted.dc, longer, -1, &narrow, DT_SINGLELINE | DT_NOCLIP | ellipsis);
        RECT ink = dotted.ink();
        EXPECT_LE(ink.right, 60);
        EXPECT_GT(ink.right, 10); // something is left before the dots
    }
}
