// Writes the bitmap resource of the resource tests: 3 x 2 pixels, 24 bits, bottom-up, with a
// distinct colour in each pixel (top row red, green, blue; bottom row white, black, grey).
#include <cstdint>
#include <fstream>
#include <vector>

namespace {

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const std::uint32_t stride = 12; // 3 pixels of 3 bytes, padded to 4
    std::vector<std::uint8_t> bmp{'B', 'M'};
    put32(bmp, 14 + 40 + stride * 2);
    put32(bmp, 0);
    put32(bmp, 14 + 40);
    put32(bmp, 40);
    put32(bmp, 3);
    put32(bmp, 2);
    put16(bmp, 1);
    put16(bmp, 24);
    for (int i = 0; i < 6; ++i)
        put32(bmp, 0);
    const std::uint8_t bottom[] = {255, 255, 255, 0, 0, 0, 128, 128, 128, 0, 0, 0}; // B, G, R
    const std::uint8_t top[] = {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0};
    bmp.insert(bmp.end(), std::begin(bottom), std::end(bottom));
    bmp.insert(bmp.end(), std::begin(top), std::end(top));
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
    return out ? 0 : 1;
}
