// A quiet landscape drawn on a canvas: sky gradient, sun, layered hills, water with a
// reflection. The sample theme's pictures and the installer's picture are made of it.
#pragma once

#include "tools/artkit/canvas.h"

struct LandscapePalette {
    COLORREF skyTop;
    COLORREF skyHorizon;
    COLORREF sun;
    COLORREF hillFar;
    COLORREF hillNear;
    COLORREF water;
};

// The sample theme's palettes by variant, in turn: dusk, morning, night, haze, sunset.
const LandscapePalette& SampleLandscapePalette(int variant);

// A palette in the hues of one colour: a deeper sky above, a light horizon, dark hills.
LandscapePalette LandscapePaletteFrom(COLORREF base);

// `variant` moves the sun and shapes the hills; it also seeds the grain.
Canvas DrawLandscape(int width, int height, const LandscapePalette& palette, int variant);
