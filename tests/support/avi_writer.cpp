#include "tests/support/avi_writer.h"

namespace lvtest {
namespace {

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutFourCC(std::vector<std::uint8_t>& out, const std::string& id) {
    for (std::size_t i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(i < id.size() ? id[i] : ' '));
}

// The bitmap info header with its colours, and the pixel bytes, of one picture.
struct Picture {
    std::vector<std::uint8_t> format;
    std::vector<std::uint8_t> bits;
};

Picture LayOut(const BmpSpec& picture, const std::vector<std::uint32_t>& pixels) {
    BmpSpec spec = picture;
    spec.fileHeader = false;
    spec.form = BmpHeaderForm::Info40;
    spec.pixels = pixels;
    const auto dib = WriteBmp(spec);
    std::size_t colours = spec.palette.size();
    if (spec.bitCount == 16 && spec.bitfields)
        colours += 3;
    const std::size_t split = 40 + colours * 4;
    return Picture{std::vector<std::uint8_t>(dib.begin(), dib.begin() + static_cast<long>(split)),
                   std::vector<std::uint8_t>(dib.begin() + static_cast<long>(split), dib.end())};
}

} // namespace

void RiffWriter::FourCC(const std::string& id) {
    PutFourCC(m_bytes, id);
}

void RiffWriter::BeginList(const std::string& id, const std::string& type) {
    FourCC(id);
    m_open.push_back(m_bytes.size());
    PutU32(m_bytes, 0);
    FourCC(type);
}

void RiffWriter::EndList() {
    const std::size_t at = m_open.back();
    m_open.pop_back();
    const auto size = static_cast<std::uint32_t>(m_bytes.size() - at - 4);
    for (int i = 0; i < 4; ++i)
        m_bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(size >> (8 * i));
}

void RiffWriter::Chunk(const std::string& id, const std::vector<std::uint8_t>& data) {
    FourCC(id);
    PutU32(m_bytes, static_cast<std::uint32_t>(data.size()));
    m_bytes.insert(m_bytes.end(), data.begin(), data.end());
    if (data.size() & 1)
        m_bytes.push_back(0);
}

std::vector<std::uint32_t> SolidPixels(const BmpSpec& picture, std::uint32_t value) {
    return std::vector<std::uint32_t>(static_cast<std::size_t>(picture.width) * picture.height,
                                      value);
}

std::vector<std::uint8_t> WriteAvi(const AviSpec& spec) {
    std::vector<std::vector<std::uint8_t>> frames = spec.raw_frames;
    std::vector<std::uint8_t> format = LayOut(spec.picture, SolidPixels(spec.picture, 0)).format;
    if (frames.empty())
        for (const auto& pixels : spec.frames)
            frames.push_back(LayOut(spec.picture, pixels).bits);
    const auto count = static_cast<std::uint32_t>(frames.size());
    const auto length = spec.length < 0 ? count : static_cast<std::uint32_t>(spec.length);
    const bool compressed = spec.picture.rle != BmpRle::None;
    const std::string frame_id = compressed ? "00dc" : "00db";

    RiffWriter riff;
    riff.BeginList("RIFF", "AVI ");
    riff.BeginList("LIST", "hdrl");
    std::vector<std::uint8_t> main;
    PutU32(main, spec.rate ? static_cast<std::uint32_t>(1000000ull * spec.scale / spec.rate) : 0);
    PutU32(main, 0);
    PutU32(main, 0);
    PutU32(main, spec.index ? 0x10 : 0); // AVIF_HASINDEX
    PutU32(main, count);
    PutU32(main, 0);
    PutU32(main, 1);
    PutU32(main, 0);
    PutU32(main, static_cast<std::uint32_t>(spec.picture.width));
    PutU32(main, static_cast<std::uint32_t>(spec.picture.height));
    for (int i = 0; i < 4; ++i)
        PutU32(main, 0);
    riff.Chunk("avih", main);
    riff.BeginList("LIST", "strl");
    std::vector<std::uint8_t> stream;
    PutFourCC(stream, spec.stream_type);
    PutU32(stream, 0); // handler
    PutU32(stream, 0); // flags
    PutU16(stream, 0);
    PutU16(stream, 0);
    PutU32(stream, 0); // initial frames
    PutU32(stream, spec.scale);
    PutU32(stream, spec.rate);
    PutU32(stream, spec.start);
    PutU32(stream, length);
    PutU32(stream, 0);
    PutU32(stream, 0xFFFFFFFF); // quality
    PutU32(stream, 0);
    for (int i = 0; i < 4; ++i)
        PutU16(stream, 0); // frame rectangle
    riff.Chunk("strh", stream);
    riff.Chunk("strf", format);
    riff.EndList();
    riff.EndList();
    riff.BeginList("LIST", "movi");
    for (const auto& frame : frames)
        riff.Chunk(frame_id, frame);
    riff.EndList();
    if (spec.index) {
        std::vector<std::uint8_t> index;
        std::uint32_t offset = 4;
        for (std::size_t i = 0; i < frames.size(); ++i) {
            PutFourCC(index, frame_id);
            const bool key = spec.key_frames.empty() || spec.key_frames[i];
            PutU32(index, key ? 0x10 : 0);
            PutU32(index, offset);
            PutU32(index, static_cast<std::uint32_t>(frames[i].size()));
            offset += 8 + static_cast<std::uint32_t>((frames[i].size() + 1) & ~std::size_t{1});
        }
        riff.Chunk("idx1", index);
    }
    riff.EndList();
    return riff.Bytes();
}

} // namespace lvtest
