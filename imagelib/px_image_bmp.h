// The BMP format class: Windows bitmaps with or without the 14-byte file header, OS/2 core and
// version 2 headers, 1/4/8/16/24/32 bits, RLE4 and RLE8.
#pragma once

#include "imagelib/px_image.h"

class PxImageBMP : public PxImage {
public:
    PxImageBMP() : PxImage(PXIMAGE_FORMAT_BMP) {}
    bool Decode(PxFile* file);
    bool Encode(PxFile* file);
};
