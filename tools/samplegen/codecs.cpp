// JPEG and PNG writing for the sample theme, straight through the packaged libraries; BMP
// through the artwork kit.
#include "tools/samplegen/pictures.h"

#include "tools/artkit/bmp24_writer.h"

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <png.h>

namespace samplegen {

std::vector<std::uint8_t> EncodeJpeg(const RgbImage& image, int quality) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(image.width);
    cinfo.image_height = static_cast<JDIMENSION>(image.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(
            image.rgb.data() + static_cast<std::size_t>(cinfo.next_scanline) * image.width * 3);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

namespace {
void AppendPng(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
void FlushPng(png_structp) {}
} // namespace

std::vector<std::uint8_t> EncodePng(const RgbImage& image) {
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fprintf(stderr, "samplegen: PNG encoding failed\n");
        std::exit(1);
    }
    png_set_write_fn(png, &out, AppendPng, FlushPng);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y)
        png_write_row(png, const_cast<png_bytep>(image.rgb.data() +
                                                 static_cast<std::size_t>(y) * image.width * 3));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<std::uint8_t> EncodeBmp(const RgbImage& image) {
    Canvas canvas(image.width, image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::size_t i = (static_cast<std::size_t>(y) * image.width + x) * 3;
            canvas.SetPixel(x, y, RGB(image.rgb[i], image.rgb[i + 1], image.rgb[i + 2]));
        }
    }
    return EncodeBmp24(canvas);
}

} // namespace samplegen
