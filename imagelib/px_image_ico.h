// The ICO format class (format 5): reads one image of an icon or cursor file (bitmap entries,
// with the AND mask turned into a transparent index, a transparent colour or an alpha plane,
// and PNG entries), and writes single-image icon files.
#pragma once

#include <vector>

#include "imagelib/px_image.h"

class PxImageICO : public PxImage {
public:
    PxImageICO() : PxImage(PXIMAGE_FORMAT_ICO) {}

    bool Decode(PxFile* file);
    bool Encode(PxFile* file);

private:
    bool DecodePngEntry(PxFile* file, DWORD bytes);
    void ApplyMask(const std::vector<BYTE>& mask, DWORD maskStride);
};
