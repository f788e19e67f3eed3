// Text with a shadow, the window icon, arrows and plain fills, and rectangle conversions:
// the small painting helpers every skinned frame and control uses.
#pragma once

#include "skin/core/skin_refs.h"

// Bit 0 of the flags draws the text first in the shadow colour, moved by the offsets word's
// signed low byte (x) and signed second byte (y).
int GlazeworkDrawTextShadow(HDC dc, const RECT& rect, std::uint32_t offsets, std::uint32_t flags,
                            COLORREF shadowColor, COLORREF textColor, const char* text, int length,
                            UINT format);
int GlazeworkDrawElementText(HDC dc, const SkinTextEffect& effect, const RECT& rect,
                             const char* text, int length, UINT format);
// The window's small icon (or its big one, its class's small one, the first icon of its
// program file) at 16 x 16 at the rectangle's top-left; 0 when it has none.
BOOL GlazeworkDrawWindowIcon(HWND hwnd, HDC dc, const RECT& rect);
BOOL GlazeworkDrawArrow(HDC dc, const POINT (&points)[3], COLORREF color);
BOOL GlazeworkFillRectColor(HDC dc, const RECT& rect, COLORREF color);

RECT& GlazeworkSetRect(RECT& out, int left, int top, int right, int bottom);
void GlazeworkScreenToClientRect(HWND hwnd, RECT& rect);
void GlazeworkClientToScreenRect(HWND hwnd, RECT& rect);
bool GlazeworkIsSizableToolWindow(HWND hwnd);
