// The PCX format class (format 8): run-length encoded pictures of one to four planes, read in
// every layout the format has (1-bit planes, packed 1/2/4/8-bit single planes, 8-bit RGB and
// RGBA planes) and written as version 5 files.
#pragma once

#include "imagelib/px_image.h"

class PxImagePCX : public PxImage {
public:
    PxImagePCX() : PxImage(PXIMAGE_FORMAT_PCX) {}

    bool Decode(PxFile* file);
    bool Encode(PxFile* file);
};
