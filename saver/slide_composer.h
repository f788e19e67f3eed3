// Composes one slide of the show: background, the fitted (and optionally framed) picture and
// its caption, into a canvas image the size of the screen or the preview.
#pragma once

#include "imagelib/px_image.h"
#include "saver/theme_globals.h"

#include <functional>

// The background of the settings, painted into the whole canvas. Rows are as the canvas
// stores them (row 0 at the bottom of the screen).
void PaintSlideBackground(PxImage& canvas, const SaverSettingsValues& settings);

// The index of the picture to show for `order` (0 sequential, 1 backward, 2 random, other:
// one random pick) out of `count` pictures, from the current index. -1 when there are none.
int ChooseSlideIndex(int current, int order, int count, const std::function<int()>& random);

// The size a picture of pw x ph takes when fitted into a canvas of width x height.
SIZE FitSlidePicture(LONG width, LONG height, LONG pw, LONG ph);

// Left edge and text-box bottom row (from the top) of a caption of width `textWidth` at
// caption position 1..6.
POINT SlideCaptionOrigin(int position, LONG width, LONG height, LONG textWidth);

// The picture with its frame around it, built from the frame picture and the piece sizes of
// the frame settings. False when the picture or the frame cannot be loaded.
bool BuildFramedPicture(const char* picturePath, const FrameSettingsValues& frame, PxImage& framed);

// Copies every pixel (with alpha) of `image` onto `canvas` at (x, y), counted as the canvas
// stores rows; no transparency test.
void PasteSlideImage(PxImage& canvas, const PxImage& image, LONG x, LONG y);

class SlideComposer {
public:
    // Composes the slide of the current picture into `canvas` (width x height) and advances
    // to the next picture. `preview` always fits the picture to the canvas.
    void Compose(LONG width, LONG height, bool preview, PxImage& canvas);

    int pictureIndex = 0;
    // The random source of the random orders and its seeding; the C library's by default.
    std::function<int()> random;
    std::function<void(unsigned)> seed;
};
