// JP2 and JPC through OpenJPEG, streamed over a PxFile.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include <openjpeg.h>

#include "imagelib/px_jas_formats.h"

namespace {

constexpr const char* kBadData = "error: cannot load image data";
constexpr const char* kCannotEncode = "error: cannot encode image\n";

// The file as OpenJPEG sees it: positions count from where the picture starts, and a read
// ends at the length the stream was opened with (-1: none), which OpenJPEG relies on even when
// the file has grown since.
struct StreamContext {
    PxFile* file;
    LONG start;
    long long length = -1;
};

OPJ_SIZE_T ReadProc(void* buffer, OPJ_SIZE_T bytes, void* user) {
    auto* ctx = static_cast<StreamContext*>(user);
    if (ctx->length >= 0) {
        const long long at = static_cast<long long>(ctx->file->Tell()) - ctx->start;
        const long long left = at < 0 ? 0 : std::max(ctx->length - at, 0LL);
        bytes = static_cast<OPJ_SIZE_T>(std::min<long long>(static_cast<long long>(bytes), left));
        if (bytes == 0)
            return static_cast<OPJ_SIZE_T>(-1);
    }
    const std::size_t got = ctx->file->Read(buffer, 1, bytes);
    return got ? got : static_cast<OPJ_SIZE_T>(-1);
}

OPJ_SIZE_T WriteProc(void* buffer, OPJ_SIZE_T bytes, void* user) {
    auto* ctx = static_cast<StreamContext*>(user);
    return ctx->file->Write(buffer, 1, bytes) == bytes ? bytes : static_cast<OPJ_SIZE_T>(-1);
}

OPJ_OFF_T SkipProc(OPJ_OFF_T bytes, void* user) {
    auto* ctx = static_cast<StreamContext*>(user);
    const LONG at = ctx->file->Tell();
    if (bytes < 0 || bytes > 0x7FFFFFFF - at || !ctx->file->Seek(static_cast<LONG>(bytes), 1))
        return -1;
    return bytes;
}

OPJ_BOOL SeekProc(OPJ_OFF_T offset, void* user) {
    auto* ctx = static_cast<StreamContext*>(user);
    if (offset < 0 || offset > 0x7FFFFFFF - ctx->start)
        return OPJ_FALSE;
    return ctx->file->Seek(ctx->start + static_cast<LONG>(offset), 0) ? OPJ_TRUE : OPJ_FALSE;
}

void QuietProc(const char*, void*) {}

struct CodecDeleter {
    void operator()(opj_codec_t* codec) const { opj_destroy_codec(codec); }
};
struct StreamDeleter {
    void operator()(opj_stream_t* stream) const { opj_stream_destroy(stream); }
};
using CodecPtr = std::unique_ptr<opj_codec_t, CodecDeleter>;
using StreamPtr = std::unique_ptr<opj_stream_t, StreamDeleter>;

StreamPtr MakeStream(StreamContext& ctx, bool input, long long length) {
    // A small file needs no megabyte of buffer.
    const OPJ_SIZE_T buffer = input && length >= 0 && length < OPJ_J2K_STREAM_CHUNK_SIZE
                                  ? static_cast<OPJ_SIZE_T>(std::max<long long>(length, 4096))
                                  : OPJ_J2K_STREAM_CHUNK_SIZE;
    StreamPtr stream(opj_stream_create(buffer, input ? OPJ_TRUE : OPJ_FALSE));
    if (!stream)
        return stream;
    opj_stream_set_user_data(stream.get(), &ctx, nullptr);
    if (input) {
        opj_stream_set_read_function(stream.get(), ReadProc);
        if (length >= 0)
            opj_stream_set_user_data_length(stream.get(), static_cast<OPJ_UINT64>(length));
    } else {
        opj_stream_set_write_function(stream.get(), WriteProc);
    }
    opj_stream_set_skip_function(stream.get(), SkipProc);
    opj_stream_set_seek_function(stream.get(), SeekProc);
    return stream;
}

void Silence(opj_codec_t* codec) {
    opj_set_error_handler(codec, QuietProc, nullptr);
    opj_set_warning_handler(codec, QuietProc, nullptr);
    opj_set_info_handler(codec, QuietProc, nullptr);
}

PxJasColourSpace SpaceOf(OPJ_COLOR_SPACE space) {
    switch (space) {
    case OPJ_CLRSPC_SRGB:
        return PxJasColourSpace::rgb;
    case OPJ_CLRSPC_GRAY:
        return PxJasColourSpace::grey;
    case OPJ_CLRSPC_SYCC:
        return PxJasColourSpace::ycc;
    default:
        return PxJasColourSpace::unknown;
    }
}

std::uint64_t CeilDiv(std::uint64_t a, std::uint64_t b) {
    return (a + b - 1) / b;
}

// Fewer resolution levels than OpenJPEG's default for small pictures, which it would refuse.
int ResolutionsFor(DWORD width, DWORD height) {
    int levels = 6;
    const DWORD shorter = width < height ? width : height;
    while (levels > 1 && (DWORD{1} << (levels - 1)) > shorter)
        --levels;
    return levels;
}

// How far into the file the codestream's first marker segments are looked for: a JP2 file's
// boxes before its codestream (signature, type, header, colour) take far less.
constexpr long long kCodestreamSearch = 64 * 1024;
// The least a tile takes in a codestream: one tile-part, a 12-byte SOT marker segment and the
// 2-byte SOD marker.
constexpr std::uint64_t kLeastTileBytes = 14;

std::uint32_t BigEndian(const BYTE* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | p[i];
    return v;
}

// OpenJPEG sets up every tile the SIZ marker declares while it reads the header, before any of
// their data: a file of a few bytes could declare 65535 tiles and cost hundreds of megabytes.
// False when the codestream declares more tiles than its length can hold; where the marker is
// not found or its values make no sense, OpenJPEG's own checks decide.
bool DeclaredTilesFit(PxFile* file, LONG start, long long length) {
    if (length < 0)
        return true;
    std::vector<BYTE> head(static_cast<std::size_t>(std::min(length, kCodestreamSearch)));
    const std::size_t got = file->Read(head.data(), 1, head.size());
    file->Seek(start, 0);
    // SOC followed by SIZ opens every codestream; SIZ's fields follow its length and Rsiz.
    constexpr BYTE kOpening[] = {0xFF, 0x4F, 0xFF, 0x51};
    const auto end = head.begin() + static_cast<std::ptrdiff_t>(got);
    const auto at = std::search(head.begin(), end, std::begin(kOpening), std::end(kOpening));
    if (end - at < 4 + 2 + 2 + 8 * 4)
        return true;
    const BYTE* siz = &*at + 8;
    const std::uint64_t width = BigEndian(siz, 4), height = BigEndian(siz + 4, 4);
    const std::uint64_t tile_width = BigEndian(siz + 16, 4), tile_height = BigEndian(siz + 20, 4);
    const std::uint64_t tile_x = BigEndian(siz + 24, 4), tile_y = BigEndian(siz + 28, 4);
    if (tile_width == 0 || tile_height == 0 || width <= tile_x || height <= tile_y)
        return true;
    const std::uint64_t tiles =
        CeilDiv(width - tile_x, tile_width) * CeilDiv(height - tile_y, tile_height);
    return tiles <= static_cast<std::uint64_t>(length) / kLeastTileBytes;
}

} // namespace

bool PxJasReadOpenJpeg(PxFile* file, PxJasCodec codec, PxJasPicture& picture, std::string& error) {
    error = kBadData;
    StreamContext ctx{file, file->Tell(), PxJasBytesLeft(file)};
    if (!DeclaredTilesFit(file, ctx.start, ctx.length))
        return false;
    StreamPtr stream = MakeStream(ctx, true, ctx.length);
    CodecPtr decoder(
        opj_create_decompress(codec == PxJasCodec::jp2 ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K));
    if (!stream || !decoder)
        return false;
    Silence(decoder.get());
    opj_dparameters_t parameters;
    opj_set_default_decoder_parameters(&parameters);
    if (!opj_setup_decoder(decoder.get(), &parameters))
        return false;

    opj_image_t* raw = nullptr;
    const bool header = opj_read_header(stream.get(), decoder.get(), &raw);
    std::shared_ptr<opj_image_t> image(raw, [](opj_image_t* i) {
        if (i)
            opj_image_destroy(i);
    });
    if (!header || !image)
        return false;
    if (image->numcomps > kPxJasMaxComponents) {
        error = "error: too much components";
        return false;
    }
    if (image->numcomps == 0 || image->x1 <= image->x0 || image->y1 <= image->y0)
        return false;
    std::uint64_t samples = 0;
    for (OPJ_UINT32 i = 0; i < image->numcomps; ++i) {
        const opj_image_comp_t& c = image->comps[i];
        if (c.dx == 0 || c.dy == 0)
            return false;
        samples += CeilDiv(image->x1 - image->x0, c.dx) * CeilDiv(image->y1 - image->y0, c.dy);
    }
    if (samples > kPxJasMaxSamples)
        return false;
    if (!opj_decode(decoder.get(), stream.get(), image.get()) ||
        !opj_end_decompress(decoder.get(), stream.get()))
        return false;

    picture.space = SpaceOf(image->color_space);
    for (OPJ_UINT32 i = 0; i < image->numcomps; ++i) {
        const opj_image_comp_t& c = image->comps[i];
        if (!c.data || c.w == 0 || c.h == 0 || c.prec < 1 || c.prec > 31)
            return false;
        PxJasComponent out;
        out.width = c.w;
        out.height = c.h;
        out.precision = static_cast<int>(c.prec);
        out.isSigned = c.sgnd != 0;
        out.samples = c.data;
        picture.components.push_back(out);
    }
    picture.keeper = image;
    error.clear();
    return true;
}

bool PxJasWriteOpenJpeg(PxFile* file, PxJasCodec codec, const PxJasPicture& picture,
                        const PxJasWriteOptions& options, std::string& error) {
    error = kCannotEncode;
    const std::vector<PxJasComponent>& comps = picture.components;
    const DWORD width = comps[0].width, height = comps[0].height;
    std::vector<opj_image_cmptparm_t> parms(comps.size());
    for (std::size_t c = 0; c < comps.size(); ++c) {
        opj_image_cmptparm_t& p = parms[c];
        p = {};
        p.dx = 1;
        p.dy = 1;
        p.w = width;
        p.h = height;
        p.prec = static_cast<OPJ_UINT32>(comps[c].precision);
        p.sgnd = comps[c].isSigned ? 1 : 0;
    }
    const bool colour = comps.size() == 3;
    std::unique_ptr<opj_image_t, void (*)(opj_image_t*)> image(
        opj_image_create(static_cast<OPJ_UINT32>(parms.size()), parms.data(),
                         colour ? OPJ_CLRSPC_SRGB : OPJ_CLRSPC_GRAY),
        opj_image_destroy);
    if (!image) {
        error = "error : jas_image_create";
        return false;
    }
    image->x0 = 0;
    image->y0 = 0;
    image->x1 = width;
    image->y1 = height;
    const std::size_t count = static_cast<std::size_t>(width) * height;
    for (std::size_t c = 0; c < comps.size(); ++c)
        std::copy(comps[c].samples, comps[c].samples + count, image->comps[c].data);

    opj_cparameters_t parameters;
    opj_set_default_encoder_parameters(&parameters);
    parameters.tcp_numlayers = 1;
    parameters.cp_disto_alloc = 1;
    const bool lossless = !(options.rate > 0.0 && options.rate < 1.0);
    parameters.tcp_rates[0] = lossless ? 0.0f : static_cast<float>(1.0 / options.rate);
    parameters.irreversible = lossless ? 0 : 1;
    parameters.numresolution = ResolutionsFor(width, height);
    parameters.tcp_mct = colour ? 1 : 0;

    CodecPtr encoder(opj_create_compress(codec == PxJasCodec::jp2 ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K));
    StreamContext ctx{file, file->Tell()};
    StreamPtr stream = MakeStream(ctx, false, -1);
    if (!encoder || !stream)
        return false;
    Silence(encoder.get());
    if (!opj_setup_encoder(encoder.get(), &parameters, image.get()) ||
        !opj_start_compress(encoder.get(), image.get(), stream.get()) ||
        !opj_encode(encoder.get(), stream.get()) || !opj_end_compress(encoder.get(), stream.get()))
        return false;
    error.clear();
    return true;
}
