// The TGA format class (format 7): uncompressed and run-length encoded colour-mapped,
// true-colour and greyscale files of 8, 15, 16, 24 and 32 bits; written uncompressed as 8-bit
// colour-mapped or 24/32-bit true-colour files.
#pragma once

#include "imagelib/px_image.h"

class PxImageTGA : public PxImage {
public:
    PxImageTGA() : PxImage(PXIMAGE_FORMAT_TGA) {}

    bool Decode(PxFile* file);
    bool Encode(PxFile* file);
};
