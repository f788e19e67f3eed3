// Metafile playback: Windows and enhanced metafiles written by the tests' own writer, played
// into memory bitmaps and read back by pixels (shapes, map modes, objects, text placement,
// DIB stretching, save and restore), and damaged files refused.
#include "gdi_fixture.h"
#include "tests/support/metafile_writer.h"

#include <vector>

using lv::gdi::testing::MemoryCanvas;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

HENHMETAFILE FromWmf(const lvtest::MetaBytes& bytes, int mode = MM_ANISOTROPIC) {
    METAFILEPICT picture{mode, 0, 0, nullptr};
    return SetWinMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data(), nullptr, &picture);
}

HENHMETAFILE FromEmf(const lvtest::MetaBytes& bytes) {
    return SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
}

void Play(MemoryCanvas& canvas, HENHMETAFILE metafile, RECT rect) {
    ASSERT_NE(metafile, nullptr);
    EXPECT_TRUE(PlayEnhMetaFile(canvas.dc, metafile, &rect));
    EXPECT_TRUE(DeleteEnhMetaFile(metafile));
}

// Pixels of a colour inside a rectangle of the canvas.
int Count(const MemoryCanvas& canvas, RECT r, COLORREF colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += canvas.raw(x, y) == colour;
    return n;
}

std::uint32_t Quadrants(int x, int y) {
    // Red, green / blue, black, as 0x00RRGGBB.
    if (y == 0)
        return x == 0 ? 0xFF0000 : 0x00FF00;
    return x == 0 ? 0x0000FF : 0x000000;
}

} // namespace

// The metafile's window (0,0)-(100,50) fills the 400 x 200 rectangle: everything doubles twice.
TEST(Metafile, WindowsMetafileShapesScaleOntoTheRectangle) {
    lvtest::WmfWriter wmf;
    wmf.SetMapMode(MM_ANISOTROPIC);
    wmf.SetWindowOrg(0, 0);
    wmf.SetWindowExt(100, 50);
    wmf.CreatePen(PS_SOLID, 0, kRed);
    wmf.CreateBrush(BS_SOLID, kBlue);
    wmf.SelectObject(0);
    wmf.SelectObject(1);
    wmf.Rectangle(10, 10, 30, 40);
    wmf.Ellipse(50, 5, 90, 45);
    MemoryCanvas canvas(400, 200, kWhite);
    Play(canvas, FromWmf(wmf.Bytes()), RECT{0, 0, 400, 200});

    EXPECT_EQ(canvas.raw(80, 100), kBlue);  // inside the rectangle (40..120, 40..160)
    EXPECT_EQ(canvas.raw(40, 100), kRed);   // its left edge
    EXPECT_EQ(canvas.raw(36, 100), kWhite); // left of it
    EXPECT_EQ(canvas.raw(125, 100), kWhite);
    EXPECT_EQ(canvas.raw(280, 100), kBlue); // centre of the ellipse (200..360, 20..180)
    EXPECT_EQ(canvas.raw(205, 25), kWhite); // its box's corner lies outside it
    EXPECT_EQ(canvas.raw(200, 100), kRed);  // its leftmost point
}

TEST(Metafile, PolyPolygonLeavesAHoleAndPiesFillTheirSlice) {
    lvtest::WmfWriter wmf;
    wmf.SetWindowExt(100, 100);
    wmf.CreatePen(PS_NULL, 0, 0);
    wmf.CreateBrush(BS_SOLID, kGreen);
    wmf.SelectObject(0);
    wmf.SelectObject(1);
    wmf.PolyPolygon(
        {{{0, 0}, {40, 0}, {40, 40}, {0, 40}}, {{10, 10}, {30, 10}, {30, 30}, {10, 30}}});
    // A quarter pie: from the right (start) counter-clockwise to the top (end).
    wmf.Pie(50, 50, 100, 100, 100, 75, 75, 50);
    MemoryCanvas canvas(100, 100, kWhite);
    Play(canvas, FromWmf(wmf.Bytes()), RECT{0, 0, 100, 100});
    EXPECT_EQ(canvas.raw(5, 5), kGreen);
    EXPECT_EQ(canvas.raw(20, 20), kWhite); // the hole
    EXPECT_EQ(canvas.raw(35, 35), kGreen);
    EXPECT_EQ(canvas.raw(85, 60), kGreen); // upper right quarter of the pie's circle
    EXPECT_EQ(canvas.raw(65, 60), kWhite); // upper left quarter
    EXPECT_EQ(canvas.raw(85, 90), kWhite); // lower right quarter
}

// Deleting a selected object and restoring the DC leave the earlier tools in force.
TEST(Metafile, SaveRestoreAndObjectTable) {
    lvtest::WmfWriter wmf;
    wmf.SetWindowExt(60, 20);
    wmf.CreatePen(PS_NULL, 0, 0);    // slot 0
    wmf.CreateBrush(BS_SOLID, kRed); // slot 1
    wmf.SelectObject(0);
    wmf.SelectObject(1);
    wmf.SaveDc();
    wmf.CreateBrush(BS_SOLID, kBlue); // slot 2
    wmf.SelectObject(2);
    wmf.Rectangle(0, 0, 20, 20);
    wmf.DeleteObject(2);
    wmf.RestoreDc(-1);
    wmf.Rectangle(20, 0, 40, 20);
    wmf.CreateBrush(BS_SOLID, kGreen); // takes the freed slot 2
    wmf.SelectObject(2);
    wmf.Rectangle(40, 0, 60, 20);
    MemoryCanvas canvas(60, 20, kWhite);
    Play(canvas, FromWmf(wmf.Bytes()), RECT{0, 0, 60, 20});
    EXPECT_EQ(canvas.raw(10, 10), kBlue);
    EXPECT_EQ(canvas.raw(30, 10), kRed);
    EXPECT_EQ(canvas.raw(50, 10), kGreen);
}

TEST(Metafile, TextIsPlacedAtItsReferencePoint) {
    lvtest::WmfWriter wmf;
    wmf.SetWindowExt(200, 100);
    wmf.AddFont(-20, "DejaVu Sans");
    wmf.SelectObject(0);
    wmf.SetBkMode(TRANSPARENT);
    wmf.SetTextColor(kBlack);
    wmf.Text(100, 40, "HHHH");
    MemoryCanvas canvas(200, 100, kWhite);
    Play(canvas, FromWmf(wmf.Bytes()), RECT{0, 0, 200, 100});
    // Top-left alignment: the ink lies right of x = 100 and below y = 40, within a line.
    EXPECT_GT(Count(canvas, RECT{100, 40, 200, 64}, kBlack), 40);
    EXPECT_EQ(Count(canvas, RECT{0, 0, 98, 100}, kBlack), 0);
    EXPECT_EQ(Count(canvas, RECT{0, 0, 200, 38}, kBlack), 0);
    EXPECT_EQ(Count(canvas, RECT{0, 66, 200, 100}, kBlack), 0);
}

TEST(Metafile, StretchDibFillsItsDestination) {
    const lvtest::MetaBytes dib = lvtest::Dib24(2, 2, Quadrants);
    lvtest::WmfWriter wmf;
    wmf.SetWindowExt(100, 100);
    wmf.StretchDib(10, 10, 80, 80, 0, 0, 2, 2, dib);
    MemoryCanvas canvas(100, 100, kWhite);
    Play(canvas, FromWmf(wmf.Bytes()), RECT{0, 0, 100, 100});
    EXPECT_EQ(canvas.raw(30, 30), RGB(255, 0, 0));
    EXPECT_EQ(canvas.raw(70, 30), RGB(0, 255, 0));
    EXPECT_EQ(canvas.raw(30, 70), RGB(0, 0, 255));
    EXPECT_EQ(canvas.raw(70, 70), kBlack);
    EXPECT_EQ(canvas.raw(5, 5), kWhite);

    lvtest::EmfWriter emf(0, 0, 100, 100);
    emf.StretchDiBits(50, 0, 50, 50, 0, 0, 2, 2, dib);
    MemoryCanvas twice(200, 200, kWhite);
    Play(twice, FromEmf(emf.Bytes()), RECT{0, 0, 200, 200});
    EXPECT_EQ(twice.raw(120, 20), RGB(255, 0, 0));
    EXPECT_EQ(twice.raw(180, 80), kBlack);
    EXPECT_EQ(twice.raw(80, 20), kWhite);
}

// An enhanced metafile's own map modes: anisotropic window-to-viewport scaling, and a metric
// mode whose y axis runs up.
TEST(Metafile, EnhancedMapModes) {
    lvtest::EmfWriter emf(0, 0, 100, 100);
    emf.SetMapMode(MM_ANISOTROPIC);
    emf.SetWindowExt(10, 10);
    emf.SetViewportExt(50, 50);
    emf.CreateBrush(1, BS_SOLID, kBlue);
    emf.SelectObject(1);
    emf.SelectObject(0x80000000 | NULL_PEN);
    emf.Rectangle(1, 1, 3, 3); // 5..15 on the reference device
    emf.SaveDc();
    emf.SetMapMode(MM_LOMETRIC); // 0.1 mm a unit: one reference pixel
    emf.SetViewportOrg(0, 100);
    emf.CreateBrush(2, BS_SOLID, kRed);
    emf.SelectObject(2);
    emf.Rectangle(60, 10, 90, 40); // y up from the bottom: rows 60..90
    emf.RestoreDc(-1);
    emf.Rectangle(6, 1, 8, 3); // anisotropic again: 30..40 across
    MemoryCanvas canvas(100, 100, kWhite);
    Play(canvas, FromEmf(emf.Bytes()), RECT{0, 0, 100, 100});
    EXPECT_EQ(canvas.raw(10, 10), kBlue);
    EXPECT_EQ(canvas.raw(16, 10), kWhite);
    EXPECT_EQ(canvas.raw(75, 75), kRed);
    EXPECT_EQ(canvas.raw(75, 25), kWhite);
    EXPECT_EQ(canvas.raw(35, 10), kBlue);
}

TEST(Metafile, EnhancedTextAndLines) {
    lvtest::EmfWriter emf(0, 0, 100, 50);
    emf.AddFont(1, -16, u"DejaVu Sans");
    emf.SelectObject(1);
    emf.SetBkMode(TRANSPARENT);
    emf.SetTextColor(kBlue);
    emf.ExtTextOutW(10, 10, u"Ww");
    emf.CreatePen(2, PS_SOLID, 3, kRed);
    emf.SelectObject(2);
    emf.Polyline16({{0, 45}, {100, 45}});
    MemoryCanvas canvas(100, 50, kWhite);
    Play(canvas, FromEmf(emf.Bytes()), RECT{0, 0, 100, 50});
    EXPECT_GT(Count(canvas, RECT{10, 10, 60, 30}, kBlue), 10);
    EXPECT_EQ(Count(canvas, RECT{0, 0, 100, 8}, kBlue), 0);
    EXPECT_EQ(canvas.raw(50, 45), kRed);
    EXPECT_EQ(canvas.raw(50, 44), kRed); // three pixels wide
}

TEST(Metafile, HeaderAndPalette) {
    lvtest::EmfWriter emf(0, 0, 320, 200);
    const lvtest::MetaBytes bytes = emf.Bytes();
    HENHMETAFILE mf = FromEmf(bytes);
    ASSERT_NE(mf, nullptr);
    EXPECT_EQ(GetEnhMetaFileHeader(mf, 0, nullptr), sizeof(ENHMETAHEADER));
    ENHMETAHEADER h{};
    EXPECT_EQ(GetEnhMetaFileHeader(mf, sizeof h, &h), sizeof h);
    EXPECT_EQ(h.rclBounds.right, 320);
    EXPECT_EQ(h.rclFrame.bottom, 2000);
    EXPECT_EQ(GetEnhMetaFilePaletteEntries(mf, 0, nullptr), 0u);
    EXPECT_TRUE(DeleteEnhMetaFile(mf));
    EXPECT_FALSE(DeleteEnhMetaFile(mf));
    EXPECT_EQ(GetEnhMetaFileHeader(mf, sizeof h, &h), 0u);
}

// Damaged metafiles fail whole; records the player does not know are skipped.
TEST(Metafile, DamagedFilesAreRefusedAndUnknownRecordsSkipped) {
    lvtest::WmfWriter wmf;
    wmf.SetWindowExt(10, 10);
    wmf.Record(0x0626, {1, 2, 3}); // an escape: skipped
    wmf.CreateBrush(BS_SOLID, kRed);
    wmf.SelectObject(0);
    wmf.Rectangle(0, 0, 10, 10);
    lvtest::MetaBytes good = wmf.Bytes();
    MemoryCanvas canvas(10, 10, kWhite);
    Play(canvas, FromWmf(good), RECT{0, 0, 10, 10});
    EXPECT_EQ(canvas.raw(5, 5), kRed);

    struct Case {
        const char* name;
        lvtest::MetaBytes bytes;
    };
    std::vector<Case> cases;
    lvtest::MetaBytes record_too_long = good;
    record_too_long[18] = 0xFF; // first record's size in words
    cases.push_back({"record longer than the file", record_too_long});
    lvtest::MetaBytes record_too_short = good;
    record_too_short[18] = 2;
    cases.push_back({"record shorter than its own header", record_too_short});
    lvtest::WmfWriter bad_polygon;
    bad_polygon.Record(0x0324, {100, 1, 2});
    cases.push_back({"polygon counting more points than it holds", bad_polygon.Bytes()});
    lvtest::WmfWriter bad_dib;
    bad_dib.StretchDib(0, 0, 2, 2, 0, 0, 2, 2, lvtest::MetaBytes(30, 1));
    cases.push_back({"bitmap shorter than its header", bad_dib.Bytes()});
    lvtest::MetaBytes bad_type = good;
    bad_type[0] = 7;
    cases.push_back({"unknown metafile type", bad_type});
    for (const Case& c : cases)
        EXPECT_EQ(FromWmf(c.bytes), nullptr) << c.name;

    lvtest::EmfWriter emf(0, 0, 10, 10);
    emf.Rectangle(0, 0, 5, 5);
    lvtest::MetaBytes emf_bytes = emf.Bytes();
    lvtest::MetaBytes truncated(emf_bytes.begin(), emf_bytes.end() - 8);
    EXPECT_EQ(FromEmf(truncated), nullptr);
    lvtest::MetaBytes bad_size = emf_bytes;
    bad_size[108 + 4] = 6; // first record's size, not a multiple of four
    EXPECT_EQ(FromEmf(bad_size), nullptr);
    lvtest::MetaBytes bad_signature = emf_bytes;
    bad_signature[40] = 'X';
    EXPECT_EQ(FromEmf(bad_signature), nullptr);
}

// Shapes reaching far beyond the picture draw their visible part, and no more work than that.
TEST(Metafile, FarCoordinatesAreClippedToThePicture) {
    lvtest::WmfWriter wmf;
    wmf.SetWindowExt(10, 10);
    wmf.CreatePen(PS_SOLID, 0, kRed);
    wmf.CreateBrush(BS_SOLID, kBlue);
    wmf.SelectObject(0);
    wmf.SelectObject(1);
    wmf.Ellipse(-32000, -32000, 32000, 32000);
    wmf.MoveTo(-32000, 5);
    wmf.LineTo(32000, 5);
    wmf.Polygon({{-32000, 8}, {32000, 8}, {32000, 32000}, {-32000, 32000}});
    MemoryCanvas canvas(50, 50, kWhite);
    Play(canvas, FromWmf(wmf.Bytes()), RECT{0, 0, 50, 50});
    EXPECT_EQ(canvas.raw(10, 10), kBlue);
    EXPECT_EQ(canvas.raw(30, 25), kRed); // the line through y = 5 x 5
    EXPECT_EQ(canvas.raw(30, 45), kBlue);
    EXPECT_EQ(canvas.raw(0, 25), kRed);
}

// Shapes inside a path bracket build the path and draw nothing; the path is then filled with
// the brush alone, stroked with the pen alone, or both, and used up.
TEST(Metafile, PathsAreFilledStrokedOrNeitherAsAsked) {
    enum Use { kNone, kFill, kStroke, kBoth };
    struct Case {
        const char* name;
        Use use;
        bool inside, outline; // blue at the middle, red on the outline
    };
    const Case cases[] = {{"bracket only", kNone, false, false},
                          {"fill", kFill, true, false},
                          {"stroke", kStroke, false, true},
                          {"stroke and fill", kBoth, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        lvtest::EmfWriter emf(0, 0, 100, 50);
        emf.CreatePen(1, PS_SOLID, 1, kRed);
        emf.CreateBrush(2, BS_SOLID, kBlue);
        emf.SelectObject(1);
        emf.SelectObject(2);
        emf.BeginPath();
        emf.Rectangle(10, 10, 60, 40);
        // A figure of lines, closed: a triangle right of the rectangle.
        emf.MoveTo(70, 40);
        emf.LineTo(95, 40);
        emf.LineTo(82, 10);
        emf.CloseFigure();
        emf.EndPath();
        if (c.use == kFill)
            emf.FillPath();
        else if (c.use == kStroke)
            emf.StrokePath();
        else if (c.use == kBoth)
            emf.StrokeAndFillPath();
        if (c.use != kNone)
            emf.FillPath(); // the path was used up: nothing more is drawn
        MemoryCanvas canvas(100, 50, kWhite);
        Play(canvas, FromEmf(emf.Bytes()), RECT{0, 0, 100, 50});
        EXPECT_EQ(canvas.raw(35, 25), c.inside ? kBlue : kWhite);
        EXPECT_EQ(canvas.raw(82, 32), c.inside ? kBlue : kWhite);
        EXPECT_EQ(Count(canvas, RECT{0, 0, 100, 50}, kRed) > 40, c.outline);
        EXPECT_EQ(canvas.raw(5, 5), kWhite);
        if (!c.outline) {
            EXPECT_EQ(Count(canvas, RECT{0, 0, 100, 50}, kRed), 0);
        }
    }
}

// A path made the clip: what is drawn afterwards shows only inside it, and inside the picture.
TEST(Metafile, APathSelectedAsTheClipLimitsWhatFollows) {
    lvtest::EmfWriter emf(0, 0, 100, 50);
    emf.CreateBrush(1, BS_SOLID, kBlue);
    emf.SelectObject(1);
    emf.BeginPath();
    emf.Ellipse(0, 0, 50, 50);
    emf.EndPath();
    emf.SelectClipPath(RGN_COPY);
    emf.Rectangle(0, 0, 100, 50);
    MemoryCanvas canvas(120, 60, kWhite);
    Play(canvas, FromEmf(emf.Bytes()), RECT{0, 0, 100, 50});
    EXPECT_EQ(canvas.raw(25, 25), kBlue);
    EXPECT_EQ(canvas.raw(2, 2), kWhite);   // outside the circle
    EXPECT_EQ(canvas.raw(75, 25), kWhite); // right of it
    EXPECT_EQ(canvas.raw(110, 55), kWhite);
}

namespace {

// Region data: the 32-byte header, then each rectangle.
lvtest::MetaBytes RegionData(const std::vector<RECT>& rects) {
    std::vector<std::int32_t> words{32,
                                    1,
                                    static_cast<std::int32_t>(rects.size()),
                                    static_cast<std::int32_t>(rects.size() * 16),
                                    0,
                                    0,
                                    0,
                                    0};
    for (const RECT& r : rects)
        words.insert(words.end(), {r.left, r.top, r.right, r.bottom});
    lvtest::MetaBytes bytes;
    for (const std::int32_t w : words)
        for (int k = 0; k < 4; ++k)
            bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(w) >> (8 * k)));
    return bytes;
}

std::int32_t Size(const lvtest::MetaBytes& bytes) {
    return static_cast<std::int32_t>(bytes.size());
}

} // namespace

// The region records: filled with a brush of the table or the selected one, framed, inverted,
// and made the clip (and the clip reset without a region).
TEST(Metafile, RegionsAreFilledFramedInvertedAndClip) {
    lvtest::EmfWriter emf(0, 0, 100, 50);
    emf.CreateBrush(1, BS_SOLID, kBlue);
    emf.CreateBrush(2, BS_SOLID, kGreen);
    emf.SelectObject(2);
    const auto two = RegionData({{10, 10, 30, 40}, {40, 10, 60, 20}});
    emf.Record(71, {0, 0, 0, 0, Size(two), 1}, two); // FillRgn, brush 1
    const auto right = RegionData({{70, 10, 90, 40}});
    emf.Record(73, {0, 0, 0, 0, Size(right)}, right); // InvertRgn
    const auto band = RegionData({{0, 44, 100, 50}});
    emf.Record(74, {0, 0, 0, 0, Size(band)}, band); // PaintRgn: the selected brush
    const auto box = RegionData({{62, 25, 68, 31}});
    emf.Record(72, {0, 0, 0, 0, Size(box), 1, 1, 1}, box); // FrameRgn, brush 1, 1 x 1
    MemoryCanvas canvas(100, 50, kWhite);
    Play(canvas, FromEmf(emf.Bytes()), RECT{0, 0, 100, 50});
    EXPECT_EQ(canvas.raw(20, 25), kBlue);
    EXPECT_EQ(canvas.raw(50, 15), kBlue);
    EXPECT_EQ(canvas.raw(50, 25), kWhite); // between the region's rectangles
    EXPECT_EQ(canvas.raw(80, 25), kBlack); // white inverted
    EXPECT_EQ(canvas.raw(50, 47), kGreen);
    EXPECT_EQ(canvas.raw(62, 28), kBlue);  // the frame's edge
    EXPECT_EQ(canvas.raw(65, 28), kWhite); // its inside

    lvtest::EmfWriter clip(0, 0, 100, 50);
    clip.CreateBrush(1, BS_SOLID, kBlue);
    clip.CreatePen(2, PS_NULL, 0, 0);
    clip.SelectObject(1);
    clip.SelectObject(2);
    const auto left = RegionData({{0, 0, 50, 50}});
    clip.Record(75, {Size(left), RGN_COPY}, left);
    clip.Rectangle(0, 0, 100, 25);
    clip.Record(75, {0, RGN_COPY}); // no region: the clip is reset
    clip.Rectangle(0, 25, 101, 51);
    MemoryCanvas clipped(100, 50, kWhite);
    Play(clipped, FromEmf(clip.Bytes()), RECT{0, 0, 100, 50});
    EXPECT_EQ(clipped.raw(20, 10), kBlue);
    EXPECT_EQ(clipped.raw(80, 10), kWhite);
    EXPECT_EQ(clipped.raw(80, 40), kBlue);
}

// Hatched brushes draw their lines in the brush's colour, over the background colour in the
// opaque background mode, and over what lies beneath in the transparent one.
TEST(Metafile, HatchedBrushesDrawLinesOverTheBackgroundMode) {
    for (const int mode : {OPAQUE, TRANSPARENT}) {
        SCOPED_TRACE(mode);
        lvtest::EmfWriter emf(0, 0, 100, 50);
        emf.CreateBrush(1, BS_SOLID, kRed);
        emf.CreatePen(2, PS_NULL, 0, 0);
        emf.Record(39, {3, 2, static_cast<std::int32_t>(kBlue), 4}); // cross hatch
        emf.SelectObject(2);
        emf.SelectObject(1);
        emf.Rectangle(0, 0, 101, 51);
        emf.SetBkMode(mode);
        emf.Record(25, {static_cast<std::int32_t>(kGreen)}); // background colour
        emf.SelectObject(3);
        emf.Rectangle(0, 0, 64, 40);
        MemoryCanvas canvas(100, 50, kWhite);
        Play(canvas, FromEmf(emf.Bytes()), RECT{0, 0, 100, 50});
        // Without a pen the rectangle's right column and bottom row stay outside it.
        const RECT hatched{0, 0, 63, 39};
        const int area = 63 * 39, lines = Count(canvas, hatched, kBlue);
        // Two lines of every eight pixels each way: about a quarter of the area.
        EXPECT_GT(lines, area / 6);
        EXPECT_LT(lines, area / 3);
        EXPECT_EQ(Count(canvas, hatched, mode == OPAQUE ? kGreen : kRed), area - lines);
        EXPECT_EQ(canvas.raw(80, 45), kRed);
    }
}

// AlphaBlend records blend their bitmap over what is drawn, by the constant alpha of their
// blend function; a bitmap of two colours shows both halves.
TEST(Metafile, AlphaBlendRecordsBlendTheirBitmap) {
    lvtest::EmfWriter emf(0, 0, 100, 50);
    const auto dib = lvtest::Dib24(
        2, 1, [](int x, int) -> std::uint32_t { return x == 0 ? 0xFF0000u : 0x0000FFu; });
    emf.AlphaBlend(0, 0, 100, 50, 0, 0, 2, 1, 128u << 16, dib); // half opacity
    MemoryCanvas canvas(100, 50, kWhite);
    Play(canvas, FromEmf(emf.Bytes()), RECT{0, 0, 100, 50});
    const COLORREF left = canvas.raw(20, 25), right = canvas.raw(80, 25);
    EXPECT_EQ(GetRValue(left), 255);
    EXPECT_NEAR(GetGValue(left), 127, 2);
    EXPECT_NEAR(GetBValue(left), 127, 2);
    EXPECT_NEAR(GetRValue(right), 127, 2);
    EXPECT_EQ(GetBValue(right), 255);
}
