// The gallery frame's MDI children: pictures drawn in their own colour, with a grid and a dark
// background the View menu switches, and the context menu on a right click.
#pragma once

#include "win32/win32.h"

#include <string>

namespace gallery {

// What every picture shows, switched from the View menu.
struct PictureOptions {
    bool grid = true;
    bool dark = false;
};
PictureOptions& Pictures();

bool RegisterPictureClass(HINSTANCE instance);
// A new picture in the client, active; null when it cannot be made. Its context menu sends
// its commands to the frame.
HWND OpenPicture(HWND client, const std::string& title);
void SetPictureColour(HWND picture, COLORREF colour);
COLORREF PictureColour(HWND picture);
// Every picture of the client drawn again (the options changed).
void RedrawPictures(HWND client);

} // namespace gallery
