// The PNG format class (format 4): decodes and encodes through libpng over a PxFile.
#pragma once

#include "imagelib/px_image.h"

class PxImagePNG : public PxImage {
public:
    PxImagePNG() : PxImage(PXIMAGE_FORMAT_PNG) {}

    bool Decode(PxFile* file);
    bool Encode(PxFile* file);

private:
    struct ReadSession;
    struct WriteSession;

    bool ReadPicture(ReadSession& session);
    bool WritePicture(WriteSession& session);
    void ApplyResolution(ReadSession& session);
    void ReadPalette(ReadSession& session);
    bool ReadRows(ReadSession& session, int passes, bool alpha);
    DWORD PreparePalette(WriteSession& session);
    bool WriteRgbaRows(WriteSession& session, int passes);
};
