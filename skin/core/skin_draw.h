// Drawing by skin references: one image part by its draw mode, and nine grids split into
// parts. The images come from the current skin; a part whose image is missing is filled
// with the fill colour when the caller asks for it, else left as it was.
#pragma once

#include "skin/core/skin_refs.h"

// A part of an image with an empty source rectangle or an empty name draws no image.
bool GlazeworkIsImageRefEmpty(const SkinImageRef& ref);
// Likewise a nine grid.
bool GlazeworkIsNineGridEmpty(const SkinNineGridRef& grid);

BOOL GlazeworkDrawImagePart(HDC dc, const RECT& target, const SkinImageRef& ref, COLORREF fill,
                            BOOL fillFlag);
// The nine parts in the order 0, 1, 2, 3, centre, 5, 6, 7, 8.
void GlazeworkDrawNineGrid(HDC dc, const RECT& target, const SkinNineGridRef& grid, COLORREF fill,
                           BOOL fillFlag);
// The eight border parts only; the centre is the control's own.
void GlazeworkDrawNineGridBorder(HDC dc, const RECT& target, const SkinNineGridRef& grid,
                                 COLORREF fill, BOOL fillFlag);
// The nine grid over what the DC shows, its key-coloured pixels left out.
void GlazeworkDrawTransparent(HDC dc, const RECT& target, const SkinNineGridRef& grid,
                              COLORREF key);
