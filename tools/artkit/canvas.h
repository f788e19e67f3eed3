// A small RGB drawing surface for the artwork drawn at build time: the default skin, button
// faces, pictures and icons.
#pragma once

#include "win32/win32.h"

#include <cstdint>
#include <vector>

class Canvas {
public:
    static constexpr COLORREF kKey = 0xFF00FF;

    Canvas(int width, int height, COLORREF fill = kKey);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF Pixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF color);

    void Fill(const RECT& r, COLORREF color);
    void Frame(const RECT& r, COLORREF color);
    void VerticalGradient(const RECT& r, COLORREF top, COLORREF bottom);
    void Line(int x0, int y0, int x1, int y1, COLORREF color);
    // Cuts the corners of `r` to a quarter circle of `radius` with the key colour.
    void RoundCorners(const RECT& r, int radius, bool top, bool bottom);
    // A 1-pixel outline that follows corners rounded by RoundCorners.
    void RoundedFrame(const RECT& r, int radius, COLORREF color, bool top, bool bottom);
    // Gives the key-coloured pixels of `r` the colour of what the piece lies on, for a piece
    // that is drawn without the key: there they would show as they are.
    void Ground(const RECT& r, COLORREF ground);

private:
    int m_width;
    int m_height;
    std::vector<COLORREF> m_pixels;
};

COLORREF Mix(COLORREF a, COLORREF b, int percentOfB);
