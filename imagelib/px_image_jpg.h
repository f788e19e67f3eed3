// The JPEG format class (format 3): decodes and encodes through libjpeg, learns the
// resolution from the EXIF section before decoding, and carries that section over when the
// same object encodes again.
#pragma once

#include <memory>

#include "imagelib/px_exif.h"
#include "imagelib/px_image.h"

// Bits of the JPEG codec option word (GetCodecOption(PXIMAGE_FORMAT_JPG)).
enum PxJpegOption : DWORD {
    PXJPG_OPTION_FORCE_BASELINE = 0x01, // encode: baseline quantisation tables
    PXJPG_OPTION_ARITHMETIC = 0x02,     // encode: arithmetic coding
    PXJPG_OPTION_GRAYSCALE = 0x04,      // encode: greyscale JPEG from a colour image
    PXJPG_OPTION_OPTIMIZE = 0x08,       // encode: optimised Huffman tables
    PXJPG_OPTION_PROGRESSIVE = 0x10,    // encode: progressive JPEG
    PXJPG_OPTION_SMOOTHING = 0x40,      // encode: the class's smoothing factor
    PXJPG_OPTION_DECODE_GRAY = 0x80,    // decode: greyscale output
    PXJPG_OPTION_QUANTIZE = 0x100,      // decode: palette of JPEG-quality colours
    PXJPG_OPTION_DITHER = 0x200,        // decode: the class's dither mode
    PXJPG_OPTION_ONE_PASS = 0x400,      // decode: one-pass quantisation
    PXJPG_OPTION_NO_FANCY_UPSAMPLE = 0x800,
};

class PxImageJPG : public PxImage {
public:
    // Dither modes of the quantising decoder.
    static constexpr int kDitherNone = 0;
    static constexpr int kDitherOrdered = 1;
    static constexpr int kDitherFloydSteinberg = 2;

    PxImageJPG();
    ~PxImageJPG() override;

    bool Decode(PxFile* file);
    bool Encode(PxFile* file);

    const ExifInfo& GetExifInfo() const { return m_exifInfo; }
    bool HasExifReader() const { return m_exifReader != nullptr; }

    // 0 (none) to 100; other values are refused.
    bool SetSmoothingFactor(int factor);
    int GetSmoothingFactor() const { return m_smoothingFactor; }
    // One of the dither modes above; other values are refused.
    bool SetDitherMode(int mode);
    int GetDitherMode() const { return m_ditherMode; }

private:
    struct DecodeSession;
    struct EncodeSession;

    void ScanExif(PxFile* file);
    bool ReadPicture(DecodeSession& session);
    bool WritePicture(EncodeSession& session, bool grey);
    void ApplyResolution(const DecodeSession& session);
    void CarryExifOver(PxFile* file, LONG start);

    std::unique_ptr<JpegExifReader> m_exifReader;
    ExifInfo m_exifInfo{};
    int m_smoothingFactor = 0;
    int m_ditherMode = kDitherFloydSteinberg;
};
