// The gallery's command line and how it starts the skinning toolkit with its skin.
#pragma once

#include "win32/win32.h"

#include <string>

namespace gallery {

struct GalleryOptions {
    std::string skin_file;    // empty: the full skin the gallery carries
    bool dialog_only = false; // the controls dialog alone, without the main frame
};

// skingallery [--skin <file>] [--dialog]; false with the reason for anything else.
bool ParseGalleryArguments(int argc, const char* const* argv, GalleryOptions& options,
                           std::string& error);

// Starts the toolkit and gives it the skin; false with the reason when a skin file given on
// the command line cannot be read or is not a skin. A toolkit that does not start leaves the
// gallery unskinned, which is no failure.
bool StartSkinning(HINSTANCE instance, const GalleryOptions& options, std::string& error);
void StopSkinning();

} // namespace gallery
