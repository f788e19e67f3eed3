// The WBMP format class (format 9): type-0 wireless bitmaps, one bit a pixel, 1 = white, rows
// from the top. Width and height are the format's multi-byte integers (7 bits a byte, the top
// bit saying that another byte follows).
#pragma once

#include "imagelib/px_image.h"

class PxImageWBMP : public PxImage {
public:
    PxImageWBMP() : PxImage(PXIMAGE_FORMAT_WBMP) {}

    bool Decode(PxFile* file);
    bool Encode(PxFile* file);
};
