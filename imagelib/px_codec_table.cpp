#include "imagelib/px_codec_table.h"

#include <array>

#include "imagelib/px_image_bmp.h"
#include "imagelib/px_image_gif.h"
#include "imagelib/px_image_ico.h"
#include "imagelib/px_image_jas.h"
#include "imagelib/px_image_jpg.h"
#include "imagelib/px_image_pcx.h"
#include "imagelib/px_image_png.h"
#include "imagelib/px_image_tga.h"
#include "imagelib/px_image_tif.h"
#include "imagelib/px_image_wbmp.h"
#include "imagelib/px_image_wmf.h"

namespace {

// The JPEG-2000 family's class serves five format numbers and is told which one is asked for.
constexpr PxCodecEntry PxJasCodecFor(DWORD format, const char* name) {
    return {format,
            name,
            []() -> std::unique_ptr<PxImage> { return std::make_unique<PxImageJAS>(); },
            [](PxImage& codec, PxFile* file, DWORD asked) {
                return static_cast<PxImageJAS&>(codec).Decode(file, asked);
            },
            [](PxImage& codec, PxFile* file, DWORD asked) {
                return static_cast<PxImageJAS&>(codec).Encode(file, asked);
            },
            false};
}

// The metafile decoder takes a forced size, which the dispatch leaves at none.
constexpr PxCodecEntry PxWmfCodecFor(DWORD format, const char* name) {
    return {format,
            name,
            []() -> std::unique_ptr<PxImage> { return std::make_unique<PxImageWMF>(); },
            [](PxImage& codec, PxFile* file, DWORD) {
                return static_cast<PxImageWMF&>(codec).Decode(file, 0, 0);
            },
            [](PxImage& codec, PxFile* file, DWORD) {
                return static_cast<PxImageWMF&>(codec).Encode(file);
            },
            false};
}

// One line per format number, in number order.
// clang-format off
const std::array<PxCodecEntry, kPxMaxFormat> kCodecs = {
    PxCodecFor<PxImageBMP>(PXIMAGE_FORMAT_BMP, "BMP"),
    PxCodecFor<PxImageGIF>(PXIMAGE_FORMAT_GIF, "GIF", true),
    PxCodecFor<PxImageJPG>(PXIMAGE_FORMAT_JPG, "JPEG"),
    PxCodecFor<PxImagePNG>(PXIMAGE_FORMAT_PNG, "PNG"),
    PxCodecFor<PxImageICO>(PXIMAGE_FORMAT_ICO, "ICO", true),
    PxCodecFor<PxImageTIF>(PXIMAGE_FORMAT_TIF, "TIFF", true),
    PxCodecFor<PxImageTGA>(PXIMAGE_FORMAT_TGA, "TGA"),
    PxCodecFor<PxImagePCX>(PXIMAGE_FORMAT_PCX, "PCX"),
    PxCodecFor<PxImageWBMP>(PXIMAGE_FORMAT_WBMP, "WBMP"),
    PxWmfCodecFor(PXIMAGE_FORMAT_WMF, "WMF"),
    PxJasCodecFor(PXIMAGE_FORMAT_JP2, "JP2"),
    PxJasCodecFor(PXIMAGE_FORMAT_JPC, "JPC"),
    PxJasCodecFor(PXIMAGE_FORMAT_PGX, "PGX"),
    PxJasCodecFor(PXIMAGE_FORMAT_PNM, "PNM"),
    PxJasCodecFor(PXIMAGE_FORMAT_RAS, "RAS"),
};
// clang-format on

constexpr std::array<DWORD, 11> kTrialOrder = {
    PXIMAGE_FORMAT_BMP,  PXIMAGE_FORMAT_JPG, PXIMAGE_FORMAT_ICO, PXIMAGE_FORMAT_GIF,
    PXIMAGE_FORMAT_PNG,  PXIMAGE_FORMAT_TIF, PXIMAGE_FORMAT_TGA, PXIMAGE_FORMAT_PCX,
    PXIMAGE_FORMAT_WBMP, PXIMAGE_FORMAT_WMF, PXIMAGE_FORMAT_JP2,
};

} // namespace

const PxCodecEntry* PxCodecFind(DWORD format) {
    if (format == PXIMAGE_FORMAT_UNKNOWN || format > kPxMaxFormat)
        return nullptr;
    return &kCodecs[format - 1];
}

std::span<const DWORD> PxCodecTrialOrder() {
    return kTrialOrder;
}
