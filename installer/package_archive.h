// Reads the installer's own payload: the trailer at the end of its file, then every entry's
// zlib stream, inflated into a target folder.
#pragma once

#include "installer/package_entry.h"
#include "installer/package_result.h"
#include "mfc/file.h"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The percentage of a stream read so far, in 32-bit arithmetic: above 10,000,000 bytes the
// divisor is scaled down instead of the count scaled up, so that nothing overflows.
std::uint32_t PackageProgressPercent(std::uint32_t totalIn, std::uint32_t compressedSize);

class PackageArchive {
public:
    // The package is the running program's own file.
    PackageArchive();
    explicit PackageArchive(std::string packagePath);
    virtual ~PackageArchive() = default;
    PackageArchive(const PackageArchive&) = delete;
    PackageArchive& operator=(const PackageArchive&) = delete;

    // Fills the entry table from the trailer of the file at `path`: OpenFailed, NotAPackage,
    // NoEntries or Success.
    PackageResult ReadTrailer(const std::string& path);

    // Reads the trailer of the package again and writes every entry, the last first, under
    // `targetFolder`. A failed entry does not stop the others (OutputFailed at the end).
    PackageResult ExtractAll(const std::string& targetFolder, ExtractCallback callback,
                             void* userData);

    // Writes one entry of the table: Success, or OutputFailed with no file left behind.
    PackageResult ExtractEntry(CFile& package, std::uint32_t index,
                               const std::string& targetFolder);

    const std::string& GetPackagePath() const { return m_packagePath; }
    void Reset();
    static std::string AddBackslash(std::string path);

    std::uint32_t GetEntryCount() const { return m_entryCount; }
    const PackageEntry& GetEntry(std::uint32_t index) const { return m_entries.at(index); }
    std::uint32_t GetTrailerSize() const { return m_trailerSize; }

    // Steps of the inflate loop.
    int GetProgressPercent() const;
    UINT FillInput(CFile& package);
    UINT FlushOutput(CFile& output);

private:
    bool InflateEntry(CFile& package, const PackageEntry& entry, CFile& output);
    bool InflateStream(CFile& package, const PackageEntry& entry, CFile& output);
    bool KeepOutput(CFile& output, const PackageEntry& entry);
    void ReportProgress();

    z_stream m_stream{};
    std::string m_packagePath;
    std::vector<PackageEntry> m_entries;
    std::uint32_t m_entryCount = 0;
    std::uint32_t m_trailerSize = 0;
    ExtractCallback m_callback = nullptr;
    void* m_userData = nullptr;
    std::array<std::uint8_t, 4096> m_input{};
    std::array<std::uint8_t, 4096> m_output{};
    std::uint32_t m_compressedSize = 0;
    // Bytes of the current entry's stream not yet read: the inflater never sees the next
    // stream or the trailer.
    std::uint32_t m_inputLeft = 0;
};
