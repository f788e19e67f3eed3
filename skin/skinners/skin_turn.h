// Vertical pieces of controls are drawn lying on their side and turned upright with the image
// library: a picture of (height x width) turned a quarter clockwise puts its left end at the
// top; turned counter-clockwise, its left end at the bottom.
#pragma once

#include "win32/win32.h"

enum class Turn { Clockwise, CounterClockwise };

// Draws `lying` (taken over and deleted) turned at the DC's origin; false when it cannot be.
bool DrawTurned(HDC dc, HBITMAP lying, Turn turn);
