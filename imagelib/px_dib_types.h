// The device-independent bitmap records the image library keeps in memory. They are laid out
// like their Windows counterparts, but files never see them as structs: codecs read and write
// them field by field.
#pragma once

#include "win32/types.h"

struct PxRgbQuad {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

inline bool operator==(const PxRgbQuad& a, const PxRgbQuad& b) {
    return a.rgbBlue == b.rgbBlue && a.rgbGreen == b.rgbGreen && a.rgbRed == b.rgbRed &&
           a.rgbReserved == b.rgbReserved;
}

struct PxBitmapInfoHeader {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};

// Size of the header in a DIB block and in a file.
constexpr DWORD kPxInfoHeaderSize = 40;
constexpr DWORD kPxFileHeaderSize = 14;
// Compression values of the header.
constexpr DWORD kPxCompressionNone = 0;
constexpr DWORD kPxCompressionRle8 = 1;
constexpr DWORD kPxCompressionRle4 = 2;
constexpr DWORD kPxCompressionBitfields = 3;
