#include "installer/package_trailer.h"

#include "installer/package_names.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

bool SameText(std::span<const std::uint8_t> bytes, std::string_view text) {
    return bytes.size() == text.size() && std::memcmp(bytes.data(), text.data(), text.size()) == 0;
}

// Reads the trailer's fields at distances from the end of the file, each one checked
// against the bytes that are there.
class BackwardReader {
public:
    explicit BackwardReader(std::span<const std::uint8_t> tail) : m_tail(tail), m_reader(tail) {}

    std::uint64_t distance() const { return m_distance; }

    bool u32(std::uint32_t& out) {
        if (!step(4))
            return false;
        m_reader.seek(m_tail.size() - m_distance);
        return m_reader.u32(out);
    }

    // `length` bytes just before the fields read so far; at most `limit`.
    bool text(std::string& out, std::uint32_t length, std::uint32_t limit) {
        if (length > limit || !step(length))
            return false;
        m_reader.seek(m_tail.size() - m_distance);
        std::span<const std::uint8_t> bytes;
        if (!m_reader.view(bytes, length))
            return false;
        out.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return true;
    }

private:
    bool step(std::uint64_t count) {
        if (count > m_tail.size() - m_distance)
            return false;
        m_distance += count;
        return true;
    }

    std::span<const std::uint8_t> m_tail;
    lv::ByteReader m_reader;
    std::uint64_t m_distance = 0;
};

bool ReadRecord(BackwardReader& r, PackageEntry& entry) {
    std::uint32_t nameLength = 0, folderLength = 0;
    if (!r.u32(nameLength) || !r.text(entry.fileName, nameLength, kPackageMaxTextLength))
        return false;
    if (!r.u32(folderLength) || !r.text(entry.folder, folderLength, kPackageMaxTextLength))
        return false;
    return r.u32(entry.compressedSize) && r.u32(entry.uncompressedSize) &&
           r.u32(entry.streamOffset);
}

bool RecordIsSound(const PackageEntry& entry, std::uint64_t streamsEnd) {
    if (!IsSafePackageName(entry.fileName) || !IsSafePackageFolder(entry.folder))
        return false;
    return static_cast<std::uint64_t>(entry.streamOffset) + entry.compressedSize <= streamsEnd;
}

} // namespace

std::uint64_t MaxPackageTrailerSize(std::uint32_t count) {
    const std::uint64_t records = std::min(count, kPackageMaxEntries);
    return kPackageTrailerEndSize + records * (kPackageRecordFixedSize + 2 * kPackageMaxTextLength);
}

PackageResult ParsePackageTrailerEnd(std::span<const std::uint8_t> lastBytes,
                                     std::uint32_t& count) {
    count = 0;
    if (lastBytes.size() < kPackageTrailerEndSize)
        return PackageResult::NotAPackage;
    const auto end = lastBytes.last(kPackageTrailerEndSize);
    if (!SameText(end.subspan(8, kPackageMarker.size()), kPackageMarker) ||
        !SameText(end.subspan(4, kPackageVersion.size()), kPackageVersion))
        return PackageResult::NotAPackage;
    lv::ByteReader r(end);
    r.u32(count);
    if (count == 0)
        return PackageResult::NoEntries;
    return count > kPackageMaxEntries ? PackageResult::NotAPackage : PackageResult::Success;
}

PackageResult ParsePackageTrailer(std::span<const std::uint8_t> tail, std::uint64_t fileLength,
                                  std::vector<PackageEntry>& entries, std::uint32_t& trailerSize) {
    entries.clear();
    trailerSize = 0;
    if (tail.size() > fileLength)
        return PackageResult::NotAPackage;
    std::uint32_t count = 0;
    const PackageResult end = ParsePackageTrailerEnd(tail, count);
    if (end != PackageResult::Success)
        return end;

    BackwardReader r(tail.first(tail.size() - kPackageTrailerEndSize));
    std::vector<PackageEntry> found(count);
    for (std::uint32_t i = count; i-- > 0;) {
        if (!ReadRecord(r, found[i]))
            return PackageResult::NotAPackage;
    }
    const std::uint64_t size = r.distance() + kPackageTrailerEndSize;
    const std::uint64_t streamsEnd = fileLength - size;
    for (const PackageEntry& entry : found) {
        if (!RecordIsSound(entry, streamsEnd))
            return PackageResult::NotAPackage;
    }
    entries = std::move(found);
    trailerSize = static_cast<std::uint32_t>(size);
    return PackageResult::Success;
}

void WritePackageTrailer(lv::ByteWriter& w, std::span<const PackageEntry> entries) {
    for (const PackageEntry& entry : entries) {
        w.u32(entry.streamOffset);
        w.u32(entry.uncompressedSize);
        w.u32(entry.compressedSize);
        w.bytes(entry.folder.data(), entry.folder.size());
        w.u32(static_cast<std::uint32_t>(entry.folder.size()));
        w.bytes(entry.fileName.data(), entry.fileName.size());
        w.u32(static_cast<std::uint32_t>(entry.fileName.size()));
    }
    w.u32(static_cast<std::uint32_t>(entries.size()));
    w.bytes(kPackageVersion.data(), kPackageVersion.size());
    w.bytes(kPackageMarker.data(), kPackageMarker.size());
}
