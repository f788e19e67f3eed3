// Stands in for the installer program: extracts its own payload into the folder given and
// prints what the extraction told it, one line per callback, then the result.
#include "installer/package_archive.h"

#include <cstdio>

namespace {

int Print(int code, void* data, void*) {
    if (code == kExtractProgress)
        std::printf("progress %d\n", *static_cast<int*>(data));
    else
        std::printf("%s %s%s\n", code == kExtractEntryStarting ? "start" : "done",
                    static_cast<PackageEntry*>(data)->GetDir().c_str(),
                    static_cast<PackageEntry*>(data)->GetName().c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    PackageArchive archive;
    const PackageResult result = archive.ExtractAll(argv[1], Print, nullptr);
    std::printf("result %d\n", static_cast<int>(result));
    return result == PackageResult::Success ? 0 : 1;
}
