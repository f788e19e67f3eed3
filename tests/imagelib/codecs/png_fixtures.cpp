#include "png_fixtures.h"

#include <cstring>
#include <stdexcept>

#include <png.h>

namespace lvtest {

namespace {

int Channels(int colorType) {
    switch (colorType) {
    case 0:
    case 3:
        return 1;
    case 4:
        return 2;
    case 2:
        return 3;
    default:
        return 4;
    }
}

void WriteToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

} // namespace

std::size_t PngRowBytes(const PngRecipe& recipe) {
    return (static_cast<std::size_t>(recipe.width) * Channels(recipe.colorType) * recipe.bitDepth +
            7) /
           8;
}

std::vector<std::uint8_t> MakePng(const PngRecipe& recipe) {
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng could not write the fixture");
    }
    png_set_write_fn(png, &out, WriteToVector, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(recipe.width),
                 static_cast<png_uint_32>(recipe.height), recipe.bitDepth, recipe.colorType,
                 recipe.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (const auto& c : recipe.palette)
        palette.push_back(png_color{c.red, c.green, c.blue});
    if (!palette.empty())
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!recipe.trnsAlpha.empty())
        png_set_tRNS(png, info, recipe.trnsAlpha.data(), static_cast<int>(recipe.trnsAlpha.size()),
                     nullptr);
    png_color_16 key{};
    if (recipe.trnsGrey) {
        key.gray = *recipe.trnsGrey;
        png_set_tRNS(png, info, nullptr, 1, &key);
    }
    if (recipe.trnsRgb) {
        key.red = recipe.trnsRgb->red;
        key.green = recipe.trnsRgb->green;
        key.blue = recipe.trnsRgb->blue;
        png_set_tRNS(png, info, nullptr, 1, &key);
    }
    png_color_16 background{};
    if (recipe.background) {
        background.index = recipe.background->red;
        background.red = recipe.background->red;
        background.green = recipe.background->green;
        background.blue = recipe.background->blue;
        png_set_bKGD(png, info, &background);
    }
    if (recipe.backgroundGrey) {
        background.gray = *recipe.backgroundGrey;
        png_set_bKGD(png, info, &background);
    }
    if (recipe.pixelsPerMetre)
        png_set_pHYs(png, info, *recipe.pixelsPerMetre, *recipe.pixelsPerMetre, recipe.physUnit);
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    const std::size_t rowBytes = PngRowBytes(recipe);
    std::vector<std::uint8_t> rows = recipe.rows;
    rows.resize(rowBytes * static_cast<std::size_t>(recipe.height));
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < recipe.height; ++y)
            png_write_row(png, rows.data() + rowBytes * static_cast<std::size_t>(y));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

DecodedPng DecodePngReference(const std::vector<std::uint8_t>& bytes) {
    DecodedPng d;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        throw std::runtime_error("libpng cannot read the PNG");
    image.format = PNG_FORMAT_RGBA;
    d.width = static_cast<int>(image.width);
    d.height = static_cast<int>(image.height);
    d.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, d.rgba.data(), 0, nullptr))
        throw std::runtime_error("libpng cannot decode the PNG");
    d.interlaced = bytes.size() > 28 && bytes[28] == 1; // IHDR interlace byte
    return d;
}

} // namespace lvtest
