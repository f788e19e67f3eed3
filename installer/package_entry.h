// One file of the installer's payload as its trailer record describes it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The folder text that marks an entry without a folder.
inline constexpr std::string_view kPackageNoFolder = "NULL";

struct PackageEntry {
    std::string folder;
    std::string fileName;
    std::uint32_t uncompressedSize = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t streamOffset = 0;

    void Clear() {
        folder.clear();
        fileName.clear();
        uncompressedSize = 0;
    }
    void SetDir(std::string_view dir) { folder.assign(dir); }
    void SetName(std::string_view name) { fileName.assign(name); }
    const std::string& GetDir() const { return folder; }
    const std::string& GetName() const { return fileName; }
    bool HasFolder() const { return folder != kPackageNoFolder; }
};
