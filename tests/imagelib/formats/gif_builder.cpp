#include "gif_builder.h"

#include <algorithm>

namespace lvtest {

namespace {

void Word(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

int TableBits(std::size_t entries) {
    int bits = 1;
    while ((std::size_t{1} << bits) < entries)
        ++bits;
    return bits;
}

void Table(std::vector<std::uint8_t>& out, const std::vector<GifColour>& table) {
    const std::size_t size = std::size_t{1} << TableBits(table.size());
    for (std::size_t i = 0; i < size; ++i) {
        const GifColour c = i < table.size() ? table[i] : GifColour{0, 0, 0};
        out.insert(out.end(), c.begin(), c.end());
    }
}

// Rows in the order an interlaced frame stores them.
std::vector<std::uint8_t> Interlace(const std::vector<std::uint8_t>& indices, int width,
                                    int height) {
    std::vector<std::uint8_t> out;
    const int starts[4] = {0, 4, 2, 1}, steps[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < height; y += steps[pass])
            out.insert(out.end(), indices.begin() + y * width, indices.begin() + (y + 1) * width);
    return out;
}

} // namespace

std::vector<std::uint8_t> LiteralImageData(const std::vector<std::uint8_t>& indices, int codeSize) {
    std::vector<std::uint8_t> out{static_cast<std::uint8_t>(codeSize)};
    const int clear = 1 << codeSize;
    const int width = codeSize + 1;
    std::vector<std::uint8_t> bytes;
    std::uint32_t accumulator = 0;
    int bits = 0;
    const auto code = [&](int value) {
        accumulator |= static_cast<std::uint32_t>(value) << bits;
        bits += width;
        while (bits >= 8) {
            bytes.push_back(static_cast<std::uint8_t>(accumulator & 0xFF));
            accumulator >>= 8;
            bits -= 8;
        }
    };
    // After a clear the decoder adds an entry for every code but the first; a clear before it
    // reaches 2^width keeps the width fixed.
    const int perClear = clear - 2;
    int sinceClear = perClear;
    for (const std::uint8_t index : indices) {
        if (sinceClear == perClear) {
            code(clear);
            sinceClear = 0;
        }
        code(index);
        ++sinceClear;
    }
    code(clear + 1);
    if (bits > 0)
        bytes.push_back(static_cast<std::uint8_t>(accumulator & 0xFF));
    for (std::size_t at = 0; at < bytes.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, bytes.size() - at);
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), bytes.begin() + static_cast<long>(at),
                   bytes.begin() + static_cast<long>(at + n));
    }
    out.push_back(0);
    return out;
}

std::vector<std::uint8_t> BuildGif(const GifSpec& spec) {
    std::vector<std::uint8_t> out{'G', 'I', 'F', '8', '9', 'a'};
    Word(out, spec.width);
    Word(out, spec.height);
    if (spec.globalTable.empty()) {
        out.push_back(0);
    } else {
        const int bits = TableBits(spec.globalTable.size());
        out.push_back(static_cast<std::uint8_t>(0x80 | ((bits - 1) << 4) | (bits - 1)));
    }
    out.push_back(0);
    out.push_back(0);
    if (!spec.globalTable.empty())
        Table(out, spec.globalTable);
    if (spec.loopCount >= 0) {
        const char id[] = "NETSCAPE2.0";
        out.insert(out.end(), {0x21, 0xFF, 11});
        out.insert(out.end(), id, id + 11);
        out.insert(out.end(), {3, 1});
        Word(out, spec.loopCount);
        out.push_back(0);
    }
    if (!spec.comment.empty()) {
        out.insert(out.end(), {0x21, 0xFE, static_cast<std::uint8_t>(spec.comment.size())});
        out.insert(out.end(), spec.comment.begin(), spec.comment.end());
        out.push_back(0);
    }
    for (const GifFrameSpec& f : spec.frames) {
        if (f.transparent >= 0 || f.disposal || f.delay) {
            const int flags = (f.disposal << 2) | (f.transparent >= 0 ? 1 : 0);
            out.insert(out.end(), {0x21, 0xF9, 4, static_cast<std::uint8_t>(flags)});
            Word(out, f.delay);
            out.push_back(static_cast<std::uint8_t>(std::max(f.transparent, 0)));
            out.push_back(0);
        }
        out.push_back(',');
        Word(out, f.left);
        Word(out, f.top);
        Word(out, f.width);
        Word(out, f.height);
        int flags = f.interlaced ? 0x40 : 0;
        if (!f.localTable.empty())
            flags |= 0x80 | (TableBits(f.localTable.size()) - 1);
        out.push_back(static_cast<std::uint8_t>(flags));
        if (!f.localTable.empty())
            Table(out, f.localTable);
        const std::size_t tableSize =
            f.localTable.empty() ? spec.globalTable.size() : f.localTable.size();
        const int codeSize = f.codeSize ? f.codeSize : std::max(2, TableBits(tableSize));
        if (!f.writeData)
            continue;
        const auto data = LiteralImageData(
            f.interlaced ? Interlace(f.indices, f.width, f.height) : f.indices, codeSize);
        out.insert(out.end(), data.begin(), data.end());
    }
    if (spec.trailer)
        out.push_back(';');
    return out;
}

std::vector<GifColour> DistinctColours(int n) {
    std::vector<GifColour> table;
    for (int i = 0; i < n; ++i)
        table.push_back({static_cast<std::uint8_t>(i * 7 + 3), static_cast<std::uint8_t>(255 - i),
                         static_cast<std::uint8_t>((i * 53) & 0xFF)});
    return table;
}

} // namespace lvtest
