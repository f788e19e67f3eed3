#include "imagelib/px_image_jpg.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "imagelib/px_codec_io.h"
#include "imagelib/px_image_jpg_stream.h"

#ifndef JCS_EXTENSIONS
#error "the JPEG codec needs libjpeg's B,G,R colour-space extension"
#endif

namespace {

// Crafted progressive streams can hold thousands of tiny scans that each walk the whole
// picture; real encoders write a dozen at most.
constexpr int kMaxScans = 100;
// Bounds libjpeg's own buffers (the coefficient store of progressive pictures) in line with
// the largest image the library allocates.
constexpr long kMaxDecoderMemory = 640L * 1024 * 1024;

void LimitScans(j_common_ptr cinfo) {
    if (!cinfo->is_decompressor)
        return;
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        JpegFail(cinfo, "Too many scans in JPEG file");
}

// The scale denominators of the classic decoder: 1, 2, 4 or 8, a value in between taking the
// next smaller scale, 0 meaning full size.
unsigned ScaleDenominator(BYTE scale) {
    if (scale >= 8)
        return 8;
    if (scale >= 4)
        return 4;
    if (scale >= 2)
        return 2;
    return 1;
}

LONG ToDpi(double value) {
    if (!(value > 0))
        return 0;
    return static_cast<LONG>(
        std::min(value, static_cast<double>(std::numeric_limits<LONG>::max())));
}

} // namespace

struct PxImageJPG::DecodeSession {
    jpeg_decompress_struct cinfo{};
    JpegErrorManager errors;
    JpegStreamManager stream;
    jpeg_progress_mgr progress{};
    std::vector<JSAMPLE> row;

    DecodeSession() = default;
    DecodeSession(const DecodeSession&) = delete;
    DecodeSession& operator=(const DecodeSession&) = delete;
    ~DecodeSession() { jpeg_destroy_decompress(&cinfo); }
};

struct PxImageJPG::EncodeSession {
    jpeg_compress_struct cinfo{};
    JpegErrorManager errors;
    JpegStreamManager stream;
    std::vector<JSAMPLE> row;

    EncodeSession() = default;
    EncodeSession(const EncodeSession&) = delete;
    EncodeSession& operator=(const EncodeSession&) = delete;
    ~EncodeSession() { jpeg_destroy_compress(&cinfo); }
};

PxImageJPG::PxImageJPG() : PxImage(PXIMAGE_FORMAT_JPG) {}

PxImageJPG::~PxImageJPG() = default;

bool PxImageJPG::SetSmoothingFactor(int factor) {
    if (factor < 0 || factor > 100)
        return false;
    m_smoothingFactor = factor;
    return true;
}

bool PxImageJPG::SetDitherMode(int mode) {
    if (mode < kDitherNone || mode > kDitherFloydSteinberg)
        return false;
    m_ditherMode = mode;
    return true;
}

void PxImageJPG::ScanExif(PxFile* file) {
    m_exifReader.reset();
    m_exifInfo = ExifInfo{};
    m_exifReader = std::make_unique<JpegExifReader>(&m_exifInfo);
    const LONG start = file->Tell();
    m_exifReader->ReadSections(file, JpegExifReader::kReadExif);
    file->Seek(start, 0);
}

bool PxImageJPG::Decode(PxFile* file) {
    if (!file) {
        SetLastErrorText("null file handler");
        return false;
    }
    ScanExif(file);

    DecodeSession session;
    session.cinfo.err = session.errors.Install(m_info.lastError);
    if (setjmp(session.errors.jump)) {
        Destroy();
        return false;
    }
    jpeg_create_decompress(&session.cinfo);
    session.stream.InstallSource(&session.cinfo, file);
    if (!ReadPicture(session)) {
        Destroy();
        return false;
    }
    return true;
}

void PxImageJPG::ApplyResolution(const DecodeSession& session) {
    const jpeg_decompress_struct& cinfo = session.cinfo;
    if (m_exifInfo.isExif) {
        if (m_exifInfo.xResolution != 0 && m_exifInfo.resolutionUnit != 0)
            SetXDPI(ToDpi(m_exifInfo.xResolution / m_exifInfo.resolutionUnit));
        if (m_exifInfo.yResolution != 0 && m_exifInfo.resolutionUnit != 0)
            SetYDPI(ToDpi(m_exifInfo.yResolution / m_exifInfo.resolutionUnit));
        return;
    }
    if (cinfo.density_unit == 2) {
        SetXDPI(static_cast<LONG>(std::floor(cinfo.X_density * 2.54 + 0.5)));
        SetYDPI(static_cast<LONG>(std::floor(cinfo.Y_density * 2.54 + 0.5)));
        return;
    }
    SetXDPI(cinfo.X_density);
    SetYDPI(cinfo.Y_density);
}

// Everything after the jump point: may leave through libjpeg's error exit at any call, so no
// object with a destructor lives here.
bool PxImageJPG::ReadPicture(DecodeSession& session) {
    jpeg_decompress_struct& cinfo = session.cinfo;
    cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
    session.progress.progress_monitor = LimitScans;
    cinfo.progress = &session.progress;
    jpeg_read_header(&cinfo, TRUE);

    const DWORD options = GetCodecOption(PXIMAGE_FORMAT_JPG);
    if (options & PXJPG_OPTION_DECODE_GRAY)
        cinfo.out_color_space = JCS_GRAYSCALE;
    if (options & PXJPG_OPTION_QUANTIZE) {
        cinfo.quantize_colors = TRUE;
        cinfo.desired_number_of_colors = m_info.jpegQuality;
    }
    if (options & PXJPG_OPTION_DITHER)
        cinfo.dither_mode = static_cast<J_DITHER_MODE>(m_ditherMode);
    if (options & PXJPG_OPTION_ONE_PASS)
        cinfo.two_pass_quantize = FALSE;
    if (options & PXJPG_OPTION_NO_FANCY_UPSAMPLE)
        cinfo.do_fancy_upsampling = FALSE;
    cinfo.scale_num = 1;
    cinfo.scale_denom = ScaleDenominator(m_info.jpegScale);
    // Colour rows come straight out in the bitmap's B,G,R order.
    if (cinfo.out_color_space == JCS_RGB && !cinfo.quantize_colors)
        cinfo.out_color_space = JCS_EXT_BGR;

    jpeg_calc_output_dimensions(&cinfo);
    if (m_info.cancel == kPxCancelSizeOnly) {
        m_head.biWidth = static_cast<LONG>(cinfo.output_width);
        m_head.biHeight = static_cast<LONG>(cinfo.output_height);
        return true;
    }

    // The bitmap is made before libjpeg sizes its own buffers, so an oversized picture is
    // refused before anything large is allocated.
    const JDIMENSION width = cinfo.output_width;
    const JDIMENSION height = cinfo.output_height;
    if (width > static_cast<JDIMENSION>(std::numeric_limits<LONG>::max()) ||
        !Create(static_cast<LONG>(width), static_cast<LONG>(height),
                8u * static_cast<DWORD>(cinfo.output_components), PXIMAGE_FORMAT_JPG))
        return false;
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_width != width || cinfo.output_height != height)
        JpegFail(reinterpret_cast<j_common_ptr>(&cinfo), "JPEG output size changed");

    ApplyResolution(session);

    if (cinfo.quantize_colors) {
        const int count = std::clamp(cinfo.actual_number_of_colors, 1, 256);
        // The palette holds exactly the colours libjpeg delivered.
        SetPaletteCount(static_cast<DWORD>(count));
        const bool greyMap = cinfo.out_color_components == 1;
        for (int i = 0; i < count; ++i) {
            const BYTE r = cinfo.colormap[0][i];
            SetPaletteColor(static_cast<BYTE>(i), r, greyMap ? r : cinfo.colormap[1][i],
                            greyMap ? r : cinfo.colormap[2][i]);
        }
    } else if (cinfo.out_color_space == JCS_GRAYSCALE) {
        SetGreyPalette();
    }

    const bool cmyk = cinfo.output_components == 4;
    if (cmyk)
        session.row.resize(static_cast<std::size_t>(width) * 4);
    const DWORD stride = GetRowStride();
    constexpr int kBatch = 16;
    JSAMPROW rows[kBatch];
    while (cinfo.output_scanline < height) {
        if (m_info.cancel)
            return false;
        const JDIMENSION top = cinfo.output_scanline;
        if (cmyk) {
            rows[0] = session.row.data();
            if (jpeg_read_scanlines(&cinfo, rows, 1) != 1)
                break;
            BYTE* dest = GetBits(height - 1 - top);
            const JSAMPLE* src = session.row.data();
            for (JDIMENSION x = 0; x < width && 3 * x + 2 < stride; ++x, src += 4) {
                const unsigned k = src[3];
                dest[3 * x] = static_cast<BYTE>(src[2] * k / 255);
                dest[3 * x + 1] = static_cast<BYTE>(src[1] * k / 255);
                dest[3 * x + 2] = static_cast<BYTE>(src[0] * k / 255);
            }
            continue;
        }
        const int batch = static_cast<int>(std::min<JDIMENSION>(kBatch, height - top));
        for (int i = 0; i < batch; ++i)
            rows[i] = GetBits(height - 1 - top - static_cast<JDIMENSION>(i));
        jpeg_read_scanlines(&cinfo, rows, static_cast<JDIMENSION>(batch));
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

bool PxImageJPG::Encode(PxFile* file) {
    if (CheckEncodeTarget(file))
        return false;
    const bool grey = HasPalette();
    if (grey && !IsGreyScale()) {
        SetLastErrorText("JPEG can save only RGB or GreyScale images");
        return false;
    }
    const LONG start = file->Tell();

    EncodeSession session;
    session.cinfo.err = session.errors.Install(m_info.lastError);
    if (setjmp(session.errors.jump))
        return false;
    jpeg_create_compress(&session.cinfo);
    session.stream.InstallDestination(&session.cinfo, file);
    if (!WritePicture(session, grey))
        return false;
    jpeg_destroy_compress(&session.cinfo);

    CarryExifOver(file, start);
    return true;
}

bool PxImageJPG::WritePicture(EncodeSession& session, bool grey) {
    jpeg_compress_struct& cinfo = session.cinfo;
    const DWORD width = GetWidth();
    const DWORD height = GetHeight();
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = grey ? 1 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);

    const DWORD options = GetCodecOption(PXIMAGE_FORMAT_JPG);
    if (options & PXJPG_OPTION_ARITHMETIC)
        cinfo.arith_code = TRUE;
    if (options & PXJPG_OPTION_OPTIMIZE)
        cinfo.optimize_coding = TRUE;
    if (options & PXJPG_OPTION_GRAYSCALE)
        jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
    if (options & PXJPG_OPTION_SMOOTHING)
        cinfo.smoothing_factor = m_smoothingFactor;
    jpeg_set_quality(&cinfo, m_info.jpegQuality,
                     (options & PXJPG_OPTION_FORCE_BASELINE) ? TRUE : FALSE);
    if (options & PXJPG_OPTION_PROGRESSIVE)
        jpeg_simple_progression(&cinfo);

    cinfo.density_unit = 1;
    cinfo.X_density = static_cast<UINT16>(GetXDPI());
    cinfo.Y_density = static_cast<UINT16>(GetYDPI());
    jpeg_start_compress(&cinfo, TRUE);

    // 1- and 4-bit grey pictures are widened to one byte a pixel; 8- and 24-bit rows go to
    // libjpeg as they are stored, which never reads beyond a row.
    const WORD bpp = GetBpp();
    if (bpp < 8)
        session.row.resize(width);
    JSAMPROW rows[1];
    for (DWORD y = 0; y < height; ++y) {
        BYTE* stored = GetBits(height - 1 - y);
        if (bpp < 8) {
            for (DWORD x = 0; x < width; ++x)
                session.row[x] =
                    bpp == 4 ? static_cast<BYTE>((stored[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F)
                             : static_cast<BYTE>((stored[x >> 3] >> (7 - (x & 7))) & 1);
            rows[0] = session.row.data();
        } else {
            rows[0] = stored;
        }
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    return true;
}

void PxImageJPG::CarryExifOver(PxFile* file, LONG start) {
    if (!m_exifReader || !m_exifInfo.isExif)
        return;
    m_exifReader->KeepExifSections();
    if (!file->Seek(start, 0) || !m_exifReader->ReadSections(file, JpegExifReader::kReadImage))
        return;
    if (!file->Seek(start, 0))
        return;
    m_exifReader->WriteSections(file);
}
