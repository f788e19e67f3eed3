// Nine-grid references split into parts and drawn from the current skin, and single image
// parts by their draw mode: layouts as tables, drawing as pixels.
#include "skin/core/nine_grid_layout.h"
#include "skin/core/skin_draw.h"
#include "skin/core/skin_manager.h"
#include "tests/platform/gdi/gdi_fixture.h"
#include "tests/support/skin_builder.h"
#include "tools/artkit/bmp24_writer.h"
#include "tools/skinbuilder/skin_file_writer.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using lv::gdi::testing::MemoryCanvas;
using namespace nine_grid;

constexpr char kGridImage[] = "grid.bmp";
constexpr int kCell = 10;
constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kFill = RGB(7, 77, 177);
// The centre cell is two colours side by side, so that strips show where each one starts.
constexpr COLORREF kCentreLeft = RGB(0, 0, 0);
constexpr COLORREF kCentreRight = RGB(0, 160, 0);

COLORREF CellColor(int part) {
    constexpr COLORREF colors[9] = {RGB(200, 0, 0),    RGB(0, 0, 200),     RGB(200, 200, 0),
                                    RGB(0, 200, 200),  kCentreLeft,        RGB(100, 50, 0),
                                    RGB(50, 100, 150), RGB(150, 150, 150), RGB(90, 0, 90)};
    return colors[part];
}

// A skin holding one 30 x 30 image of nine 10 x 10 cells.
std::unique_ptr<SkinData> GridSkin() {
    Canvas c(3 * kCell, 3 * kCell);
    for (int part = 0; part < 9; ++part) {
        const int x = (part % 3) * kCell, y = (part / 3) * kCell;
        c.Fill({x, y, x + kCell, y + kCell}, CellColor(part));
    }
    c.Fill({kCell + kCell / 2, kCell, 2 * kCell, 2 * kCell}, kCentreRight);
    auto image = std::make_unique<SkinImage>();
    image->SetName(kGridImage);
    image->encoded = EncodeBmp24(c);
    SkinFileWriter writer;
    writer.AddImage(std::move(image));
    auto skin = std::make_unique<SkinData>();
    EXPECT_EQ(lvtest::LoadContainer(*skin, writer.ContainerBytes()), 1);
    return skin;
}

SkinNineGridRef Grid(std::uint32_t mode) {
    SkinNineGridRef grid;
    SetText(grid.imageName, kGridImage);
    grid.source = {0, 0, 3 * kCell, 3 * kCell};
    grid.leftMargin = grid.topMargin = grid.rightMargin = grid.bottomMargin = kCell;
    grid.gridMode = mode;
    return grid;
}

SkinImageRef Part(RECT source, std::uint32_t mode, const char* name = kGridImage) {
    SkinImageRef ref;
    SetText(ref.imageName, name);
    ref.source = source;
    ref.drawMode = mode;
    return ref;
}

class SkinDrawing : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SkinManager::Instance().SetSkin(GridSkin()), 1); }
    void TearDown() override { SkinManager::Instance().RemoveAll(); }
};

TEST(NineGridLayout, PartsComeFromTheMarginsOfSourceAndTarget) {
    SkinNineGridRef grid = Grid(0);
    grid.source = {100, 200, 150, 240};
    grid.leftMargin = 5;
    grid.topMargin = 6;
    grid.rightMargin = 7;
    grid.bottomMargin = 8;
    const RECT target{10, 20, 110, 80};
    const RECT sources[9] = {{100, 200, 105, 206}, {105, 200, 143, 206}, {143, 200, 150, 206},
                             {100, 206, 105, 232}, {105, 206, 143, 232}, {143, 206, 150, 232},
                             {100, 232, 105, 240}, {105, 232, 143, 240}, {143, 232, 150, 240}};
    const RECT targets[9] = {{10, 20, 15, 26}, {15, 20, 103, 26}, {103, 20, 110, 26},
                             {10, 26, 15, 72}, {15, 26, 103, 72}, {103, 26, 110, 72},
                             {10, 72, 15, 80}, {15, 72, 103, 80}, {103, 72, 110, 80}};
    const auto parts = Layout(grid, target);
    for (int i = 0; i < kPartCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(EqualRect(&parts[i].image.source, &sources[i]));
        EXPECT_TRUE(EqualRect(&parts[i].target, &targets[i]));
        EXPECT_STREQ(parts[i].image.imageName.data(), kGridImage);
        EXPECT_EQ(parts[i].image.flag, 0);
    }
}

TEST(NineGridLayout, EachGridModeStretchesItsParts) {
    struct Case {
        std::uint32_t mode;
        std::set<int> stretched;       // whole grid
        std::set<int> borderStretched; // border only
    };
    const Case cases[] = {
        {0, {}, {}},
        {1, {0, 1, 2, 3, 4, 5, 6, 7, 8}, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {2, {7}, {7}},
        {3, {4}, {4}},
        {4, {3}, {3}},
        {5, {1, 3, 5, 7}, {1, 3, 5, 7}},
        {6, {5}, {5}},
        {7, {1}, {1}},
        {8, {1, 3, 4, 5, 7}, {}},
        {9, {}, {}},
        {0xFFFFFFFF, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        const RECT target{0, 0, 50, 50};
        const auto whole = Layout(Grid(c.mode), target);
        const auto border = Layout(Grid(c.mode), target, true);
        for (int i = 0; i < kPartCount; ++i) {
            EXPECT_EQ(whole[i].image.drawMode, c.stretched.count(i) ? kDrawStretch : kDrawTile)
                << i;
            EXPECT_EQ(border[i].image.drawMode,
                      c.borderStretched.count(i) ? kDrawStretch : kDrawTile)
                << i;
        }
    }
}

TEST(NineGridLayout, CentreStripsAreAsWideAsTheSourceAndTheLastTakesTheRest) {
    struct Case {
        RECT centre;
        int sourceWidth;
        std::vector<std::pair<LONG, LONG>> strips;
    };
    const Case cases[] = {
        {{10, 0, 35, 5}, 10, {{10, 20}, {20, 30}, {30, 35}}},
        {{10, 0, 30, 5}, 10, {{10, 20}, {20, 30}}},
        {{10, 0, 15, 5}, 10, {{10, 15}}},
        {{10, 0, 10, 5}, 10, {}},
        // A source without width would never end: the centre is one strip.
        {{10, 0, 35, 5}, 0, {{10, 35}}},
        {{10, 0, 35, 5}, -4, {{10, 35}}},
    };
    for (const Case& c : cases) {
        const std::vector<RECT> strips = CentreStrips(c.centre, c.sourceWidth);
        ASSERT_EQ(strips.size(), c.strips.size());
        for (std::size_t i = 0; i < strips.size(); ++i) {
            EXPECT_EQ(strips[i].left, c.strips[i].first);
            EXPECT_EQ(strips[i].right, c.strips[i].second);
            EXPECT_EQ(strips[i].top, c.centre.top);
            EXPECT_EQ(strips[i].bottom, c.centre.bottom);
        }
    }
}

TEST_F(SkinDrawing, EveryPartLandsInItsPlace) {
    MemoryCanvas canvas(80, 60, kBackground);
    const RECT target{5, 5, 75, 55};
    GlazeworkDrawNineGrid(canvas.dc, target, Grid(1), kFill, TRUE);
    const POINT centres[9] = {{10, 10}, {40, 10}, {70, 10}, {10, 30}, {20, 30},
                              {70, 30}, {10, 50}, {40, 50}, {70, 50}};
    for (int part = 0; part < 9; ++part)
        EXPECT_EQ(canvas.at(centres[part].x, centres[part].y), CellColor(part)) << part;
    EXPECT_EQ(canvas.at(2, 2), kBackground);
    EXPECT_EQ(canvas.at(76, 56), kBackground);

    // The border variant leaves the centre alone.
    MemoryCanvas border(80, 60, kBackground);
    GlazeworkDrawNineGridBorder(border.dc, target, Grid(8), kFill, TRUE);
    EXPECT_EQ(border.at(40, 30), kBackground);
    EXPECT_EQ(border.at(40, 10), CellColor(1));
}

TEST_F(SkinDrawing, StripModeLaysTheCentreAsStripsOfItsSourceWidth) {
    // A centre 25 pixels wide: strips of 10, 10 and 5, each the whole two-colour source.
    MemoryCanvas canvas(60, 40, kBackground);
    GlazeworkDrawNineGrid(canvas.dc, RECT{0, 0, 45, 30}, Grid(8), kFill, TRUE);
    const int y = 15;
    EXPECT_EQ(canvas.at(10, y), kCentreLeft);
    EXPECT_EQ(canvas.at(19, y), kCentreRight);
    EXPECT_EQ(canvas.at(20, y), kCentreLeft);
    EXPECT_EQ(canvas.at(29, y), kCentreRight);
    EXPECT_EQ(canvas.at(30, y), kCentreLeft);
    EXPECT_EQ(canvas.at(34, y), kCentreRight);
    EXPECT_EQ(canvas.at(40, y), CellColor(5));

    // A centre source without width ends too: the centre is filled once.
    SkinNineGridRef thin = Grid(8);
    thin.leftMargin = 15;
    thin.rightMargin = 15;
    MemoryCanvas once(60, 40, kBackground);
    GlazeworkDrawNineGrid(once.dc, RECT{0, 0, 45, 30}, thin, kFill, TRUE);
    EXPECT_EQ(once.at(22, 15), kFill);
}

TEST_F(SkinDrawing, MissingImagesFillOnlyWhenAsked) {
    for (const SkinImageRef& missing :
         {Part({0, 0, 10, 10}, 1, "nothing.bmp"), Part({0, 0, 0, 10}, 1), Part({5, 5, 5, 5}, 2),
          Part({40, 40, 50, 50}, 2)}) {
        MemoryCanvas canvas(20, 20, kBackground);
        GlazeworkDrawImagePart(canvas.dc, RECT{2, 2, 12, 12}, missing, kFill, TRUE);
        EXPECT_EQ(canvas.at(5, 5), kFill);
        EXPECT_EQ(canvas.at(15, 15), kBackground);
        GlazeworkDrawImagePart(canvas.dc, RECT{12, 12, 20, 20}, missing, kFill, FALSE);
        EXPECT_EQ(canvas.at(15, 15), kBackground);
    }
}

TEST_F(SkinDrawing, CopyModeCutsToTheTargetOrKeepsItsOwnSize) {
    // The whole image (30 x 30) into a 15 x 12 target: cut there.
    MemoryCanvas cut(40, 40, kBackground);
    GlazeworkDrawImagePart(cut.dc, RECT{0, 0, 15, 12}, Part({0, 0, 30, 30}, 0), kFill, TRUE);
    EXPECT_EQ(cut.at(5, 5), CellColor(0));
    EXPECT_EQ(cut.at(12, 5), CellColor(1));
    EXPECT_EQ(cut.at(5, 11), CellColor(3));
    EXPECT_EQ(cut.at(16, 5), kBackground);
    EXPECT_EQ(cut.at(5, 12), kBackground);

    // One cell into a larger target: drawn at its own size, the rest untouched.
    MemoryCanvas small(40, 40, kBackground);
    GlazeworkDrawImagePart(small.dc, RECT{5, 5, 35, 35}, Part({20, 20, 30, 30}, 0), kFill, TRUE);
    EXPECT_EQ(small.at(10, 10), CellColor(8));
    EXPECT_EQ(small.at(16, 10), kBackground);
    EXPECT_EQ(small.at(10, 16), kBackground);

    // Tiled and stretched.
    MemoryCanvas tiled(40, 40, kBackground);
    GlazeworkDrawImagePart(tiled.dc, RECT{0, 0, 40, 10}, Part({0, 0, 20, 10}, 1), kFill, TRUE);
    EXPECT_EQ(tiled.at(5, 5), CellColor(0));
    EXPECT_EQ(tiled.at(25, 5), CellColor(0));
    EXPECT_EQ(tiled.at(35, 5), CellColor(1));
    GlazeworkDrawImagePart(tiled.dc, RECT{0, 20, 40, 30}, Part({0, 0, 20, 10}, 2), kFill, TRUE);
    EXPECT_EQ(tiled.at(15, 25), CellColor(0));
    EXPECT_EQ(tiled.at(25, 25), CellColor(1));
}

TEST(SkinImageRefs, EmptyNameOrEmptyRectangleIsEmpty) {
    EXPECT_TRUE(GlazeworkIsImageRefEmpty(Part({0, 0, 10, 10}, 0, "")));
    EXPECT_TRUE(GlazeworkIsImageRefEmpty(Part({0, 0, 0, 10}, 0)));
    EXPECT_TRUE(GlazeworkIsImageRefEmpty(Part({10, 0, 5, 10}, 0)));
    EXPECT_FALSE(GlazeworkIsImageRefEmpty(Part({0, 0, 1, 1}, 0)));
    EXPECT_FALSE(GlazeworkIsImageRefEmpty(Part({0, 0, 1, 1}, 0, "not in any skin")));
}

TEST_F(SkinDrawing, TransparentGridShowsWhatWasThereThroughTheKey) {
    MemoryCanvas canvas(40, 40, kBackground);
    // A grid whose image is missing is all fill colour: with the key as fill, nothing shows.
    SkinNineGridRef missing = Grid(1);
    SetText(missing.imageName, "nothing.bmp");
    GlazeworkDrawTransparent(canvas.dc, RECT{0, 0, 40, 40}, missing, 0xFF00FF);
    EXPECT_EQ(canvas.at(20, 20), kBackground);
    GlazeworkDrawTransparent(canvas.dc, RECT{0, 0, 30, 30}, Grid(0), 0xFF00FF);
    EXPECT_EQ(canvas.at(5, 5), CellColor(0));
    EXPECT_EQ(canvas.at(35, 35), kBackground);
}

// Skin files may hold any 32-bit value in a rectangle or a margin: drawing takes them without
// overflowing and touches nothing outside the target.
TEST_F(SkinDrawing, HostileRectanglesAndMarginsDrawInsideTheTarget) {
    constexpr LONG kMin = INT32_MIN, kMax = INT32_MAX;
    const RECT sources[] = {{0, kMin, 10, 10},  {0, 0, 10, kMin},         {kMin, 0, kMax, 10},
                            {0, 0, kMax, kMax}, {kMax, kMax, kMin, kMin}, {-5, -5, 10, 10}};
    for (const RECT& source : sources) {
        for (std::uint32_t mode : {kDrawCopy, kDrawTile, kDrawStretch}) {
            MemoryCanvas canvas(40, 40, kBackground);
            GlazeworkDrawImagePart(canvas.dc, RECT{10, 10, 30, 30}, Part(source, mode), kFill,
                                   TRUE);
            EXPECT_EQ(canvas.at(5, 5), kBackground) << source.left << " " << mode;
            EXPECT_EQ(canvas.at(35, 35), kBackground) << source.left << " " << mode;
        }
    }
    for (LONG margin : {kMin, kMax, LONG{-1}, LONG{0x10000000}}) {
        for (std::uint32_t mode : {0u, 1u, kCentreStripsMode}) {
            SkinNineGridRef grid = Grid(mode);
            grid.leftMargin = grid.bottomMargin = margin;
            MemoryCanvas canvas(40, 40, kBackground);
            GlazeworkDrawNineGrid(canvas.dc, RECT{10, 10, 30, 30}, grid, kFill, TRUE);
            GlazeworkDrawNineGridBorder(canvas.dc, RECT{10, 10, 30, 30}, grid, kFill, TRUE);
            GlazeworkDrawTransparent(canvas.dc, RECT{10, 10, 30, 30}, grid, 0xFF00FF);
        }
    }
}

// A target far larger than the DC (a rectangle a skin made up) tiles what shows, in step with
// the target's corner, and ends at once.
TEST_F(SkinDrawing, HugeTargetsTileOnlyWhatTheCanvasShows) {
    MemoryCanvas canvas(40, 40, kBackground);
    // One 10 x 10 cell tiled from -0x10000000: 40 x 40 pixels of it show, every cell the same.
    const RECT huge{-0x10000000, -0x10000000, 0x10000000, 0x10000000};
    GlazeworkDrawImagePart(canvas.dc, huge, Part({0, 0, 10, 10}, kDrawTile), kFill, TRUE);
    for (POINT at : {POINT{0, 0}, POINT{15, 25}, POINT{39, 39}})
        EXPECT_EQ(canvas.at(at.x, at.y), CellColor(0));
    // The strip mode's centre starts 5 pixels off the step: strips keep to the target's corner.
    MemoryCanvas strips(40, 40, kBackground);
    SkinNineGridRef grid = Grid(kCentreStripsMode);
    grid.leftMargin = grid.topMargin = grid.rightMargin = grid.bottomMargin = 0;
    grid.source = {kCell, kCell, 2 * kCell, 2 * kCell};
    GlazeworkDrawNineGrid(strips.dc, RECT{-1000005, 0, 0x10000000, 40}, grid, kFill, TRUE);
    EXPECT_EQ(strips.at(1, 20), kCentreRight);
    EXPECT_EQ(strips.at(6, 20), kCentreLeft);
}

} // namespace
