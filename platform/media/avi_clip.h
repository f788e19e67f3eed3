// The video stream of an AVI clip (a RIFF file): its stream header, its frame format and where
// each frame's bytes lie. Every size, count and offset is checked against the bytes held.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace lv::media {

struct AviStreamHeader {
    std::uint32_t type = 0; // 'vids'
    std::uint32_t handler = 0;
    std::uint32_t flags = 0;
    std::uint32_t scale = 0; // rate / scale = frames per second
    std::uint32_t rate = 0;
    std::uint32_t start = 0;  // time of the first frame
    std::uint32_t length = 0; // frames, as the header claims
    std::uint32_t suggested_buffer = 0;
};

// The stream's BITMAPINFOHEADER fields and its colours (palette or three bit masks).
struct AviVideoFormat {
    std::int32_t width = 0;
    std::int32_t height = 0; // negative: rows top-down
    std::uint16_t bit_count = 0;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> colors; // RGBQUAD values, or the red, green and blue masks
    std::vector<std::uint8_t> stored;  // the format block as the file holds it
    std::uint32_t rows() const { return static_cast<std::uint32_t>(height < 0 ? -height : height); }
    std::uint32_t stride() const {
        return ((static_cast<std::uint32_t>(width) * bit_count + 31) / 32) * 4;
    }
    // Uncompressed 8, 16, 24 and 32 bits (16 and 32 also with bit masks) and RLE8.
    bool decodable() const;
};

struct AviFrameChunk {
    std::size_t offset = 0; // of the frame's bytes in the file
    std::uint32_t size = 0; // 0: the previous frame again
    bool key = true;
};

class AviClip {
public:
    static constexpr std::int32_t kMaxDimension = 8192;
    static constexpr std::uint64_t kMaxPixels = 16u << 20;

    // The clip's first video stream; nothing (with a reason in `why`) for bytes that are no
    // AVI file, have no video stream or hold an impossible format.
    static std::unique_ptr<AviClip> parse(std::vector<std::uint8_t> bytes,
                                          std::string* why = nullptr);

    const AviStreamHeader& stream() const { return m_stream; }
    const AviVideoFormat& format() const { return m_format; }
    // The frames the clip has: the header's length, or fewer when fewer frames are stored.
    std::uint32_t frame_count() const {
        return static_cast<std::uint32_t>(m_frames.size() < m_stream.length ? m_frames.size()
                                                                            : m_stream.length);
    }
    const AviFrameChunk& frame(std::uint32_t index) const { return m_frames[index]; }
    std::span<const std::uint8_t> frame_bytes(std::uint32_t index) const;

private:
    friend class AviParser;
    std::vector<std::uint8_t> m_bytes;
    AviStreamHeader m_stream;
    AviVideoFormat m_format;
    std::vector<AviFrameChunk> m_frames;
};

// Frames of one clip as packed DIBs (header, colours, bits): uncompressed frames in their own
// depth, RLE8 frames as 8-bit pictures. Sequential frames are decoded once each.
class AviFrameDecoder {
public:
    explicit AviFrameDecoder(std::shared_ptr<const AviClip> clip);
    // The packed DIB of frame `index`, valid until the next call; nullptr for a frame out of
    // range or one whose bytes are broken.
    const std::uint8_t* decode(std::uint32_t index);
    // Where the pixels start in what decode gives.
    std::size_t bits_offset() const { return m_bits_offset; }

private:
    bool apply(std::uint32_t index);
    void build_header();

    std::shared_ptr<const AviClip> m_clip;
    std::vector<std::uint8_t> m_dib; // header, colours, bits
    std::size_t m_bits_offset = 0;
    std::int64_t m_current = -1; // the frame m_dib holds
};

} // namespace lv::media
