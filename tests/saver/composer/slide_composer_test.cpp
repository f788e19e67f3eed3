// The slide composer on tiny canvases: backgrounds as pixel tables (stored rows count from the
// bottom of the screen), fit sizes, paste offsets, picture orders, frames and captions.
#include "saver/slide_composer.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <string>

namespace {

COLORREF At(const PxImage& image, LONG x, LONG storedRow) {
    return PxImage::RgbQuadToRgb(image.GetPixelColor(x, storedRow, false));
}

PxImage Canvas(LONG w, LONG h) {
    PxImage canvas;
    canvas.Create(w, h, 24);
    canvas.Clear(0);
    return canvas;
}

SaverSettingsValues Gradient(int kind, COLORREF c1 = RGB(0, 0, 0),
                             COLORREF c2 = RGB(200, 100, 40)) {
    SaverSettingsValues s;
    s.backgroundMode = 1;
    s.gradientKind = kind;
    s.gradientStartColor = c1;
    s.gradientEndColor = c2;
    return s;
}

// A solid picture file in the work folder.
void WritePicture(const std::filesystem::path& folder, const char* name, LONG w, LONG h,
                  PxRgbQuad colour) {
    PxImage image;
    image.Create(w, h, 24);
    for (LONG y = 0; y < h; ++y)
        for (LONG x = 0; x < w; ++x)
            image.SetPixelColor(x, y, colour);
    ASSERT_TRUE(image.Save((folder / name).string().c_str(), PXIMAGE_FORMAT_BMP))
        << image.GetLastError();
}

} // namespace

TEST(SlideBackground, SolidAndGradientKinds) {
    struct Probe {
        LONG x, row;
        COLORREF colour;
    };
    struct Case {
        const char* what;
        SaverSettingsValues settings;
        LONG w, h;
        std::vector<Probe> probes;
    };
    SaverSettingsValues solid;
    solid.backgroundMode = 0;
    solid.solidColor = RGB(1, 2, 3);
    const Case cases[] = {
        {"solid", solid, 8, 4, {{0, 0, RGB(1, 2, 3)}, {7, 3, RGB(1, 2, 3)}}},
        // kind 0: column x gets step x of W.
        {"columns",
         Gradient(0),
         10,
         3,
         {{0, 0, RGB(0, 0, 0)}, {5, 2, RGB(100, 50, 20)}, {9, 1, RGB(180, 90, 36)}}},
        // kind 1: up to the middle and back; the far edge's step -1 is taken as 0.
        {"mirrored columns",
         Gradient(1),
         10,
         2,
         {{4, 0, RGB(160, 80, 32)}, {5, 0, RGB(120, 60, 24)}, {9, 0, RGB(0, 0, 0)}}},
        // kind 2: stored row k gets step k of W (k = 0 at the bottom of the screen).
        {"rows", Gradient(2), 10, 6, {{3, 0, RGB(0, 0, 0)}, {3, 5, RGB(100, 50, 20)}}},
        {"mirrored rows",
         Gradient(3),
         10,
         6,
         {{0, 2, RGB(80, 40, 16)}, {0, 3, RGB(40, 20, 8)}, {0, 5, RGB(0, 0, 0)}}},
        // kind 4: rectangle k is k from every edge, d = W / 3.
        {"rectangles",
         Gradient(4),
         9,
         9,
         {{0, 0, RGB(0, 0, 0)}, {1, 1, RGB(66, 33, 13)}, {4, 4, RGB(200, 100, 40)}}},
        // narrow canvases: divisors clamp to 1 instead of dividing by zero.
        {"narrow rectangles", Gradient(4), 2, 2, {{0, 0, RGB(0, 0, 0)}}},
        {"narrow mirror", Gradient(1), 1, 1, {{0, 0, RGB(0, 0, 0)}}},
    };
    for (const Case& c : cases) {
        PxImage canvas = Canvas(c.w, c.h);
        PaintSlideBackground(canvas, c.settings);
        for (const Probe& p : c.probes)
            EXPECT_EQ(At(canvas, p.x, p.row), p.colour) << c.what << " at " << p.x << "," << p.row;
    }
}

TEST(SlideBackground, EllipsesStartFromTheFirstColourAndEndInTheCentre) {
    PxImage canvas = Canvas(40, 40);
    PaintSlideBackground(canvas, Gradient(5, RGB(10, 10, 10), RGB(210, 110, 50)));
    EXPECT_EQ(At(canvas, 0, 0), RGB(10, 10, 10)); // the corner is outside every ellipse
    COLORREF centre = At(canvas, 20, 20);
    EXPECT_NE(centre, RGB(10, 10, 10));
    PxImage tiny = Canvas(3, 3); // W / 4 < 1: the fill alone
    PaintSlideBackground(tiny, Gradient(5, RGB(10, 10, 10), RGB(210, 110, 50)));
    EXPECT_EQ(At(tiny, 1, 1), RGB(10, 10, 10));
}

TEST(SlideOrder, SequencesOfEveryOrder) {
    struct Case {
        int order, count;
        std::vector<int> shown;
    };
    auto run = [](int order, int count, int slides, std::function<int()> random) {
        std::vector<int> shown;
        int index = 0;
        for (int i = 0; i < slides; ++i) {
            int chosen = ChooseSlideIndex(index, order, count, random);
            shown.push_back(chosen);
            index = chosen + (order == 0 ? 1 : order == 1 ? -1 : 0);
        }
        return shown;
    };
    EXPECT_EQ(run(0, 3, 5, nullptr), (std::vector<int>{0, 1, 2, 0, 1}));
    EXPECT_EQ(run(1, 3, 5, nullptr), (std::vector<int>{0, 2, 1, 0, 2}));
    EXPECT_EQ(run(2, 1, 3, [] { return 7; }), (std::vector<int>{0, 0, 0}));
    int calls = 0;
    std::vector<int> draws{0, 0, 2, 2, 1};
    auto scripted = [&] { return draws[static_cast<std::size_t>(calls++ % 5)]; };
    // Random never shows the same picture twice in a row.
    EXPECT_EQ(run(2, 3, 2, scripted), (std::vector<int>{2, 1}));
    EXPECT_EQ(ChooseSlideIndex(0, 7, 3, [] { return -5; }),
              2);                                      // other orders: one pick, made positive
    EXPECT_EQ(ChooseSlideIndex(0, 0, 0, nullptr), -1); // no pictures at all
}

TEST(SlideFit, FitSizesAndCaptionOrigins) {
    EXPECT_EQ(FitSlidePicture(1024, 768, 400, 300).cx, 1024);
    EXPECT_EQ(FitSlidePicture(1024, 768, 400, 300).cy, 768);
    EXPECT_EQ(FitSlidePicture(1024, 768, 100, 200).cx, 384);
    EXPECT_EQ(FitSlidePicture(1024, 768, 100, 200).cy, 768);
    EXPECT_EQ(FitSlidePicture(1000, 500, 400, 100).cy, 250);

    struct Case {
        int position;
        LONG textWidth;
        LONG x, y;
    };
    const Case cases[] = {
        {1, 100, (333 - 100) / 2, 76},
        {2, 100, (999 - 100) / 2, 76},
        {3, 100, (1665 - 100) / 2, 76},
        {4, 100, (333 - 100) / 2, 684},
        {5, 100, (999 - 100) / 2, 684},
        {6, 100, (1665 - 100) / 2, 684},
        {2, 1000, 0, 76}, // as wide as the canvas: from the left edge
        {1, 500, 0, 76},
    };
    for (const Case& c : cases) {
        POINT at = SlideCaptionOrigin(c.position, 1000, 768, c.textWidth);
        EXPECT_EQ(at.x, c.x) << c.position << " " << c.textWidth;
        EXPECT_EQ(at.y, c.y) << c.position;
    }
}

TEST(SlideComposer, ThePictureIsFittedAndCentredOverTheBackground) {
    lvtest::ScratchDir dir;
    ResetThemeGlobals();
    WorkFolder = dir.path().string().c_str();
    WritePicture(dir.path(), "wide.bmp", 40, 10, PxRgbQuad{0, 0, 255, 0});
    ImageNames.Add("wide.bmp");
    ImageCaptions.Add("");
    SaverSettings.backgroundMode = 0;
    SaverSettings.solidColor = RGB(0, 255, 0);
    SaverSettings.imageSizing = 1;

    SlideComposer composer;
    PxImage canvas;
    composer.Compose(80, 60, false, canvas);
    ASSERT_TRUE(canvas.IsValid());
    EXPECT_EQ(canvas.GetBpp(), 24);
    // Fitted to 80 x 20, pasted 20 rows from the bottom.
    EXPECT_EQ(At(canvas, 40, 30), RGB(255, 0, 0));
    EXPECT_EQ(At(canvas, 0, 20), RGB(255, 0, 0));
    EXPECT_EQ(At(canvas, 0, 19), RGB(0, 255, 0));
    EXPECT_EQ(At(canvas, 79, 40), RGB(0, 255, 0));
    EXPECT_EQ(composer.pictureIndex, 1);

    // Kept at its own size when sizing is off (but fitted in the preview).
    SaverSettings.imageSizing = 0;
    composer.Compose(80, 60, false, canvas);
    EXPECT_EQ(At(canvas, 19, 30), RGB(0, 255, 0));
    EXPECT_EQ(At(canvas, 20, 30), RGB(255, 0, 0));
    composer.Compose(80, 60, true, canvas);
    EXPECT_EQ(At(canvas, 0, 30), RGB(255, 0, 0));
}

TEST(SlideComposer, NoPicturesOrAMissingOneShowsTheBackgroundAlone) {
    lvtest::ScratchDir dir;
    ResetThemeGlobals();
    WorkFolder = dir.path().string().c_str();
    SaverSettings.backgroundMode = 0;
    SaverSettings.solidColor = RGB(9, 9, 9);
    SaverSettings.captionPosition = 5;
    SlideComposer composer;
    PxImage canvas;
    composer.Compose(30, 20, false, canvas);
    EXPECT_EQ(At(canvas, 15, 10), RGB(9, 9, 9));
    EXPECT_EQ(composer.pictureIndex, 0);

    ImageNames.Add("missing.jpg");
    ImageCaptions.Add("Caption");
    composer.Compose(30, 20, false, canvas);
    EXPECT_EQ(At(canvas, 1, 1), RGB(9, 9, 9));
}

TEST(SlideComposer, TheCaptionIsDrawnInItsColourNearTheBottom) {
    lvtest::ScratchDir dir;
    ResetThemeGlobals();
    WorkFolder = dir.path().string().c_str();
    WritePicture(dir.path(), "p.bmp", 4, 3, PxRgbQuad{0, 0, 0, 0});
    ImageNames.Add("p.bmp");
    ImageCaptions.Add("Hello there");
    SaverSettings.backgroundMode = 0;
    SaverSettings.solidColor = RGB(0, 0, 0);
    SaverSettings.captionPosition = 5;
    SaverSettings.captionColor = RGB(255, 255, 0);
    std::strcpy(SaverSettings.captionFont.lfFaceName, "DejaVu Sans");
    SaverSettings.captionFont.lfHeight = -16;
    SlideComposer composer;
    PxImage canvas;
    composer.Compose(300, 200, false, canvas);
    // Position 5: the text box's bottom on row (200/10)*9 = 180 from the top = stored row 19.
    int inBand = 0, elsewhere = 0;
    for (LONG row = 0; row < 200; ++row)
        for (LONG x = 0; x < 300; ++x)
            if (At(canvas, x, row) == RGB(255, 255, 0)) {
                if (row >= 19 && row < 19 + 30)
                    ++inBand;
                else
                    ++elsewhere;
            }
    EXPECT_GT(inBand, 0);
    EXPECT_EQ(elsewhere, 0);
}

TEST(SlideComposer, EveryFrameTypeSurroundsThePicture) {
    lvtest::ScratchDir dir;
    // A 30 x 30 frame picture of nine 10 x 10 pieces in distinct colours, magenta centre.
    PxImage frame;
    frame.Create(30, 30, 24);
    const PxRgbQuad colours[9] = {{10, 0, 0, 0}, {20, 0, 0, 0},    {30, 0, 0, 0},
                                  {40, 0, 0, 0}, {255, 0, 255, 0}, {60, 0, 0, 0},
                                  {70, 0, 0, 0}, {80, 0, 0, 0},    {90, 0, 0, 0}};
    for (LONG y = 0; y < 30; ++y)
        for (LONG x = 0; x < 30; ++x)
            frame.SetPixelColor(x, 29 - y, colours[(y / 10) * 3 + x / 10]);
    ASSERT_TRUE(frame.Save((dir / "frame.png").string().c_str(), PXIMAGE_FORMAT_PNG));
    WritePicture(dir.path(), "pic.bmp", 40, 40, PxRgbQuad{0, 200, 0, 0});

    for (int type : {0, 1, 2, 3, 4}) {
        SCOPED_TRACE(type);
        FrameSettingsValues f;
        f.format = 1;
        f.type = type;
        f.stretch_mode = 1;
        f.upleft = f.upmid = f.upright = f.ctleft = f.ctright = f.btleft = f.btmid = f.btright =
            "10 10";
        f.extraspace = "20 20";
        f.framePicturePath = (dir / "frame.png").string().c_str();
        PxImage framed;
        ASSERT_TRUE(BuildFramedPicture((dir / "pic.bmp").string().c_str(), f, framed));
        ASSERT_EQ(framed.GetWidth(), 60u);
        ASSERT_EQ(framed.GetHeight(), 60u);
        auto top = [&](LONG x, LONG y) { return framed.GetPixelColor(x, 59 - y, false); };
        if (type == 4) {
            // The whole frame picture, resampled over the framed image.
            EXPECT_EQ(top(2, 2).rgbBlue, 10);
            EXPECT_EQ(top(57, 57).rgbBlue, 90);
            continue;
        }
        EXPECT_EQ(top(30, 30).rgbGreen, 200); // the picture in the middle
        if (type == 0 || type == 3) {
            EXPECT_EQ(top(2, 2).rgbBlue, 10);   // upper-left corner
            EXPECT_EQ(top(57, 57).rgbBlue, 90); // lower-right corner
        }
        if (type == 0 || type == 2) {
            EXPECT_EQ(top(2, 30).rgbBlue, 40); // left edge
        }
        if (type == 0 || type == 1) {
            EXPECT_EQ(top(30, 2).rgbBlue, type == 0 ? 20 : 10);
        }
    }
}

TEST(SlideComposer, AFrameThatCannotBeLoadedLeavesThePictureFittedWithoutIt) {
    lvtest::ScratchDir dir;
    WritePicture(dir.path(), "wide.bmp", 40, 10, PxRgbQuad{0, 0, 255, 0});
    std::FILE* garbage = std::fopen((dir / "garbage.png").string().c_str(), "wb");
    ASSERT_TRUE(garbage);
    std::fputs("not a picture at all", garbage);
    std::fclose(garbage);
    struct Case {
        int format; // 0 BMP frame, otherwise PNG
        int type;
        const char* framePicture;
    };
    const Case cases[] = {
        {1, 0, "missing.png"}, {1, 4, "garbage.png"}, {0, 0, "missing.bmp"}, {0, 0, "garbage.png"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.framePicture) + " format " + std::to_string(c.format));
        ResetThemeGlobals();
        WorkFolder = dir.path().string().c_str();
        ImageNames.Add("wide.bmp");
        ImageCaptions.Add("");
        SaverSettings.backgroundMode = 0;
        SaverSettings.solidColor = RGB(0, 255, 0);
        SaverSettings.imageSizing = 1;
        SaverSettings.framePresent = 1;
        FrameSettings.format = c.format;
        FrameSettings.type = c.type;
        FrameSettings.upleft = FrameSettings.btright = "4 4";
        FrameSettings.extraspace = "8 8";
        FrameSettings.framePicturePath = (dir / c.framePicture).string().c_str();

        SlideComposer composer;
        PxImage canvas;
        composer.Compose(80, 60, false, canvas);
        // As without a frame: fitted to 80 x 20, 20 rows from the bottom.
        EXPECT_EQ(At(canvas, 40, 30), RGB(255, 0, 0));
        EXPECT_EQ(At(canvas, 0, 20), RGB(255, 0, 0));
        EXPECT_EQ(At(canvas, 79, 39), RGB(255, 0, 0));
        EXPECT_EQ(At(canvas, 0, 19), RGB(0, 255, 0));
        EXPECT_EQ(At(canvas, 40, 40), RGB(0, 255, 0));
    }
    ResetThemeGlobals();
}

// A record whose pieces are larger than the frame picture they are cut from is a damaged frame:
// the picture is shown without it, as when the frame picture cannot be loaded.
TEST(SlideComposer, PiecesLargerThanTheFramePictureLeaveThePictureUnframed) {
    lvtest::ScratchDir dir;
    WritePicture(dir.path(), "wide.bmp", 40, 10, PxRgbQuad{0, 0, 255, 0});
    for (const char* name : {"frame.png", "frame.bmp"})
        WritePicture(dir.path(), name, 30, 30, PxRgbQuad{90, 0, 0, 0});
    struct Case {
        int format; // 0 BMP frame, otherwise PNG
        const char* piece;
        const char* extra;
    };
    const Case cases[] = {{1, "31 4", "8 8"},
                          {1, "4 31", "8 8"},
                          {0, "31 4", "8 8"},
                          {1, "2000 2000", "2000 2000"},
                          {0, "2000 2000", "2000 2000"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.piece) + " format " + std::to_string(c.format));
        ResetThemeGlobals();
        WorkFolder = dir.path().string().c_str();
        ImageNames.Add("wide.bmp");
        ImageCaptions.Add("");
        SaverSettings.backgroundMode = 0;
        SaverSettings.solidColor = RGB(0, 255, 0);
        SaverSettings.imageSizing = 1;
        SaverSettings.framePresent = 1;
        FrameSettings.format = c.format;
        FrameSettings.type = 0;
        FrameSettings.upleft = FrameSettings.upright = FrameSettings.ctleft =
            FrameSettings.ctright = FrameSettings.btleft = FrameSettings.btmid =
                FrameSettings.btright = "4 4";
        FrameSettings.upmid = c.piece;
        FrameSettings.extraspace = c.extra;
        FrameSettings.framePicturePath =
            (dir / (c.format ? "frame.png" : "frame.bmp")).string().c_str();

        SlideComposer composer;
        PxImage canvas;
        composer.Compose(80, 60, false, canvas);
        // As without a frame: fitted to 80 x 20, 20 rows from the bottom.
        EXPECT_EQ(At(canvas, 40, 30), RGB(255, 0, 0));
        EXPECT_EQ(At(canvas, 0, 20), RGB(255, 0, 0));
        EXPECT_EQ(At(canvas, 79, 39), RGB(255, 0, 0));
        EXPECT_EQ(At(canvas, 0, 19), RGB(0, 255, 0));
    }
    ResetThemeGlobals();
}

// Tiled edges show what placing the piece at every pixel of the run would: each later
// placement covers the earlier ones except where it is transparent (magenta).
TEST(SlideComposer, TiledEdgesShowTheLastPlacementThatIsNotTransparent) {
    lvtest::ScratchDir dir;
    // A 12 x 12 frame picture of 4 x 4 pieces, each pixel its own colour, with magenta holes.
    PxImage frame;
    frame.Create(12, 12, 24);
    const auto source = [](LONG x, LONG y) {
        if ((x * 7 + y * 3) % 5 == 0)
            return PxRgbQuad{255, 0, 255, 0};
        return PxRgbQuad{static_cast<BYTE>(x * 20 + 1), static_cast<BYTE>(y * 20 + 1), 7, 0};
    };
    for (LONG y = 0; y < 12; ++y)
        for (LONG x = 0; x < 12; ++x)
            frame.SetPixelColor(x, 11 - y, source(x, y));
    ASSERT_TRUE(frame.Save((dir / "frame.png").string().c_str(), PXIMAGE_FORMAT_PNG));
    WritePicture(dir.path(), "pic.bmp", 20, 20, PxRgbQuad{0, 200, 0, 0});

    FrameSettingsValues f;
    f.format = 1;
    f.type = 0;
    f.stretch_mode = 0;
    f.upleft = f.upmid = f.upright = f.ctleft = f.ctright = f.btleft = f.btmid = f.btright = "4 4";
    f.extraspace = "8 8";
    f.framePicturePath = (dir / "frame.png").string().c_str();
    PxImage framed;
    ASSERT_TRUE(BuildFramedPicture((dir / "pic.bmp").string().c_str(), f, framed));
    ASSERT_EQ(framed.GetWidth(), 28u);
    const auto top = [&](LONG x, LONG y) { return framed.GetPixelColor(x, 27 - y, false); };
    const auto opaque = [](PxRgbQuad c) { return !(c.rgbBlue == 255 && c.rgbRed == 255); };
    const PxRgbQuad magenta{255, 0, 255, 0};
    const LONG run = 20; // between the corners
    // Along the top: the piece at (4 + j, 0) for j = 0 .. run - 1, cut from columns 4 to 7.
    for (LONG x = 4; x < 24; ++x)
        for (LONG y = 0; y < 4; ++y) {
            PxRgbQuad expected = magenta;
            for (LONG j = run - 1; j >= 0; --j) {
                const LONG c = x - 4 - j;
                if (c >= 0 && c < 4 && opaque(source(4 + c, y))) {
                    expected = source(4 + c, y);
                    break;
                }
            }
            ASSERT_EQ(top(x, y), expected) << x << "," << y;
        }
    // Down the left: the piece at (0, 4 + run - 1 - j), cut from rows 4 to 7.
    for (LONG y = 4; y < 24; ++y)
        for (LONG x = 0; x < 4; ++x) {
            PxRgbQuad expected = magenta;
            for (LONG j = run - 1; j >= 0; --j) {
                const LONG r = y - (4 + run - 1 - j);
                if (r >= 0 && r < 4 && opaque(source(x, 4 + r))) {
                    expected = source(x, 4 + r);
                    break;
                }
            }
            ASSERT_EQ(top(x, y), expected) << x << "," << y;
        }
}

// Pixels a frame picture leaves see-through (alpha 0) stay see-through in its pieces: the
// framed picture keeps its own fill there, never what the piece's memory held.
TEST(SlideComposer, SeeThroughPixelsOfTheFramePictureAreNotDrawn) {
    lvtest::ScratchDir dir;
    PxImage frame;
    frame.Create(30, 30, 24);
    frame.AlphaCreate();
    for (LONG y = 0; y < 30; ++y)
        for (LONG x = 0; x < 30; ++x) {
            frame.SetPixelColor(x, 29 - y, PxRgbQuad{90, 60, 30, 0});
            // The upper-left piece's top half is see-through.
            frame.AlphaSet(x, 29 - y, (x < 10 && y < 5) ? 0 : 255);
        }
    ASSERT_TRUE(frame.Save((dir / "frame.png").string().c_str(), PXIMAGE_FORMAT_PNG));
    WritePicture(dir.path(), "pic.bmp", 40, 40, PxRgbQuad{0, 200, 0, 0});
    FrameSettingsValues f;
    f.format = 1;
    f.type = 3; // corners only
    f.upleft = f.upmid = f.upright = f.ctleft = f.ctright = f.btleft = f.btmid = f.btright =
        "10 10";
    f.extraspace = "20 20";
    f.framePicturePath = (dir / "frame.png").string().c_str();
    PxImage framed;
    ASSERT_TRUE(BuildFramedPicture((dir / "pic.bmp").string().c_str(), f, framed));
    const auto top = [&](LONG x, LONG y) { return framed.GetPixelColor(x, 59 - y, false); };
    EXPECT_EQ(top(2, 2), (PxRgbQuad{255, 0, 255, 0})); // the framed picture's own fill
    EXPECT_EQ(top(2, 7), (PxRgbQuad{90, 60, 30, 0}));  // the opaque half of the corner
}

TEST(SlideComposer, EveryOrderThatDrawsSeedsTheGeneratorWithTheTime) {
    lvtest::ScratchDir dir;
    ResetThemeGlobals();
    WorkFolder = dir.path().string().c_str();
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
        WritePicture(dir.path(), name, 2, 2, PxRgbQuad{0, 0, 255, 0});
        ImageNames.Add(name);
        ImageCaptions.Add("");
    }
    for (int order : {-7, -1, 0, 1, 2, 3, 99}) {
        SCOPED_TRACE(order);
        SaverSettings.imageOrder = order;
        std::vector<unsigned> seeds;
        SlideComposer composer;
        composer.random = [] { return 1; };
        composer.seed = [&](unsigned value) { seeds.push_back(value); };
        const auto before = static_cast<unsigned>(std::time(nullptr));
        PxImage canvas;
        composer.Compose(8, 8, false, canvas);
        const auto after = static_cast<unsigned>(std::time(nullptr));
        if (order == 0 || order == 1) {
            EXPECT_TRUE(seeds.empty());
            continue;
        }
        ASSERT_EQ(seeds.size(), 1u);
        EXPECT_GE(seeds[0], before);
        EXPECT_LE(seeds[0], after);
    }
    ResetThemeGlobals();
}
