#include "saver/theme_reader.h"

#include <string_view>

namespace {

// Walks the file strictly forward: fixed-size blocks are read whole and parsed; embedded
// data is only located and bounded, not read.
class ThemeWalker {
public:
    explicit ThemeWalker(ThemeSource& source) : m_source(source) {}

    template <typename Block>
    bool block(std::size_t size, bool (*parse)(lv::ByteReader&, Block&), Block& out) {
        std::vector<std::uint8_t> bytes(size);
        if (!m_source.ReadAt(m_pos, bytes))
            return false;
        m_pos += size;
        lv::ByteReader r(bytes);
        return parse(r, out) && r.position() == size;
    }

    bool int32(std::int32_t& out) {
        std::uint8_t b[4];
        if (!m_source.ReadAt(m_pos, b))
            return false;
        m_pos += 4;
        out = static_cast<std::int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) |
                                        (static_cast<std::uint32_t>(b[3]) << 24));
        return true;
    }

    // Claims `length` bytes of embedded data at the current position.
    bool data(std::int32_t length, std::uint64_t& offset) {
        if (length < 0 || static_cast<std::uint64_t>(length) > remaining())
            return false;
        offset = m_pos;
        m_pos += static_cast<std::uint64_t>(length);
        return true;
    }

    bool text(std::int32_t length, std::string& out) {
        std::uint64_t offset = 0;
        if (!data(length, offset))
            return false;
        out.resize(static_cast<std::size_t>(length));
        return m_source.ReadAt(offset, std::span(reinterpret_cast<std::uint8_t*>(out.data()), out.size()));
    }

    std::uint64_t remaining() const {
        std::uint64_t size = m_source.Size();
        return m_pos <= size ? size - m_pos : 0;
    }

private:
    ThemeSource& m_source;
    std::uint64_t m_pos = 0;
};

// The mark picture and the second file: a stored int length, then the overlay block's
// number of bytes (the block decides; a differing stored length is remembered).
bool ReadOverlayFile(ThemeWalker& walk, std::int32_t blockLength, const std::string& name,
                     std::optional<EmbeddedFile>& file, bool& mismatch) {
    std::int32_t stored = 0;
    if (!walk.int32(stored) || !IsSafeThemeName(name))
        return false;
    mismatch = stored != blockLength;
    EmbeddedFile f{name, 0, 0};
    if (!walk.data(blockLength, f.offset))
        return false;
    f.length = static_cast<std::uint32_t>(blockLength);
    file = f;
    return true;
}

bool CountFits(std::int32_t count, std::size_t recordSize, std::uint64_t remaining) {
    return count >= 0 && static_cast<std::uint64_t>(count) * recordSize <= remaining;
}

bool ReadAll(ThemeSource& source, ThemeContents& c) {
    ThemeWalker walk(source);
    if (!walk.block(kThemeHeaderSize, ReadThemeHeader, c.header) || !IsSafeThemeName(c.header.title))
        return false;
    if (!walk.block(kThemeInfoBlockSize, ReadThemeInfoBlock, c.info))
        return false;
    if (c.info.aboutTextLength != 0 && !walk.text(c.info.aboutTextLength, c.aboutText))
        return false;
    if (!walk.block(kThemeOverlayBlockSize, ReadThemeOverlayBlock, c.overlay))
        return false;
    const ThemeOverlayBlock& o = c.overlay;
    if (o.markPresent == 1 && o.markKind != 0 &&
        !ReadOverlayFile(walk, o.markPictureLength, o.markPictureName, c.markPicture, c.markLengthMismatch))
        return false;
    if (o.secondFilePresent == 1 &&
        !ReadOverlayFile(walk, o.secondFileLength, o.secondFileName, c.secondFile, c.secondLengthMismatch))
        return false;
    if (!walk.block(kThemeSettingsBlockSize, ReadThemeSettingsBlock, c.settings))
        return false;

    if (!CountFits(c.header.imageCount, kImageRecordSize, walk.remaining()))
        return false;
    for (std::int32_t i = 0; i < c.header.imageCount; ++i) {
        ImageRecord rec;
        EmbeddedFile f;
        if (!walk.block(kImageRecordSize, ReadImageRecord, rec) || !IsSafeThemeName(rec.name) ||
            !walk.data(rec.dataLength, f.offset))
            return false;
        f.name = rec.name;
        f.length = static_cast<std::uint32_t>(rec.dataLength);
        c.images.push_back(std::move(rec));
        c.imageFiles.push_back(std::move(f));
    }

    if (!CountFits(c.settings.musicCount, kMusicRecordSize, walk.remaining()))
        return false;
    for (std::int32_t i = 0; i < c.settings.musicCount; ++i) {
        MusicRecord rec;
        EmbeddedFile f;
        if (!walk.block(kMusicRecordSize, ReadMusicRecord, rec) || !IsSafeThemeName(rec.name) ||
            !walk.data(rec.dataLength, f.offset))
            return false;
        f.name = rec.name;
        f.length = static_cast<std::uint32_t>(rec.dataLength);
        c.music.push_back(std::move(rec));
        c.musicFiles.push_back(std::move(f));
    }

    if (c.settings.framePresent != 0) {
        FrameRecord rec;
        EmbeddedFile f;
        if (!walk.block(kFrameRecordSize, ReadFrameRecord, rec) || !IsSafeThemeName(rec.pictureName) ||
            !walk.data(rec.dataLength, f.offset))
            return false;
        f.name = rec.pictureName;
        f.length = static_cast<std::uint32_t>(rec.dataLength);
        c.frame = std::move(rec);
        c.frameFile = std::move(f);
    }
    return true;
}

} // namespace

bool IsSafeThemeName(const std::string& name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    // What a Windows file name cannot hold; the wildcards among them would make a pattern of
    // the work folder's path.
    for (char ch : name) {
        if (static_cast<unsigned char>(ch) < 0x20 ||
            std::string_view("<>:\"/\\|?*").find(ch) != std::string_view::npos)
            return false;
    }
    return true;
}

ThemeReadStatus ReadThemeContents(ThemeSource& source, ThemeContents& out) {
    ThemeContents c;
    if (!ReadAll(source, c))
        return ThemeReadStatus::Damaged;
    out = std::move(c);
    return ThemeReadStatus::Ok;
}
