#include "imagelib/px_exif.h"

#include "imagelib/px_file.h"
#include "util/le_bytes.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

namespace {

constexpr int kMarkerSof0 = 0xC0;
constexpr int kMarkerEoi = 0xD9;
constexpr int kMarkerSos = 0xDA;
constexpr int kMarkerApp0 = 0xE0;
constexpr int kMarkerApp1 = 0xE1;
constexpr int kMarkerCom = 0xFE;
constexpr int kMaxPaddingBytes = 7;
constexpr std::size_t kCommentSize = sizeof(ExifInfo::comment);
constexpr std::size_t kUserCommentChars = 199;
// A real EXIF block has five or six directories; the cap keeps crafted blocks whose links
// fan out over overlapping directories from costing quadratic time.
constexpr int kMaxDirectories = 32;

constexpr std::uint8_t kJfifSegment[18] = {0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00,
                                           0x01, 0x01, 0x01, 0x01, 0x2C, 0x01, 0x2C, 0x00, 0x00};

bool IsStartOfFrame(int marker) {
    if (marker < kMarkerSof0 || marker > 0xCF)
        return false;
    return marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Component sizes of the TIFF field formats 0..12.
constexpr unsigned kFormatSizes[13] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};

float ToFloat(double v) {
    if (std::isnan(v))
        return 0.0f;
    return static_cast<float>(
        std::clamp(v, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
}

int ToInt(double v) {
    if (std::isnan(v))
        return 0;
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(v, lo, hi));
}

// Copies at most `maxChars` characters of a text value, ending at its first NUL and never
// reading beyond the value's own bytes.
void CopyText(char* dest, std::size_t destSize, std::span<const std::uint8_t> value,
              std::size_t maxChars) {
    std::size_t n = std::min({value.size(), maxChars, destSize - 1});
    const void* nul = std::memchr(value.data(), 0, n);
    if (nul)
        n = static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - value.data());
    std::memcpy(dest, value.data(), n);
    dest[n] = '\0';
}

template <std::size_t N> void CopyText(char (&dest)[N], std::span<const std::uint8_t> value) {
    CopyText(dest, N, value, N - 1);
}

void ApplyUnit(float& field, int unit) {
    switch (unit) {
    case 1:
    case 2:
        field = 1.0f;
        break;
    case 3:
        field = 0.3937007874f;
        break;
    case 4:
        field = 0.03937007874f;
        break;
    case 5:
        field = 0.00003937007874f;
        break;
    default:
        break;
    }
}

} // namespace

// Walks the TIFF directories of one EXIF block. Every offset is checked against the block,
// and each directory is entered at most once, so crafted links can neither overrun nor loop.
class JpegExifReader::DirectoryParser {
public:
    DirectoryParser(JpegExifReader& reader, std::span<std::uint8_t> tiff, bool bigEndian)
        : m_reader(reader), m_info(*reader.m_info), m_tiff(tiff), m_big(bigEndian) {}

    bool U16(std::uint64_t offset, std::uint16_t& out) const {
        lv::ByteReader r(m_tiff);
        if (offset > m_tiff.size() || !r.seek(offset) || !r.u16(out))
            return false;
        if (m_big)
            out = static_cast<std::uint16_t>((out >> 8) | (out << 8));
        return true;
    }

    bool U32(std::uint64_t offset, std::uint32_t& out) const {
        lv::ByteReader r(m_tiff);
        if (offset > m_tiff.size() || !r.seek(offset) || !r.u32(out))
            return false;
        if (m_big)
            out = (out >> 24) | ((out >> 8) & 0xFF00u) | ((out << 8) & 0xFF0000u) | (out << 24);
        return true;
    }

    bool ProcessDirectory(std::uint64_t start);

private:
    double ConvertNumber(std::span<const std::uint8_t> raw, std::uint64_t rawOffset,
                         unsigned format) const;
    void ProcessUserComment(std::span<std::uint8_t> value);
    bool FollowLink(std::uint32_t offset);

    JpegExifReader& m_reader;
    ExifInfo& m_info;
    std::span<std::uint8_t> m_tiff;
    bool m_big;
    std::vector<std::uint64_t> m_visited;
};

double JpegExifReader::DirectoryParser::ConvertNumber(std::span<const std::uint8_t> raw,
                                                      std::uint64_t rawOffset,
                                                      unsigned format) const {
    if (format > 12 || raw.size() < kFormatSizes[format])
        return 0.0;
    std::uint16_t u16 = 0;
    std::uint32_t u32 = 0;
    std::uint32_t den = 0;
    switch (format) {
    case 1:
        return raw[0];
    case 6:
        return static_cast<std::int8_t>(raw[0]);
    case 3:
        U16(rawOffset, u16);
        return u16;
    case 8:
        U16(rawOffset, u16);
        return static_cast<std::int16_t>(u16);
    case 4:
        U32(rawOffset, u32);
        return u32;
    case 9:
        U32(rawOffset, u32);
        return static_cast<std::int32_t>(u32);
    case 5:
    case 10: {
        U32(rawOffset, u32);
        U32(rawOffset + 4, den);
        if (static_cast<std::int32_t>(den) == 0)
            return 0.0;
        return static_cast<double>(static_cast<std::int32_t>(u32)) / static_cast<std::int32_t>(den);
    }
    case 11: {
        // Single and double precision are taken in little-endian order in either byte order.
        lv::ByteReader r(raw);
        r.u32(u32);
        float f;
        std::memcpy(&f, &u32, sizeof f);
        return f;
    }
    case 12: {
        lv::ByteReader r(raw);
        std::uint64_t u64 = 0;
        r.u64(u64);
        double d;
        std::memcpy(&d, &u64, sizeof d);
        return d;
    }
    default:
        return 0.0;
    }
}

void JpegExifReader::DirectoryParser::ProcessUserComment(std::span<std::uint8_t> value) {
    for (std::size_t i = value.size(); i > 0 && value[i - 1] == ' '; --i)
        value[i - 1] = 0;
    if (value.size() >= 5 && std::memcmp(value.data(), "ASCII", 5) == 0) {
        for (std::size_t a = 5; a < 10 && a < value.size(); ++a) {
            if (value[a] != 0 && value[a] != ' ') {
                CopyText(m_info.comment, kCommentSize, value.subspan(a), kUserCommentChars);
                return;
            }
        }
        return;
    }
    CopyText(m_info.comment, kCommentSize, value, kUserCommentChars);
}

bool JpegExifReader::DirectoryParser::FollowLink(std::uint32_t offset) {
    if (offset > m_tiff.size())
        return m_reader.Fail("Illegal subdirectory link");
    ProcessDirectory(offset);
    return true;
}

bool JpegExifReader::DirectoryParser::ProcessDirectory(std::uint64_t start) {
    if (std::find(m_visited.begin(), m_visited.end(), start) != m_visited.end())
        return true;
    if (m_visited.size() >= kMaxDirectories)
        return true;
    m_visited.push_back(start);

    std::uint16_t count = 0;
    if (!U16(start, count) || start + 2 + 12ull * count > m_tiff.size())
        return m_reader.Fail("Illegally sized directory");

    std::uint32_t thumbOffset = 0;
    std::uint32_t thumbSize = 0;
    for (unsigned i = 0; i < count; ++i) {
        const std::uint64_t entry = start + 2 + 12ull * i;
        std::uint16_t tag = 0, format = 0;
        std::uint32_t components = 0, rawValue = 0;
        U16(entry, tag);
        U16(entry + 2, format);
        U32(entry + 4, components);
        U32(entry + 8, rawValue);
        if (format > 12)
            return m_reader.Fail("Illegal format code in EXIF dir");

        const std::uint64_t byteCount =
            static_cast<std::uint64_t>(components) * kFormatSizes[format];
        std::span<std::uint8_t> value;
        std::span<std::uint8_t> raw;
        std::uint64_t rawOffset = entry + 8;
        if (byteCount > 4) {
            if (rawValue + byteCount > m_tiff.size())
                return m_reader.Fail("Illegal pointer offset value in EXIF.");
            value = m_tiff.subspan(rawValue, byteCount);
            raw = value;
            rawOffset = rawValue;
        } else {
            value = m_tiff.subspan(entry + 8, byteCount);
            raw = m_tiff.subspan(entry + 8, 4);
        }
        const double number = ConvertNumber(raw, rawOffset, format);

        switch (tag) {
        case 0x010F:
            CopyText(m_info.cameraMake, value);
            break;
        case 0x0110:
            CopyText(m_info.cameraModel, value);
            break;
        case 0x0112:
            m_info.orientation = ToInt(number);
            if (m_info.orientation < 1 || m_info.orientation > 8) {
                m_info.orientation = 0;
                m_reader.SetError("Undefined rotation value");
            }
            break;
        case 0x011A:
            m_info.xResolution = ToFloat(number);
            break;
        case 0x011B:
            m_info.yResolution = ToFloat(number);
            break;
        case 0x0128:
            ApplyUnit(m_info.resolutionUnit, ToInt(number));
            break;
        case 0x0201:
            thumbOffset = static_cast<std::uint32_t>(std::clamp(number, 0.0, 4294967295.0));
            break;
        case 0x0202:
            thumbSize = static_cast<std::uint32_t>(std::clamp(number, 0.0, 4294967295.0));
            break;
        case 0x829A:
            m_info.exposureTime = ToFloat(number);
            break;
        case 0x829D:
            m_info.fNumber = ToFloat(number);
            break;
        case 0x8822:
            m_info.exposureProgram = ToInt(number);
            break;
        case 0x8827:
            m_info.isoSpeed = ToInt(number < 50 ? number * 200 : number);
            break;
        case 0x9000:
            CopyText(m_info.exifVersion, value);
            break;
        case 0x9003:
            CopyText(m_info.dateTime, value);
            break;
        case 0x9102:
            m_info.compressionLevel = ToInt(number);
            break;
        case 0x9201:
            if (m_info.exposureTime == 0)
                m_info.exposureTime = ToFloat(1.0 / std::exp2(number));
            break;
        case 0x9202:
        case 0x9205:
            if (m_info.fNumber == 0)
                m_info.fNumber = ToFloat(std::exp2(number / 2));
            break;
        case 0x9203:
            m_info.brightness = ToFloat(number);
            break;
        case 0x9204:
            m_info.exposureBias = ToFloat(number);
            break;
        case 0x9206:
            m_info.subjectDistance = ToFloat(number);
            break;
        case 0x9207:
            m_info.meteringMode = ToInt(number);
            break;
        case 0x9208:
            m_info.lightSource = ToInt(number);
            break;
        case 0x9209:
            m_info.flashUsed = (ToInt(number) & 7) != 0 ? 1 : 0;
            break;
        case 0x920A:
            m_info.focalLength = ToFloat(number);
            break;
        case 0x9286:
            ProcessUserComment(value);
            break;
        case 0xA002:
        case 0xA003:
            m_reader.m_widestDimension = std::max(m_reader.m_widestDimension, ToInt(number));
            break;
        case 0xA20E:
            m_info.focalPlaneXRes = ToFloat(number);
            break;
        case 0xA20F:
            m_info.focalPlaneYRes = ToFloat(number);
            break;
        case 0xA210:
            ApplyUnit(m_info.focalPlaneUnit, ToInt(number));
            break;
        case 0x8769:
        case 0xA005:
            if (rawValue >= 9 && !FollowLink(rawValue))
                return false;
            break;
        default:
            break;
        }
    }

    const std::uint64_t linkOffset = start + 2 + 12ull * count;
    std::uint32_t next = 0;
    if (U32(linkOffset, next) && next != 0 && !FollowLink(next))
        return false;

    if (thumbSize != 0 && thumbOffset != 0 &&
        static_cast<std::uint64_t>(thumbOffset) + thumbSize <= m_tiff.size()) {
        m_info.thumbnail = m_tiff.data() + thumbOffset;
        m_info.thumbnailSize = thumbSize;
    }
    return true;
}

JpegExifReader::JpegExifReader(ExifInfo* info) : m_info(info) {
    if (!m_info) {
        m_info = new ExifInfo{};
        m_ownsInfo = true;
    }
    m_sections.reserve(kMaxSections);
}

JpegExifReader::~JpegExifReader() {
    if (m_ownsInfo)
        delete m_info;
}

void JpegExifReader::SetError(const char* text) {
    std::strncpy(m_lastError, text, sizeof m_lastError - 1);
    m_lastError[sizeof m_lastError - 1] = '\0';
}

bool JpegExifReader::Fail(const char* text) {
    SetError(text);
    return false;
}

bool JpegExifReader::ProcessExif(std::span<std::uint8_t> payload) {
    m_widestDimension = 0;
    m_info->flashUsed = 0;
    m_info->comment[0] = '\0';

    if (payload.size() < 6 || std::memcmp(payload.data(), "Exif\0\0", 6) != 0)
        return Fail("Incorrect Exif header");
    if (payload.size() >= 8 && std::memcmp(payload.data() + 6, "II", 2) == 0)
        m_byteOrder = 0;
    else if (payload.size() >= 8 && std::memcmp(payload.data() + 6, "MM", 2) == 0)
        m_byteOrder = 1;
    else
        return Fail("Invalid Exif alignment marker.");

    DirectoryParser parser(*this, payload.subspan(6), m_byteOrder == 1);
    std::uint16_t magic = 0;
    if (!parser.U16(2, magic) || magic != 42)
        return Fail("Invalid Exif start (1)");
    std::uint32_t firstOffset = 0;
    if (!parser.U32(4, firstOffset))
        return Fail("Invalid Exif start (1)");
    if (!parser.ProcessDirectory(8))
        return false;
    if (firstOffset > 8 && !parser.ProcessDirectory(firstOffset))
        return false;

    if (m_info->focalPlaneXRes != 0)
        m_info->ccdWidth = ToFloat(static_cast<double>(m_widestDimension) * m_info->focalPlaneUnit /
                                   m_info->focalPlaneXRes);
    return true;
}

void JpegExifReader::ProcessComment(std::span<const std::uint8_t> section) {
    const std::size_t end = std::min(section.size(), kCommentSize);
    std::size_t out = 0;
    for (std::size_t i = 2; i < end; ++i) {
        const std::uint8_t c = section[i];
        if (c == '\r' && i + 1 < end && section[i + 1] == '\n')
            continue;
        const bool printable = c >= 0x20 && c < 0x7F;
        m_info->comment[out++] = (printable || c == '\n' || c == '\t') ? static_cast<char>(c) : '?';
    }
    m_info->comment[out] = '\0';
}

bool JpegExifReader::ReadImageData(PxFile* file) {
    if (m_sections.size() >= kMaxSections)
        return Fail("Too many sections in jpg file");
    const long position = file->Tell();
    if (position < 0 || !file->Seek(0, 2))
        return Fail("could not read the rest of the image");
    const long end = file->Tell();
    if (!file->Seek(position, 0) || end < position)
        return Fail("could not read the rest of the image");
    const auto size = static_cast<std::size_t>(end - position);

    Section section;
    try {
        section.data.resize(size);
    } catch (const std::bad_alloc&) {
        return Fail("could not allocate data for entire image");
    }
    if (size && file->Read(section.data.data(), 1, size) != size)
        return Fail("could not read the rest of the image");
    section.type = kImageDataMarker;
    section.size = static_cast<unsigned>(size);
    m_sections.push_back(std::move(section));
    return true;
}

bool JpegExifReader::ReadSections(PxFile* file, int mode) {
    if (!file)
        return false;
    if (file->GetC() != 0xFF || file->GetC() != 0xD8)
        return false;

    bool commentKept = false;
    for (;;) {
        if (m_sections.size() >= kMaxSections)
            return Fail("Too many sections in jpg file");

        int marker = -1;
        for (int i = 0; i < kMaxPaddingBytes; ++i) {
            marker = file->GetC();
            if (marker != 0xFF)
                break;
            if (i == kMaxPaddingBytes - 1)
                return Fail("too many padding bytes");
        }
        if (marker < 0)
            return Fail("Premature end of file?");
        // The end-of-image marker carries no length.
        if (marker == kMarkerEoi)
            return Fail("No image in jpeg!");

        const int hi = file->GetC();
        const int lo = file->GetC();
        if (hi < 0 || lo < 0)
            return Fail("Premature end of file?");
        const unsigned length = static_cast<unsigned>(hi << 8 | lo);
        if (length < 2)
            return Fail("invalid marker");

        Section section;
        section.data.resize(length);
        section.data[0] = static_cast<std::uint8_t>(hi);
        section.data[1] = static_cast<std::uint8_t>(lo);
        if (length > 2 && file->Read(section.data.data() + 2, 1, length - 2) != length - 2)
            return Fail("Premature end of file?");
        section.type = marker;
        section.size = length;
        m_sections.push_back(std::move(section));
        Section& held = m_sections.back();

        if (IsStartOfFrame(marker)) {
            if (length >= 8) {
                m_info->height = held.data[3] << 8 | held.data[4];
                m_info->width = held.data[5] << 8 | held.data[6];
                m_info->isColour = held.data[7] == 3;
            }
            m_info->process = marker;
            continue;
        }
        switch (marker) {
        case kMarkerSos:
            if ((mode & kReadImage) && !ReadImageData(file))
                return false;
            return true;
        case kMarkerApp0:
            m_sections.pop_back();
            break;
        case kMarkerApp1: {
            std::span<std::uint8_t> payload(held.data.data() + 2, length - 2);
            if ((mode & kReadExif) && payload.size() >= 4 &&
                std::memcmp(payload.data(), "Exif", 4) == 0)
                m_info->isExif = ProcessExif(payload);
            else
                m_sections.pop_back();
            break;
        }
        case kMarkerCom:
            if ((mode & kReadExif) && !commentKept) {
                ProcessComment(held.data);
                commentKept = true;
            } else {
                m_sections.pop_back();
            }
            break;
        default:
            break;
        }
    }
}

void JpegExifReader::KeepExifSections() {
    std::vector<Section> kept;
    kept.reserve(kMaxSections);
    auto take = [&](int type) {
        auto it = std::find_if(m_sections.begin(), m_sections.end(),
                               [type](const Section& s) { return s.type == type; });
        if (it != m_sections.end())
            kept.push_back(std::move(*it));
    };
    take(kMarkerApp1);
    if (kept.empty()) {
        m_info->thumbnail = nullptr;
        m_info->thumbnailSize = 0;
    }
    take(kMarkerCom);
    m_sections = std::move(kept);
}

const JpegExifReader::Section* JpegExifReader::FindSection(int type) const {
    for (std::size_t i = 0; i + 1 < m_sections.size(); ++i)
        if (m_sections[i].type == type)
            return &m_sections[i];
    return nullptr;
}

bool JpegExifReader::WriteSections(PxFile* file) {
    if (!file)
        return false;
    if (!FindSection(kMarkerSos))
        return Fail("Can't write exif : didn't read all");

    bool ok = file->PutC(0xFF) && file->PutC(0xD8);
    const int first = m_sections.front().type;
    if (first != kMarkerApp1 && first != kMarkerApp0)
        ok = ok && file->Write(kJfifSegment, sizeof kJfifSegment, 1) == 1;
    for (std::size_t i = 0; ok && i + 1 < m_sections.size(); ++i) {
        const Section& s = m_sections[i];
        ok = file->PutC(0xFF) && file->PutC(static_cast<std::uint8_t>(s.type)) &&
             file->Write(s.data.data(), s.data.size(), 1) == 1;
    }
    const Section& last = m_sections.back();
    if (ok && !last.data.empty())
        ok = file->Write(last.data.data(), last.data.size(), 1) == 1;
    if (!ok)
        return Fail("Can't write exif : write failed");
    return true;
}
