#include "tests/support/bmp_writer.h"

#include "util/le_bytes.h"

namespace lvtest {

namespace {

std::uint32_t RowBytes(int bitCount, int width) {
    return ((static_cast<std::uint32_t>(bitCount) * width + 31) / 32) * 4;
}

std::uint32_t HeaderSize(BmpHeaderForm form) {
    switch (form) {
    case BmpHeaderForm::Core12:
        return 12;
    case BmpHeaderForm::Os2v2:
        return 64;
    case BmpHeaderForm::V5:
        return 124;
    case BmpHeaderForm::Info40:
        break;
    }
    return 40;
}

// Rows in file order, each padded to 4 bytes.
std::vector<std::uint8_t> PackRows(const BmpSpec& spec) {
    std::vector<std::uint8_t> out;
    const std::uint32_t stride = RowBytes(spec.bitCount, spec.width);
    for (int fileRow = 0; fileRow < spec.height; ++fileRow) {
        const int pictureRow = spec.topDown ? fileRow : spec.height - 1 - fileRow;
        std::vector<std::uint8_t> row(stride, 0);
        for (int x = 0; x < spec.width; ++x) {
            const std::uint32_t v =
                spec.pixels[static_cast<std::size_t>(pictureRow) * spec.width + x];
            switch (spec.bitCount) {
            case 1:
                row[x / 8] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8));
                break;
            case 4:
                row[x / 2] |= static_cast<std::uint8_t>((v & 0xF) << (x % 2 ? 0 : 4));
                break;
            case 8:
                row[x] = static_cast<std::uint8_t>(v);
                break;
            case 16:
                row[2 * x] = static_cast<std::uint8_t>(v);
                row[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                break;
            case 24:
                row[3 * x] = static_cast<std::uint8_t>(v);
                row[3 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                row[3 * x + 2] = static_cast<std::uint8_t>(v >> 16);
                break;
            case 32:
                row[4 * x] = static_cast<std::uint8_t>(v);
                row[4 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                row[4 * x + 2] = static_cast<std::uint8_t>(v >> 16);
                row[4 * x + 3] = 0xFF;
                break;
            default:
                break;
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

std::vector<std::uint8_t> EncodeRle(const BmpSpec& spec) {
    const bool nibbles = spec.rle == BmpRle::Rle4;
    std::vector<std::uint8_t> out;
    for (int fileRow = 0; fileRow < spec.height; ++fileRow) {
        const int pictureRow = spec.topDown ? fileRow : spec.height - 1 - fileRow;
        const std::uint32_t* row = &spec.pixels[static_cast<std::size_t>(pictureRow) * spec.width];
        int x = 0;
        while (x < spec.width) {
            int run = 1;
            while (x + run < spec.width && run < 255 && row[x + run] == row[x])
                ++run;
            if (run >= 2 || spec.width - x < 3) {
                const std::uint8_t v = static_cast<std::uint8_t>(row[x]);
                out.push_back(static_cast<std::uint8_t>(run));
                out.push_back(nibbles ? static_cast<std::uint8_t>((v << 4) | (v & 0xF)) : v);
                x += run;
                continue;
            }
            // An absolute run up to the next pair of equal pixels.
            int length = 1;
            while (x + length < spec.width && length < 255 &&
                   !(x + length + 1 < spec.width && row[x + length] == row[x + length + 1]))
                ++length;
            if (length < 3)
                length = 3 <= spec.width - x ? 3 : spec.width - x;
            out.push_back(0);
            out.push_back(static_cast<std::uint8_t>(length));
            std::size_t bytes = 0;
            for (int i = 0; i < length; ++i) {
                const std::uint8_t v = static_cast<std::uint8_t>(row[x + i]);
                if (!nibbles) {
                    out.push_back(v);
                    ++bytes;
                } else if (i % 2 == 0) {
                    out.push_back(static_cast<std::uint8_t>(v << 4));
                    ++bytes;
                } else {
                    out.back() |= static_cast<std::uint8_t>(v & 0xF);
                }
            }
            if (bytes % 2)
                out.push_back(0);
            x += length;
        }
        out.push_back(0);
        out.push_back(0);
    }
    out.push_back(0);
    out.push_back(1);
    return out;
}

std::vector<std::uint8_t> WriteBmp(const BmpSpec& spec) {
    const std::uint32_t headerSize = HeaderSize(spec.form);
    const bool core = spec.form == BmpHeaderForm::Core12;
    const std::uint32_t entrySize = core ? 3 : 4;
    const std::uint32_t paletteBytes = static_cast<std::uint32_t>(spec.palette.size()) * entrySize;
    const bool masks = spec.bitCount == 16 && spec.bitfields;
    const std::uint32_t maskBytes = masks ? 12 : 0;

    std::vector<std::uint8_t> data = spec.rle == BmpRle::None ? PackRows(spec) : EncodeRle(spec);
    std::uint32_t compression = 0;
    if (spec.rle == BmpRle::Rle8)
        compression = 1;
    else if (spec.rle == BmpRle::Rle4)
        compression = 2;
    else if (masks)
        compression = 3;

    const std::uint32_t pixelOffset = 14 + headerSize + maskBytes + paletteBytes;
    std::vector<std::uint8_t> out;
    lv::ByteWriter w(out);
    if (spec.fileHeader) {
        w.u16(0x4D42);
        w.u32(pixelOffset + static_cast<std::uint32_t>(data.size()));
        w.u16(0);
        w.u16(0);
        w.u32(pixelOffset);
    }
    const std::int32_t height = spec.topDown ? -spec.height : spec.height;
    if (core) {
        w.u32(12);
        w.u16(static_cast<std::uint16_t>(spec.width));
        w.u16(static_cast<std::uint16_t>(height));
        w.u16(1);
        w.u16(static_cast<std::uint16_t>(spec.bitCount));
    } else {
        const bool fullPalette = spec.bitCount > 8 || spec.palette.size() == (1u << spec.bitCount);
        w.u32(headerSize);
        w.i32(spec.width);
        w.i32(height);
        w.u16(1);
        w.u16(static_cast<std::uint16_t>(spec.bitCount));
        w.u32(compression);
        w.u32(spec.rle == BmpRle::None ? RowBytes(spec.bitCount, spec.width) * spec.height
                                       : static_cast<std::uint32_t>(data.size()));
        w.i32(spec.xPelsPerMeter);
        w.i32(spec.yPelsPerMeter);
        w.u32(fullPalette ? 0 : static_cast<std::uint32_t>(spec.palette.size()));
        w.u32(0);
        w.zeros(headerSize - 40);
    }
    if (masks) {
        w.u32(spec.masks[0]);
        w.u32(spec.masks[1]);
        w.u32(spec.masks[2]);
    }
    for (const auto& entry : spec.palette) {
        w.u8(entry[2]);
        w.u8(entry[1]);
        w.u8(entry[0]);
        if (!core)
            w.u8(0);
    }
    w.bytes(data.data(), data.size());
    return out;
}

} // namespace lvtest
