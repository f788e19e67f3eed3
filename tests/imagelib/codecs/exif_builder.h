// Builds EXIF (APP1) blocks in either byte order from lists of directory entries, so tests
// can state the values they expect and damage the layout on purpose.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lvtest {

struct ExifEntry {
    std::uint16_t tag = 0;
    std::uint16_t format = 0;
    std::uint32_t count = 0;
    std::vector<std::uint8_t> data; // value bytes in the block's byte order
    int linkedDirectory = -1;       // >= 0: the value is the offset of that directory
};

struct ExifDirectory {
    std::vector<ExifEntry> entries;
    int next = -1; // index of the directory the link points at, -1 for none
};

class ExifBuilder {
public:
    explicit ExifBuilder(bool bigEndian) : m_big(bigEndian) {}

    bool bigEndian() const { return m_big; }
    std::vector<std::uint8_t> U16(std::uint16_t v) const;
    std::vector<std::uint8_t> U32(std::uint32_t v) const;

    ExifEntry Ascii(std::uint16_t tag, const std::string& text) const;
    ExifEntry Short(std::uint16_t tag, std::uint16_t v) const;
    ExifEntry Long(std::uint16_t tag, std::uint32_t v) const;
    ExifEntry Rational(std::uint16_t tag, std::int32_t num, std::int32_t den,
                       std::uint16_t format = 5) const;
    ExifEntry Undefined(std::uint16_t tag, const std::vector<std::uint8_t>& bytes) const;
    ExifEntry Link(std::uint16_t tag, int directory) const;

    // The TIFF block (byte-order mark, 42, first directory offset 8, directories in order).
    std::vector<std::uint8_t> Tiff(const std::vector<ExifDirectory>& directories) const;
    // "Exif\0\0" followed by the TIFF block.
    std::vector<std::uint8_t> Payload(const std::vector<ExifDirectory>& directories) const;
    // The whole APP1 segment with marker and length.
    std::vector<std::uint8_t> Segment(const std::vector<ExifDirectory>& directories) const;

private:
    bool m_big;
};

// An APP1 or other segment of a JPEG: marker, big-endian length, payload.
std::vector<std::uint8_t> JpegSegment(std::uint8_t marker,
                                      const std::vector<std::uint8_t>& payload);

} // namespace lvtest
