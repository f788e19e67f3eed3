// The full skin: an object of every type a skin file holds, with artwork for every state, for
// the skin gallery and the tests. The programs carry the default skin, not this one.
#pragma once

#include "tools/artkit/canvas.h"
#include "tools/skinbuilder/skin_file_writer.h"

namespace full_skin {

constexpr const char* kFrameImage = "frame.bmp";
constexpr const char* kButtonsImage = "buttons.bmp";
constexpr const char* kControlsImage = "controls.bmp";
constexpr const char* kItemsImage = "items.bmp";

Canvas DrawFrameArtwork();
Canvas DrawButtonsArtwork();
Canvas DrawControlsArtwork();
Canvas DrawItemsArtwork();

void AddObjects(SkinFileWriter& writer);
void AddImages(SkinFileWriter& writer);
void AddNamedEntries(SkinFileWriter& writer);

// Header 1.11, the objects, the four images and the named entries.
SkinFileWriter Build();

} // namespace full_skin
