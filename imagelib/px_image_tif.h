// The TIFF format class (format 6): reads one page of a TIFF file and writes single- or
// multi-page files, through libtiff opened on the PxFile.
#pragma once

#include <memory>

#include "imagelib/px_image.h"

class PxTiffStream;

class PxImageTIF : public PxImage {
public:
    PxImageTIF();
    ~PxImageTIF() override;

    bool Decode(PxFile* file);
    // With append set the page is written and the file stays open for the next page, which
    // this object writes after its pixels have been replaced; the last page is written with
    // append false, which closes the file.
    bool Encode(PxFile* file, bool append = false);

private:
    bool DecodeRgba(PxTiffStream& stream, DWORD width, DWORD height, WORD samples);
    bool DecodeDirect(PxTiffStream& stream, DWORD width, DWORD height, WORD samples,
                      WORD bitsPerSample, WORD photometric, DWORD rowsPerStrip);
    void SetDirectPalette(PxTiffStream& stream, WORD photometric, WORD bitsPerSample);
    void ApplyOrientation(int orientation);
    bool WritePage(PxTiffStream& stream, int page, int pageCount);
    bool FailEncode(const char* text);

    std::unique_ptr<PxTiffStream> m_writer; // the file being written, across pages
    bool m_multiPage = false;
    int m_pagesWritten = 0;
};
