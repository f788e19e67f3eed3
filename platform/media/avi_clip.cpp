#include "media/avi_clip.h"

#include "media/rle8.h"
#include "util/le_bytes.h"

#include <algorithm>
#include <cstring>

namespace lv::media {
namespace {

constexpr std::uint32_t fourcc(const char (&s)[5]) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[0])) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[3])) << 24;
}

constexpr std::uint32_t kRiff = fourcc("RIFF");
constexpr std::uint32_t kAvi = fourcc("AVI ");
constexpr std::uint32_t kList = fourcc("LIST");
constexpr std::uint32_t kHdrl = fourcc("hdrl");
constexpr std::uint32_t kStrl = fourcc("strl");
constexpr std::uint32_t kStrh = fourcc("strh");
constexpr std::uint32_t kStrf = fourcc("strf");
constexpr std::uint32_t kMovi = fourcc("movi");
constexpr std::uint32_t kRec = fourcc("rec ");
constexpr std::uint32_t kIdx1 = fourcc("idx1");
constexpr std::uint32_t kVids = fourcc("vids");
constexpr std::uint32_t kKeyFrameFlag = 0x10;
constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiBitfields = 3;
constexpr int kMaxListDepth = 4;
constexpr std::size_t kStreamHeaderSize = 48;
constexpr std::size_t kInfoHeaderSize = 40;

struct Chunk {
    std::uint32_t id = 0;
    std::size_t offset = 0; // of the data
    std::uint32_t size = 0;
};

// The chunks of a span of the file, in order; a chunk that claims more than is left is cut
// to what is left (a clip written to the end of a cut-off file keeps its earlier frames).
std::vector<Chunk> chunks_in(std::span<const std::uint8_t> all, std::size_t begin,
                             std::size_t end) {
    std::vector<Chunk> out;
    std::size_t at = begin;
    while (end - at >= 8) {
        ByteReader r(all.subspan(at, 8));
        Chunk c;
        r.u32(c.id);
        r.u32(c.size);
        c.offset = at + 8;
        const std::size_t left = end - c.offset;
        if (c.size > left)
            c.size = static_cast<std::uint32_t>(left);
        out.push_back(c);
        at = c.offset + c.size + (c.size & 1);
        if (at > end)
            break;
    }
    return out;
}

std::uint32_t list_type(std::span<const std::uint8_t> all, const Chunk& c) {
    if (c.id != kList || c.size < 4)
        return 0;
    std::uint32_t type = 0;
    ByteReader r(all.subspan(c.offset, 4));
    r.u32(type);
    return type;
}

bool fail(std::string* why, const char* reason) {
    if (why)
        *why = reason;
    return false;
}

bool read_stream_header(std::span<const std::uint8_t> data, AviStreamHeader& h) {
    if (data.size() < kStreamHeaderSize)
        return false;
    ByteReader r(data);
    std::uint16_t priority = 0, language = 0;
    std::uint32_t initial = 0;
    r.u32(h.type);
    r.u32(h.handler);
    r.u32(h.flags);
    r.u16(priority);
    r.u16(language);
    r.u32(initial);
    r.u32(h.scale);
    r.u32(h.rate);
    r.u32(h.start);
    r.u32(h.length);
    r.u32(h.suggested_buffer);
    return r.ok();
}

bool read_format(std::span<const std::uint8_t> data, AviVideoFormat& f, std::string* why) {
    if (data.size() < kInfoHeaderSize)
        return fail(why, "format block shorter than a bitmap header");
    ByteReader r(data);
    std::uint32_t header_size = 0, size_image = 0, colors_used = 0;
    std::uint16_t planes = 0;
    r.u32(header_size);
    r.i32(f.width);
    r.i32(f.height);
    r.u16(planes);
    r.u16(f.bit_count);
    r.u32(f.compression);
    r.u32(size_image);
    r.skip(8);
    r.u32(colors_used);
    if (header_size < kInfoHeaderSize || header_size > data.size())
        return fail(why, "bitmap header size out of range");
    if (f.bit_count != 1 && f.bit_count != 4 && f.bit_count != 8 && f.bit_count != 16 &&
        f.bit_count != 24 && f.bit_count != 32)
        return fail(why, "no such pixel depth");
    if (f.width <= 0 || f.height == 0 || f.width > AviClip::kMaxDimension ||
        f.height < -AviClip::kMaxDimension || f.height > AviClip::kMaxDimension ||
        static_cast<std::uint64_t>(f.width) * f.rows() > AviClip::kMaxPixels)
        return fail(why, "frame size out of range");
    std::size_t count = 0;
    if (f.bit_count <= 8 && f.bit_count > 0)
        count = colors_used ? colors_used : (1u << f.bit_count);
    else if (f.compression == kBiBitfields)
        count = 3;
    if (count > 256)
        return fail(why, "too many colours");
    if (count * 4 > data.size() - header_size)
        return fail(why, "colour table cut off");
    ByteReader colours(data.subspan(header_size, count * 4));
    f.colors.resize(count);
    for (auto& c : f.colors)
        colours.u32(c);
    f.stored.assign(data.begin(), data.end());
    return true;
}

} // namespace

bool AviVideoFormat::decodable() const {
    if (compression == kBiRle8)
        return bit_count == 8 && height > 0;
    if (compression == kBiBitfields)
        return bit_count == 16 || bit_count == 32;
    return compression == kBiRgb &&
           (bit_count == 8 || bit_count == 16 || bit_count == 24 || bit_count == 32);
}

class AviParser {
public:
    AviParser(AviClip& clip, std::string* why) : m_clip(clip), m_why(why) {}

    bool run() {
        std::span<const std::uint8_t> all(m_clip.m_bytes);
        ByteReader r(all);
        std::uint32_t riff = 0, size = 0, form = 0;
        if (!r.u32(riff) || !r.u32(size) || !r.u32(form) || riff != kRiff || form != kAvi)
            return fail(m_why, "not an AVI file");
        const std::size_t end = std::min<std::size_t>(all.size(), std::size_t{8} + size);
        if (end < 12)
            return fail(m_why, "RIFF size too small");
        const Chunk* movi = nullptr;
        const Chunk* index = nullptr;
        const auto top = chunks_in(all, 12, end);
        for (const Chunk& c : top) {
            if (list_type(all, c) == kHdrl && !find_video_stream(all, c))
                return false;
            if (list_type(all, c) == kMovi && !movi)
                movi = &c;
            if (c.id == kIdx1 && !index)
                index = &c;
        }
        if (m_stream < 0)
            return fail(m_why, "no video stream");
        if (!movi)
            return fail(m_why, "no frame list");
        collect_frames(all, movi->offset + 4, movi->offset + movi->size, 0);
        if (index)
            apply_key_flags(all, *index);
        return true;
    }

private:
    bool find_video_stream(std::span<const std::uint8_t> all, const Chunk& hdrl) {
        int number = 0;
        for (const Chunk& strl : chunks_in(all, hdrl.offset + 4, hdrl.offset + hdrl.size)) {
            if (list_type(all, strl) != kStrl)
                continue;
            AviStreamHeader header;
            bool have_header = false;
            std::span<const std::uint8_t> format;
            for (const Chunk& c : chunks_in(all, strl.offset + 4, strl.offset + strl.size)) {
                if (c.id == kStrh && !have_header)
                    have_header = read_stream_header(all.subspan(c.offset, c.size), header);
                else if (c.id == kStrf && format.empty())
                    format = all.subspan(c.offset, c.size);
            }
            if (m_stream < 0 && have_header && header.type == kVids) {
                if (!read_format(format, m_clip.m_format, m_why))
                    return false;
                m_clip.m_stream = header;
                m_stream = number;
            }
            if (++number > 99)
                break; // chunk ids hold two decimal digits
        }
        return true;
    }

    bool is_frame_id(std::uint32_t id) const {
        const char digits[2] = {static_cast<char>('0' + m_stream / 10),
                                static_cast<char>('0' + m_stream % 10)};
        const auto b = [&](int i) { return static_cast<char>((id >> (8 * i)) & 0xFF); };
        return b(0) == digits[0] && b(1) == digits[1] && b(2) == 'd' &&
               (b(3) == 'b' || b(3) == 'c');
    }

    void collect_frames(std::span<const std::uint8_t> all, std::size_t begin, std::size_t end,
                        int depth) {
        if (begin > end)
            return;
        for (const Chunk& c : chunks_in(all, begin, end)) {
            if (list_type(all, c) == kRec && depth < kMaxListDepth)
                collect_frames(all, c.offset + 4, c.offset + c.size, depth + 1);
            else if (is_frame_id(c.id))
                m_clip.m_frames.push_back(AviFrameChunk{c.offset, c.size, true});
        }
    }

    // The index names the key frames: a delta frame needs the frames before it.
    void apply_key_flags(std::span<const std::uint8_t> all, const Chunk& index) {
        std::vector<bool> keys;
        ByteReader r(all.subspan(index.offset, index.size));
        while (r.remaining() >= 16) {
            std::uint32_t id = 0, flags = 0, offset = 0, length = 0;
            r.u32(id);
            r.u32(flags);
            r.u32(offset);
            r.u32(length);
            if (is_frame_id(id))
                keys.push_back((flags & kKeyFrameFlag) != 0);
        }
        if (keys.size() != m_clip.m_frames.size())
            return; // an index that does not match the frames is not trusted
        for (std::size_t i = 0; i < keys.size(); ++i)
            m_clip.m_frames[i].key = keys[i];
    }

    AviClip& m_clip;
    std::string* m_why;
    int m_stream = -1;
};

std::unique_ptr<AviClip> AviClip::parse(std::vector<std::uint8_t> bytes, std::string* why) {
    auto clip = std::unique_ptr<AviClip>(new AviClip);
    clip->m_bytes = std::move(bytes);
    AviParser parser(*clip, why);
    if (!parser.run())
        return nullptr;
    // Without an index only the first frame of a compressed stream is known to stand alone.
    if (clip->m_format.compression == kBiRle8) {
        bool any_delta = false;
        for (const auto& f : clip->m_frames)
            any_delta = any_delta || !f.key;
        if (!any_delta)
            for (std::size_t i = 1; i < clip->m_frames.size(); ++i)
                clip->m_frames[i].key = false;
    }
    return clip;
}

std::span<const std::uint8_t> AviClip::frame_bytes(std::uint32_t index) const {
    const AviFrameChunk& f = m_frames[index];
    return std::span<const std::uint8_t>(m_bytes).subspan(f.offset, f.size);
}

AviFrameDecoder::AviFrameDecoder(std::shared_ptr<const AviClip> clip) : m_clip(std::move(clip)) {
    if (m_clip->format().decodable())
        build_header();
}

void AviFrameDecoder::build_header() {
    const AviVideoFormat& f = m_clip->format();
    const std::size_t colours = f.colors.size();
    const std::size_t image = static_cast<std::size_t>(f.stride()) * f.rows();
    m_bits_offset = kInfoHeaderSize + colours * 4;
    m_dib.assign(m_bits_offset + image, 0);
    std::vector<std::uint8_t> header;
    ByteWriter w(header);
    w.u32(static_cast<std::uint32_t>(kInfoHeaderSize));
    w.i32(f.width);
    w.i32(f.compression == kBiRle8 ? static_cast<std::int32_t>(f.rows()) : f.height);
    w.u16(1);
    w.u16(f.bit_count);
    w.u32(f.compression == kBiRle8 ? kBiRgb : f.compression);
    w.u32(static_cast<std::uint32_t>(image));
    w.zeros(8);
    w.u32(f.bit_count <= 8 ? static_cast<std::uint32_t>(colours) : 0);
    w.u32(0);
    for (std::uint32_t c : f.colors)
        w.u32(c);
    std::copy(header.begin(), header.end(), m_dib.begin());
}

bool AviFrameDecoder::apply(std::uint32_t index) {
    const AviVideoFormat& f = m_clip->format();
    const auto bytes = m_clip->frame_bytes(index);
    if (bytes.empty())
        return true; // an empty chunk shows the frame before it again
    std::span<std::uint8_t> bits(m_dib.data() + m_bits_offset, m_dib.size() - m_bits_offset);
    if (f.compression == kBiRle8) {
        if (m_clip->frame(index).key)
            std::fill(bits.begin(), bits.end(), 0);
        decode_rle8(bytes, bits, f.stride(), static_cast<std::uint32_t>(f.width), f.rows());
        return true;
    }
    if (bytes.size() < bits.size())
        return false;
    std::copy_n(bytes.begin(), bits.size(), bits.begin());
    return true;
}

const std::uint8_t* AviFrameDecoder::decode(std::uint32_t index) {
    if (index >= m_clip->frame_count() || !m_clip->format().decodable())
        return nullptr;
    if (m_current == index)
        return m_dib.data();
    // A frame builds on the ones before it back to a key frame that holds a picture; the frame
    // held now is a shortcut when it lies on that way.
    std::uint32_t first = index;
    while (first > 0 && !(m_clip->frame(first).key && m_clip->frame(first).size > 0))
        --first;
    if (m_current >= first && m_current < index) {
        first = static_cast<std::uint32_t>(m_current) + 1;
    } else {
        std::fill(m_dib.begin() + static_cast<std::ptrdiff_t>(m_bits_offset), m_dib.end(), 0);
    }
    for (std::uint32_t i = first; i <= index; ++i) {
        if (!apply(i)) {
            m_current = -1;
            return nullptr;
        }
        m_current = i;
    }
    return m_dib.data();
}

} // namespace lv::media
