#include "tests/installer/package_fixture.h"

#include "system/paths.h"
#include "tests/support/process_runner.h"

#include <zlib.h>

#include <random>

namespace lvtest {

Bytes TextLikeBytes(std::size_t size, std::uint32_t seed) {
    static const char* const words[] = {"quiet ", "horizon ", "amber ", "tide ", "slide ", "show "};
    std::string text;
    std::uint32_t n = seed;
    while (text.size() < size) {
        n = n * 1103515245u + 12345u;
        text += words[(n >> 16) % 6];
        text += std::to_string((n >> 8) % 1000);
        text += '\n';
    }
    return Bytes(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(size));
}

Bytes NoiseBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 random(seed);
    Bytes out(size);
    for (auto& b : out)
        b = static_cast<std::uint8_t>(random());
    return out;
}

Bytes ZlibStream(const Bytes& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    Bytes out(size);
    EXPECT_EQ(compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), 6), Z_OK);
    out.resize(size);
    return out;
}

void WriteTrailerRecord(lv::ByteWriter& w, const TrailerRecord& r) {
    w.u32(r.offset);
    w.u32(r.uncompressedSize);
    w.u32(r.compressedSize);
    w.bytes(r.folder.data(), r.folder.size());
    w.u32(static_cast<std::uint32_t>(r.folderLength >= 0 ? r.folderLength
                                                         : std::int64_t(r.folder.size())));
    w.bytes(r.name.data(), r.name.size());
    w.u32(
        static_cast<std::uint32_t>(r.nameLength >= 0 ? r.nameLength : std::int64_t(r.name.size())));
}

void WriteTrailer(lv::ByteWriter& w, const std::vector<TrailerRecord>& records,
                  const TrailerEnd& end) {
    for (const TrailerRecord& r : records)
        WriteTrailerRecord(w, r);
    w.u32(static_cast<std::uint32_t>(end.count >= 0 ? end.count : std::int64_t(records.size())));
    w.bytes(end.version.data(), end.version.size());
    w.bytes(end.marker.data(), end.marker.size());
}

AssembledPackage AssemblePackage(const Bytes& program, const std::vector<PackedFile>& files) {
    AssembledPackage p;
    p.bytes = program;
    for (const PackedFile& f : files) {
        const Bytes stream = ZlibStream(f.data);
        TrailerRecord r;
        r.offset = static_cast<std::uint32_t>(p.bytes.size());
        r.uncompressedSize = static_cast<std::uint32_t>(f.data.size());
        r.compressedSize = static_cast<std::uint32_t>(stream.size());
        r.folder = f.folder;
        r.name = f.name;
        p.records.push_back(r);
        p.bytes.insert(p.bytes.end(), stream.begin(), stream.end());
    }
    p.trailerStart = p.bytes.size();
    lv::ByteWriter w(p.bytes);
    WriteTrailer(w, p.records);
    return p;
}

Bytes Reassemble(const AssembledPackage& package, const std::vector<TrailerRecord>& records,
                 const TrailerEnd& end) {
    Bytes bytes(package.bytes.begin(),
                package.bytes.begin() + static_cast<std::ptrdiff_t>(package.trailerStart));
    lv::ByteWriter w(bytes);
    WriteTrailer(w, records, end);
    return bytes;
}

std::string PackageTest::WritePackageFile(const Bytes& bytes, const std::string& name) {
    WriteFileBytes(m_scratch / name, bytes);
    return lv::to_windows_path((m_scratch / name).string());
}

std::string PackageTest::Target() const {
    std::filesystem::create_directories(TargetHost());
    return lv::to_windows_path(TargetHost().string());
}

} // namespace lvtest
