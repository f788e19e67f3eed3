#include "imagelib/px_image_jas.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "imagelib/px_jas_formats.h"

namespace {

constexpr std::array<BYTE, 12> kJp2Signature = {0x00, 0x00, 0x00, 0x0C, 0x6A, 0x50,
                                                0x20, 0x20, 0x0D, 0x0A, 0x87, 0x0A};
constexpr std::array<BYTE, 4> kCodestreamStart = {0xFF, 0x4F, 0xFF, 0x51}; // SOC, SIZ

PxJasCodec CodecOfFormat(DWORD format) {
    switch (format) {
    case PXIMAGE_FORMAT_JP2:
        return PxJasCodec::jp2;
    case PXIMAGE_FORMAT_JPC:
        return PxJasCodec::jpc;
    case PXIMAGE_FORMAT_PGX:
        return PxJasCodec::pgx;
    case PXIMAGE_FORMAT_PNM:
        return PxJasCodec::pnm;
    case PXIMAGE_FORMAT_RAS:
        return PxJasCodec::ras;
    default:
        return PxJasCodec::none;
    }
}

bool ReadPicture(PxFile* file, PxJasCodec codec, PxJasPicture& picture, std::string& error) {
    switch (codec) {
    case PxJasCodec::jp2:
    case PxJasCodec::jpc:
        return PxJasReadOpenJpeg(file, codec, picture, error);
    case PxJasCodec::pgx:
        return PxJasReadPgx(file, picture, error);
    case PxJasCodec::pnm:
        return PxJasReadPnm(file, picture, error);
    case PxJasCodec::ras:
        return PxJasReadRas(file, picture, error);
    case PxJasCodec::none:
        break;
    }
    error = "error: cannot load image data";
    return false;
}

} // namespace

PxJasCodec PxJasSniff(std::span<const BYTE> head) {
    if (head.size() >= kJp2Signature.size() &&
        std::equal(kJp2Signature.begin(), kJp2Signature.end(), head.begin()))
        return PxJasCodec::jp2;
    if (head.size() >= kCodestreamStart.size() &&
        std::equal(kCodestreamStart.begin(), kCodestreamStart.end(), head.begin()))
        return PxJasCodec::jpc;
    if (head.size() >= 4 && head[0] == 0x59 && head[1] == 0xA6 && head[2] == 0x6A &&
        head[3] == 0x95)
        return PxJasCodec::ras;
    if (head.size() >= 3 && head[0] == 'P' && head[1] == 'G' &&
        (head[2] == ' ' || head[2] == '\t' || head[2] == 'M' || head[2] == 'L'))
        return PxJasCodec::pgx;
    if (head.size() >= 2 && head[0] == 'P' && head[1] >= '1' && head[1] <= '6')
        return PxJasCodec::pnm;
    return PxJasCodec::none;
}

long long PxJasBytesLeft(PxFile* file) {
    const LONG size = file->Size();
    const LONG at = file->Tell();
    if (size < 0 || at < 0)
        return -1;
    return size > at ? size - at : 0;
}

bool PxJasSizeFits(std::uint64_t width, std::uint64_t height, std::uint64_t components,
                   std::uint64_t bytesNeeded, long long bytesLeft) {
    if (width == 0 || height == 0 || components == 0 || width > 0xFFFFFF || height > 0xFFFFFF)
        return false;
    if (width * height * components > kPxJasMaxSamples)
        return false;
    return bytesLeft < 0 || bytesNeeded <= static_cast<std::uint64_t>(bytesLeft);
}

bool PxImageJAS::Decode(PxFile* file, DWORD format) {
    if (!file)
        return false;
    const LONG start = file->Tell();
    std::array<BYTE, 12> head{};
    const std::size_t got = file->Read(head.data(), 1, head.size());
    if (!file->Seek(start, 0)) {
        SetLastErrorText("error: cannot open standard input");
        return false;
    }
    PxJasPicture picture;
    std::string error;
    if (!ReadPicture(file, PxJasSniff({head.data(), got}), picture, error) ||
        !PxJasToImage(picture, *this, format, error)) {
        SetLastErrorText(error.c_str());
        return false;
    }
    return true;
}

bool PxImageJAS::Encode(PxFile* file, DWORD format) {
    if (CheckEncodeTarget(file))
        return false;
    PxJasPicture picture;
    std::string error;
    if (!PxJasFromImage(*this, picture, error)) {
        SetLastErrorText(error.c_str());
        return false;
    }
    const PxJasCodec codec = CodecOfFormat(format);
    bool ok = false;
    switch (codec) {
    case PxJasCodec::jp2:
    case PxJasCodec::jpc: {
        // Quality 0 and 100 or more are lossless; otherwise the rate is quality x 0.01.
        const BYTE quality = GetJpegQuality();
        PxJasWriteOptions options;
        options.rate = (quality == 0 || quality >= 100) ? 0.0 : quality * 0.01;
        ok = PxJasWriteOpenJpeg(file, codec, picture, options, error);
        break;
    }
    case PxJasCodec::pgx:
        if (picture.components.size() != 1) {
            SetLastErrorText("PGX can save only GrayScale images");
            return false;
        }
        ok = PxJasWritePgx(file, picture, error);
        break;
    case PxJasCodec::pnm:
        ok = PxJasWritePnm(file, picture, error);
        break;
    case PxJasCodec::ras:
        ok = PxJasWriteRas(file, picture, error);
        break;
    case PxJasCodec::none:
        error = "error: cannot encode image\n";
        break;
    }
    if (!ok)
        SetLastErrorText(error.c_str());
    return ok;
}
