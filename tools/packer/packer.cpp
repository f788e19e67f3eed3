#include "tools/packer/packer.h"

#include "installer/package_names.h"
#include "installer/package_trailer.h"
#include "saver/theme_format.h"

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

namespace lvtools {
namespace {

namespace fs = std::filesystem;

bool ReadWholeFile(const fs::path& path, std::vector<std::uint8_t>& out, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path.string();
        return false;
    }
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = "cannot read " + path.string();
        return false;
    }
    return true;
}

bool Deflate(const std::vector<std::uint8_t>& data, std::vector<std::uint8_t>& out) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    out.resize(size);
    if (compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        return false;
    out.resize(size);
    return true;
}

bool EntryIsWritable(const PackSource& entry, std::string& error) {
    if (entry.name.size() > kPackageMaxTextLength || entry.folder.size() > kPackageMaxTextLength) {
        error = "name or folder longer than 1000 bytes: " + entry.folder + entry.name;
        return false;
    }
    if (!IsSafePackageName(entry.name) || !IsSafePackageFolder(entry.folder)) {
        error = "name or folder leaves the target folder: " + entry.folder + entry.name;
        return false;
    }
    return true;
}

bool FitsIn32Bits(std::uint64_t value) {
    return value <= std::numeric_limits<std::uint32_t>::max();
}

// The package in memory: program image, streams, trailer.
bool BuildPackage(const fs::path& program, const std::vector<PackSource>& sources,
                  std::vector<std::uint8_t>& package, std::string& error,
                  std::vector<PackedSize>& sizes) {
    if (sources.empty() || sources.size() > kPackageMaxEntries) {
        error = "a package holds 1 to 1024 entries";
        return false;
    }
    if (!ReadWholeFile(program, package, error))
        return false;
    std::vector<PackageEntry> entries;
    for (const PackSource& source : sources) {
        std::vector<std::uint8_t> data, stream;
        if (!EntryIsWritable(source, error) || !ReadWholeFile(source.source, data, error))
            return false;
        if (!FitsIn32Bits(data.size()) || !Deflate(data, stream) ||
            !FitsIn32Bits(package.size() + stream.size())) {
            error = "cannot fit " + source.source.string() + " into the package";
            return false;
        }
        PackageEntry entry;
        entry.SetDir(source.folder);
        entry.SetName(source.name);
        entry.streamOffset = static_cast<std::uint32_t>(package.size());
        entry.uncompressedSize = static_cast<std::uint32_t>(data.size());
        entry.compressedSize = static_cast<std::uint32_t>(stream.size());
        entries.push_back(std::move(entry));
        sizes.push_back({source.folder + source.name, data.size(), stream.size()});
        package.insert(package.end(), stream.begin(), stream.end());
    }
    lv::ByteWriter w(package);
    WritePackageTrailer(w, entries);
    return true;
}

std::string Trimmed(const std::string& text) {
    const char* space = " \t\r\n";
    const std::size_t first = text.find_first_not_of(space);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

} // namespace

bool WritePackage(const fs::path& program, const fs::path& output,
                  const std::vector<PackSource>& entries, std::string& error,
                  std::vector<PackedSize>* sizes) {
    std::vector<std::uint8_t> package;
    std::vector<PackedSize> packed;
    if (!BuildPackage(program, entries, package, error, packed))
        return false;
    fs::path temporary = output;
    temporary += ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(package.data()),
                  static_cast<std::streamsize>(package.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            error = "cannot write " + temporary.string();
            return false;
        }
    }
    std::error_code ec;
    fs::permissions(temporary, fs::perms(0755), fs::perm_options::replace, ec);
    if (!ec)
        fs::rename(temporary, output, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        error = "cannot put the package at " + output.string() + ": " + ec.message();
        return false;
    }
    if (sizes)
        *sizes = std::move(packed);
    return true;
}

std::vector<PackSource> ThemePackageEntries(const std::string& title, const fs::path& themeFile,
                                            const fs::path& saverFile) {
    const std::string folder = title + "\\";
    return {
        {folder, title + ".dat", themeFile},
        {folder, title + ".scr", saverFile},
    };
}

bool CheckThemeTitle(const fs::path& themeFile, const std::string& title, std::string& error) {
    std::vector<std::uint8_t> header(kThemeHeaderSize);
    std::ifstream in(themeFile, std::ios::binary);
    in.read(reinterpret_cast<char*>(header.data()), static_cast<std::streamsize>(header.size()));
    ThemeHeader h;
    lv::ByteReader r(header);
    if (!in || !ReadThemeHeader(r, h) || h.magic != kThemeMagic) {
        error = "not a theme data file: " + themeFile.string();
        return false;
    }
    if (Trimmed(h.title) != title) {
        error = "the theme file's title is \"" + h.title + "\", not \"" + title + "\"";
        return false;
    }
    return true;
}

bool PackThemeInstaller(const fs::path& program, const fs::path& output, const std::string& title,
                        const fs::path& themeFile, const fs::path& saverFile, std::string& error) {
    if (!CheckThemeTitle(themeFile, title, error))
        return false;
    return WritePackage(program, output, ThemePackageEntries(title, themeFile, saverFile), error);
}

} // namespace lvtools
