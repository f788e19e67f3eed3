// The package trailer: the directory at the very end of the installer file, read backwards
// from the end. Every record is checked against the file before it is used.
#pragma once

#include "installer/package_entry.h"
#include "installer/package_result.h"
#include "util/le_bytes.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

inline constexpr std::string_view kPackageMarker = "!MARIGOLD!";
inline constexpr std::string_view kPackageVersion = "0.10";
// Marker, version and entry count.
inline constexpr std::size_t kPackageTrailerEndSize = 18;
// Offset, both sizes and both text lengths of one record.
inline constexpr std::size_t kPackageRecordFixedSize = 20;
inline constexpr std::uint32_t kPackageMaxEntries = 1024;
inline constexpr std::uint32_t kPackageMaxTextLength = 1000;

// The most bytes from the end of the file that a trailer of `count` entries can take.
std::uint64_t MaxPackageTrailerSize(std::uint32_t count);

// Checks the last 18 bytes of a file (marker, version) and gives the entry count:
// NotAPackage, NoEntries (count 0) or Success.
PackageResult ParsePackageTrailerEnd(std::span<const std::uint8_t> lastBytes, std::uint32_t& count);

// Reads the whole trailer from `tail`, the last bytes of a file of `fileLength` bytes (the
// whole file, or at least MaxPackageTrailerSize of its count). A record that runs past the
// file, a name or folder that is empty where it may not be, too long or leaves the target
// folder, or a stream that overlaps the trailer makes the file NotAPackage.
PackageResult ParsePackageTrailer(std::span<const std::uint8_t> tail, std::uint64_t fileLength,
                                  std::vector<PackageEntry>& entries, std::uint32_t& trailerSize);

// Appends the trailer of these entries, entry 0 first.
void WritePackageTrailer(lv::ByteWriter& w, std::span<const PackageEntry> entries);
