// The trailer reader takes any bytes as a whole installer file: it answers, never crashes or
// reads past them, and what it accepts fits the file and stays inside the target folder.
#include "installer/package_names.h"
#include "installer/package_trailer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    std::vector<PackageEntry> entries;
    std::uint32_t trailerSize = 0;
    if (ParsePackageTrailer(file, size, entries, trailerSize) != PackageResult::Success)
        return 0;
    if (entries.empty() || entries.size() > kPackageMaxEntries || trailerSize > size)
        __builtin_trap();
    for (const PackageEntry& e : entries) {
        if (std::uint64_t(e.streamOffset) + e.compressedSize > size - trailerSize ||
            !IsSafePackageName(e.fileName) || !IsSafePackageFolder(e.folder))
            __builtin_trap();
    }
    // Reading only the tail must give the same answer as reading the whole file.
    std::uint32_t count = 0;
    ParsePackageTrailerEnd(file, count);
    const std::size_t tailSize = std::min<std::uint64_t>(size, MaxPackageTrailerSize(count));
    std::vector<PackageEntry> again;
    std::uint32_t againSize = 0;
    if (ParsePackageTrailer(file.last(tailSize), size, again, againSize) !=
            PackageResult::Success ||
        againSize != trailerSize || again.size() != entries.size())
        __builtin_trap();
    return 0;
}
