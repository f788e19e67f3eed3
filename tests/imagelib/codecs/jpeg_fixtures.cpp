#include "jpeg_fixtures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <jpeglib.h>

namespace lvtest {

std::vector<std::uint8_t> MakeJpeg(const JpegRecipe& recipe) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = static_cast<JDIMENSION>(recipe.width);
    cinfo.image_height = static_cast<JDIMENSION>(recipe.height);
    cinfo.input_components = recipe.components;
    cinfo.in_color_space = recipe.components == 1   ? JCS_GRAYSCALE
                           : recipe.components == 4 ? JCS_CMYK
                                                    : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, recipe.quality, TRUE);
    if (recipe.progressive)
        jpeg_simple_progression(&cinfo);
    cinfo.arith_code = recipe.arithmetic ? TRUE : FALSE;
    cinfo.write_JFIF_header = recipe.writeJfif ? TRUE : FALSE;
    cinfo.density_unit = static_cast<UINT8>(recipe.densityUnit);
    cinfo.X_density = static_cast<UINT16>(recipe.xDensity);
    cinfo.Y_density = static_cast<UINT16>(recipe.yDensity);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(recipe.width * recipe.components));
    for (int y = 0; y < recipe.height; ++y) {
        for (int x = 0; x < recipe.width; ++x)
            for (int c = 0; c < recipe.components; ++c)
                row[static_cast<std::size_t>(x * recipe.components + c)] =
                    recipe.sample
                        ? recipe.sample(x, y, c)
                        : static_cast<std::uint8_t>(
                              (x * 255 / std::max(1, recipe.width - 1) + y * 7 + c * 60) & 0xFF);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> result(out, out + outSize);
    std::free(out);
    return result;
}

DecodedJpeg DecodeJpegReference(const std::vector<std::uint8_t>& jpeg) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    DecodedJpeg d;
    d.width = static_cast<int>(cinfo.output_width);
    d.height = static_cast<int>(cinfo.output_height);
    d.components = cinfo.output_components;
    const std::size_t stride = static_cast<std::size_t>(d.width * d.components);
    d.samples.resize(stride * static_cast<std::size_t>(d.height));
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[1] = {d.samples.data() + stride * cinfo.output_scanline};
        jpeg_read_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return d;
}

namespace {

// Calls f(marker, segment start, segment length including marker) for every segment before
// the image data; stops after the start of scan.
template <class F> void WalkSegments(const std::vector<std::uint8_t>& jpeg, F f) {
    std::size_t i = 2;
    while (i + 4 <= jpeg.size()) {
        if (jpeg[i] != 0xFF)
            return;
        const int marker = jpeg[i + 1];
        const std::size_t length = static_cast<std::size_t>(jpeg[i + 2] << 8 | jpeg[i + 3]);
        f(marker, i, length + 2);
        if (marker == 0xDA)
            return;
        i += length + 2;
    }
}

} // namespace

std::vector<int> JpegMarkers(const std::vector<std::uint8_t>& jpeg) {
    std::vector<int> markers;
    if (jpeg.size() >= 2 && jpeg[0] == 0xFF && jpeg[1] == 0xD8)
        markers.push_back(0xD8);
    WalkSegments(jpeg, [&](int marker, std::size_t, std::size_t) { markers.push_back(marker); });
    return markers;
}

std::vector<std::uint8_t> JpegSegmentPayload(const std::vector<std::uint8_t>& jpeg, int marker) {
    std::vector<std::uint8_t> payload;
    bool found = false;
    WalkSegments(jpeg, [&](int m, std::size_t at, std::size_t length) {
        if (found || m != marker)
            return;
        found = true;
        payload.assign(jpeg.begin() + static_cast<long>(at + 4),
                       jpeg.begin() + static_cast<long>(at + length));
    });
    return payload;
}

std::vector<std::uint8_t> InsertAfterSoi(const std::vector<std::uint8_t>& jpeg,
                                         const std::vector<std::uint8_t>& segment) {
    // Sized once and filled by copies: GCC 12 misreads growing inserts here as overruns.
    std::vector<std::uint8_t> out(jpeg.size() + segment.size());
    auto at = std::copy(jpeg.begin(), jpeg.begin() + 2, out.begin());
    at = std::copy(segment.begin(), segment.end(), at);
    std::copy(jpeg.begin() + 2, jpeg.end(), at);
    return out;
}

} // namespace lvtest
