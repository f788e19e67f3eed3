#include "imagelib/px_codec_table.h"

#include <array>

#include "imagelib/px_image_bmp.h"
#include "imagelib/px_image_gif.h"
#include "imagelib/px_image_ico.h"
#include "imagelib/px_image_jpg.h"
#include "imagelib/px_image_pcx.h"
#include "imagelib/px_image_png.h"
#include "imagelib/px_image_tga.h"
#include "imagelib/px_image_tif.h"
#include "imagelib/px_image_wbmp.h"

namespace {

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
    PxCodecNotBuilt(PXIMAGE_FORMAT_WMF, "WMF"),
    PxCodecNotBuilt(PXIMAGE_FORMAT_JP2, "JP2"),
    PxCodecNotBuilt(PXIMAGE_FORMAT_JPC, "JPC"),
    PxCodecNotBuilt(PXIMAGE_FORMAT_PGX, "PGX"),
    PxCodecNotBuilt(PXIMAGE_FORMAT_PNM, "PNM"),
    PxCodecNotBuilt(PXIMAGE_FORMAT_RAS, "RAS"),
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
