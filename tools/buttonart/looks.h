// The looks buttonart draws: button faces in one colour, the installer's picture and the
// program icon.
#pragma once

#include "tools/artkit/canvas.h"

#include <optional>
#include <string>

enum class Look { face, hover, pressed, flat, picture, icon };

std::optional<Look> LookFromName(const std::string& name);

// "face": lighter at the top, darker at the bottom, a one-pixel border of the darkest shade;
// "hover": the same, lighter; "pressed": darker at the top, as if pushed in; "flat": the colour
// alone (test fixtures compare its pixels); "picture": a calm landscape in the colour's hues;
// "icon": a framed picture with a sun, the frame in the colour, on magenta (transparent).
Canvas DrawLook(Look look, int width, int height, COLORREF colour);
