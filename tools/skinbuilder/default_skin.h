// The system's default skin: its artwork drawn in code and its ten objects.
#pragma once

#include "tools/artkit/canvas.h"
#include "tools/skinbuilder/skin_file_writer.h"

namespace default_skin {

constexpr const char* kWindowsImage = "windows.bmp";
constexpr const char* kButtonImage = "button.bmp";

Canvas DrawWindowsArtwork();
Canvas DrawButtonArtwork();

void AddObjects(SkinFileWriter& writer);
void AddImages(SkinFileWriter& writer);

// Header 1.11, the ten objects and the two images.
SkinFileWriter Build();

} // namespace default_skin
