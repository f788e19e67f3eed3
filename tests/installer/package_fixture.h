// Installer files assembled by hand, field by field, so that the reader is checked against
// the format itself and not against our own writer.
#pragma once

#include "tests/support/scratch_dir.h"
#include "util/le_bytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lvtest {

using Bytes = std::vector<std::uint8_t>;

// Compressible bytes (repeating words with a varying counter) or incompressible ones.
Bytes TextLikeBytes(std::size_t size, std::uint32_t seed = 1);
Bytes NoiseBytes(std::size_t size, std::uint32_t seed = 1);

// One zlib stream (header, deflate data, Adler-32).
Bytes ZlibStream(const Bytes& data);

// A trailer record as it is stored, every field free to be wrong on purpose.
struct TrailerRecord {
    std::uint32_t offset = 0;
    std::uint32_t uncompressedSize = 0;
    std::uint32_t compressedSize = 0;
    std::string folder;
    std::string name;
    // When set, the stored lengths instead of the texts' sizes.
    std::int64_t folderLength = -1;
    std::int64_t nameLength = -1;
};

struct TrailerEnd {
    std::int64_t count = -1; // -1: the number of records
    std::string version = "0.10";
    std::string marker = "!MARIGOLD!";
};

void WriteTrailerRecord(lv::ByteWriter& w, const TrailerRecord& r);
void WriteTrailer(lv::ByteWriter& w, const std::vector<TrailerRecord>& records,
                  const TrailerEnd& end = {});

// A whole installer file: program image, then each file's stream, then the trailer.
struct PackedFile {
    std::string folder;
    std::string name;
    Bytes data;
};
struct AssembledPackage {
    Bytes bytes;
    std::vector<TrailerRecord> records; // as written, with their offsets
    std::size_t trailerStart = 0;
};
AssembledPackage AssemblePackage(const Bytes& program, const std::vector<PackedFile>& files);
// The same streams behind `program`, with the records given (already edited).
Bytes Reassemble(const AssembledPackage& package, const std::vector<TrailerRecord>& records,
                 const TrailerEnd& end = {});

// Files in a scratch folder, addressed by the Windows paths that the archive takes.
class PackageTest : public ::testing::Test {
protected:
    std::string WritePackageFile(const Bytes& bytes, const std::string& name = "setup.exe");
    // The extraction target (created), as a Windows path.
    std::string Target() const;
    std::filesystem::path TargetHost() const { return m_scratch / "target"; }
    std::filesystem::path Host(const std::string& name) const { return m_scratch / name; }

    ScratchDir m_scratch;
};

} // namespace lvtest
