// The metafile format class (format 10): Windows metafiles with a placeable header and enhanced
// metafiles, played by the drawing layer into a bitmap of display size. It cannot encode.
#pragma once

#include "imagelib/px_image.h"

class PxImageWMF : public PxImage {
public:
    PxImageWMF() : PxImage(PXIMAGE_FORMAT_WMF) {}

    // A forced width or height (non-zero) replaces the metafile's own.
    bool Decode(PxFile* file, LONG forcedWidth = 0, LONG forcedHeight = 0);
    bool Encode(PxFile* file);
};
