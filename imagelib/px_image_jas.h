// The JPEG-2000 family (formats 11 JP2, 12 JPC, 13 PGX, 14 PNM, 15 RAS): one class that picks
// the codec from the file's magic when decoding and from the format number when encoding.
#pragma once

#include "imagelib/px_image.h"

class PxImageJAS : public PxImage {
public:
    PxImageJAS() : PxImage(PXIMAGE_FORMAT_UNKNOWN) {}

    // format: the number asked for (0 when detecting); the decoded image carries it.
    bool Decode(PxFile* file, DWORD format);
    bool Encode(PxFile* file, DWORD format);
};
