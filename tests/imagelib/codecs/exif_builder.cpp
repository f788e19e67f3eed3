#include "exif_builder.h"

#include <algorithm>

namespace lvtest {

std::vector<std::uint8_t> ExifBuilder::U16(std::uint16_t v) const {
    if (m_big)
        return {static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
}

std::vector<std::uint8_t> ExifBuilder::U32(std::uint32_t v) const {
    std::vector<std::uint8_t> out(4);
    for (int i = 0; i < 4; ++i)
        out[m_big ? 3 - i : i] = static_cast<std::uint8_t>(v >> (8 * i));
    return out;
}

ExifEntry ExifBuilder::Ascii(std::uint16_t tag, const std::string& text) const {
    ExifEntry e{tag, 2, static_cast<std::uint32_t>(text.size() + 1), {}, -1};
    e.data.assign(text.begin(), text.end());
    e.data.push_back(0);
    return e;
}

ExifEntry ExifBuilder::Short(std::uint16_t tag, std::uint16_t v) const {
    return {tag, 3, 1, U16(v), -1};
}

ExifEntry ExifBuilder::Long(std::uint16_t tag, std::uint32_t v) const {
    return {tag, 4, 1, U32(v), -1};
}

ExifEntry ExifBuilder::Rational(std::uint16_t tag, std::int32_t num, std::int32_t den,
                                std::uint16_t format) const {
    ExifEntry e{tag, format, 1, U32(static_cast<std::uint32_t>(num)), -1};
    auto d = U32(static_cast<std::uint32_t>(den));
    e.data.insert(e.data.end(), d.begin(), d.end());
    return e;
}

ExifEntry ExifBuilder::Undefined(std::uint16_t tag, const std::vector<std::uint8_t>& bytes) const {
    return {tag, 7, static_cast<std::uint32_t>(bytes.size()), bytes, -1};
}

ExifEntry ExifBuilder::Link(std::uint16_t tag, int directory) const {
    return {tag, 4, 1, U32(0), directory};
}

std::vector<std::uint8_t> ExifBuilder::Tiff(const std::vector<ExifDirectory>& directories) const {
    auto dataSize = [](const ExifEntry& e) {
        return e.data.size() > 4 ? (e.data.size() + 1) & ~std::size_t{1} : 0;
    };
    std::vector<std::uint32_t> offsets;
    std::uint32_t at = 8;
    for (const auto& dir : directories) {
        offsets.push_back(at);
        at += static_cast<std::uint32_t>(2 + 12 * dir.entries.size() + 4);
        for (const auto& e : dir.entries)
            at += static_cast<std::uint32_t>(dataSize(e));
    }

    std::vector<std::uint8_t> out;
    auto put = [&](const std::vector<std::uint8_t>& bytes) {
        out.insert(out.end(), bytes.begin(), bytes.end());
    };
    put(m_big ? std::vector<std::uint8_t>{'M', 'M'} : std::vector<std::uint8_t>{'I', 'I'});
    put(U16(42));
    put(U32(8));
    for (std::size_t d = 0; d < directories.size(); ++d) {
        const auto& dir = directories[d];
        std::uint32_t dataAt =
            offsets[d] + static_cast<std::uint32_t>(2 + 12 * dir.entries.size() + 4);
        std::vector<std::uint8_t> data;
        put(U16(static_cast<std::uint16_t>(dir.entries.size())));
        for (const auto& e : dir.entries) {
            put(U16(e.tag));
            put(U16(e.format));
            put(U32(e.count));
            if (e.linkedDirectory >= 0) {
                put(U32(offsets[static_cast<std::size_t>(e.linkedDirectory)]));
            } else if (e.data.size() > 4) {
                put(U32(dataAt + static_cast<std::uint32_t>(data.size())));
                data.insert(data.end(), e.data.begin(), e.data.end());
                if (data.size() & 1)
                    data.push_back(0);
            } else {
                auto inline_value = e.data;
                inline_value.resize(4, 0);
                put(inline_value);
            }
        }
        put(U32(dir.next >= 0 ? offsets[static_cast<std::size_t>(dir.next)] : 0));
        put(data);
    }
    return out;
}

std::vector<std::uint8_t>
ExifBuilder::Payload(const std::vector<ExifDirectory>& directories) const {
    std::vector<std::uint8_t> out = {'E', 'x', 'i', 'f', 0, 0};
    auto tiff = Tiff(directories);
    out.insert(out.end(), tiff.begin(), tiff.end());
    return out;
}

std::vector<std::uint8_t>
ExifBuilder::Segment(const std::vector<ExifDirectory>& directories) const {
    return JpegSegment(0xE1, Payload(directories));
}

std::vector<std::uint8_t> JpegSegment(std::uint8_t marker,
                                      const std::vector<std::uint8_t>& payload) {
    const std::size_t length = payload.size() + 2;
    // Sized once and filled by copies: GCC 12 misreads growing inserts here as overruns.
    std::vector<std::uint8_t> out(payload.size() + 4);
    out[0] = 0xFF;
    out[1] = marker;
    out[2] = static_cast<std::uint8_t>(length >> 8);
    out[3] = static_cast<std::uint8_t>(length);
    std::copy(payload.begin(), payload.end(), out.begin() + 4);
    return out;
}

} // namespace lvtest
