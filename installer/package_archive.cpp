#include "installer/package_archive.h"

#include "installer/package_trailer.h"
#include "saver/private_file.h"

#include <algorithm>
#include <utility>

namespace {

constexpr UINT kBufferSize = 4096;
constexpr std::uint32_t kLargeStream = 10'000'000;

std::string OwnProgramPath() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::string(path, length);
}

bool Exists(const std::string& path) {
    CFileFind finder;
    return finder.FindFile(path.c_str()) != FALSE;
}

// The entry's folder and, when missing, its parent; deeper levels are not made, and a
// folder that cannot be made shows when the output file is opened.
void MakeEntryFolder(const std::string& target, const std::string& folder) {
    const std::string folderPath = target + folder;
    if (Exists(folderPath))
        return;
    const std::size_t last = folder.find_last_not_of('\\');
    const std::string trimmed =
        last == std::string::npos ? std::string() : folder.substr(0, last + 1);
    const std::size_t cut = trimmed.rfind('\\');
    const std::string parentPath =
        target + (cut == std::string::npos ? std::string() : trimmed.substr(0, cut));
    if (!Exists(parentPath))
        CreateDirectoryA(parentPath.c_str(), nullptr);
    CreateDirectoryA(folderPath.c_str(), nullptr);
}

// Reads until `count` bytes are in or the file ends.
UINT ReadFully(CFile& file, std::uint8_t* buffer, UINT count) {
    UINT done = 0;
    while (done < count) {
        const UINT got = file.Read(buffer + done, count - done);
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

PackageResult ReadTrailerOf(CFile& file, std::vector<PackageEntry>& entries,
                            std::uint32_t& trailerSize) {
    const ULONGLONG length = file.GetLength();
    if (length < kPackageTrailerEndSize)
        return PackageResult::NotAPackage;
    std::array<std::uint8_t, kPackageTrailerEndSize> end{};
    file.Seek(-static_cast<LONGLONG>(end.size()), CFile::end);
    if (ReadFully(file, end.data(), static_cast<UINT>(end.size())) != end.size())
        return PackageResult::NotAPackage;
    std::uint32_t count = 0;
    const PackageResult result = ParsePackageTrailerEnd(end, count);
    if (result != PackageResult::Success)
        return result;

    std::vector<std::uint8_t> tail(std::min<ULONGLONG>(length, MaxPackageTrailerSize(count)));
    file.Seek(-static_cast<LONGLONG>(tail.size()), CFile::end);
    if (ReadFully(file, tail.data(), static_cast<UINT>(tail.size())) != tail.size())
        return PackageResult::NotAPackage;
    return ParsePackageTrailer(tail, length, entries, trailerSize);
}

// Ends the inflate state however the entry ends.
class InflateSession {
public:
    explicit InflateSession(z_stream& stream)
        : m_stream(stream), m_ok(inflateInit(&stream) == Z_OK) {}
    ~InflateSession() {
        if (m_ok)
            inflateEnd(&m_stream);
    }
    InflateSession(const InflateSession&) = delete;
    InflateSession& operator=(const InflateSession&) = delete;
    bool ok() const { return m_ok; }

private:
    z_stream& m_stream;
    bool m_ok;
};

} // namespace

std::uint32_t PackageProgressPercent(std::uint32_t totalIn, std::uint32_t compressedSize) {
    if (compressedSize == 0)
        return 100;
    if (compressedSize <= kLargeStream)
        return totalIn * 100 / compressedSize;
    return totalIn / (compressedSize / 100);
}

PackageArchive::PackageArchive() : PackageArchive(OwnProgramPath()) {}

PackageArchive::PackageArchive(std::string packagePath) : m_packagePath(std::move(packagePath)) {}

void PackageArchive::Reset() {
    m_entries.clear();
    m_entryCount = 0;
    m_trailerSize = 0;
}

std::string PackageArchive::AddBackslash(std::string path) {
    if (path.empty() || path.back() != '\\')
        path += '\\';
    return path;
}

PackageResult PackageArchive::ReadTrailer(const std::string& path) {
    Reset();
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone))
        return PackageResult::OpenFailed;
    std::vector<PackageEntry> entries;
    std::uint32_t trailerSize = 0;
    PackageResult result = PackageResult::NotAPackage;
    try {
        result = ReadTrailerOf(file, entries, trailerSize);
    } catch (CFileException* e) {
        e->Delete();
        return PackageResult::NotAPackage;
    }
    if (result != PackageResult::Success)
        return result;
    m_entries = std::move(entries);
    m_entryCount = static_cast<std::uint32_t>(m_entries.size());
    m_trailerSize = trailerSize;
    return PackageResult::Success;
}

PackageResult PackageArchive::ExtractAll(const std::string& targetFolder, ExtractCallback callback,
                                         void* userData) {
    const std::string target = AddBackslash(targetFolder);
    const PackageResult read = ReadTrailer(m_packagePath);
    if (read != PackageResult::Success)
        return read;
    m_callback = callback;
    m_userData = userData;
    CFile package;
    if (!package.Open(m_packagePath.c_str(), CFile::modeRead | CFile::shareDenyNone))
        return PackageResult::ReopenFailed;

    int failures = 0;
    for (std::uint32_t i = m_entryCount; i-- > 0;) {
        PackageEntry& entry = m_entries[i];
        if (m_callback)
            m_callback(kExtractEntryStarting, &entry, m_userData);
        if (ExtractEntry(package, i, target) != PackageResult::Success) {
            ++failures;
            continue;
        }
        if (m_callback)
            m_callback(kExtractEntryDone, &entry, m_userData);
    }
    package.Abort();
    return failures ? PackageResult::OutputFailed : PackageResult::Success;
}

PackageResult PackageArchive::ExtractEntry(CFile& package, std::uint32_t index,
                                           const std::string& targetFolder) {
    if (index >= m_entryCount)
        return PackageResult::OutputFailed;
    const PackageEntry& entry = m_entries[index];
    const std::string target = AddBackslash(targetFolder);
    if (entry.HasFolder())
        MakeEntryFolder(target, entry.folder);
    const std::string outputPath =
        target + (entry.HasFolder() ? entry.folder : std::string()) + entry.fileName;

    // Written under a private name and moved over the output path once whole: a link planted
    // at the output path is replaced, never written through.
    CString privatePath;
    CFile output;
    output.m_hFile = CreatePrivateFile(outputPath.c_str(), privatePath);
    if (output.m_hFile == INVALID_HANDLE_VALUE)
        return PackageResult::OutputFailed;
    bool written = false;
    try {
        written = InflateEntry(package, entry, output);
        if (written)
            output.Close();
    } catch (CFileException* e) {
        e->Delete();
        written = false;
    }
    if (written && ReplaceWithPrivateFile(privatePath, outputPath.c_str()))
        return PackageResult::Success;
    output.Abort();
    DeleteFileA(privatePath);
    return PackageResult::OutputFailed;
}

bool PackageArchive::InflateEntry(CFile& package, const PackageEntry& entry, CFile& output) {
    package.Seek(static_cast<LONGLONG>(entry.streamOffset), CFile::begin);
    m_stream = z_stream{};
    m_stream.next_out = m_output.data();
    m_stream.avail_out = kBufferSize;
    m_compressedSize = entry.compressedSize;
    m_inputLeft = entry.compressedSize;
    InflateSession session(m_stream);
    if (!session.ok())
        return false;
    return InflateStream(package, entry, output);
}

// Inflates until the stream ends; it must end within its compressed bytes, at exactly the
// record's uncompressed size.
bool PackageArchive::InflateStream(CFile& package, const PackageEntry& entry, CFile& output) {
    int status = Z_OK;
    while (status == Z_OK && FillInput(package) > 0) {
        status = inflate(&m_stream, Z_NO_FLUSH);
        if (!KeepOutput(output, entry))
            return false;
        if (status == Z_OK)
            ReportProgress();
    }
    // The input has run out: what the inflater still holds comes out now.
    while (status == Z_OK || status == Z_BUF_ERROR) {
        status = inflate(&m_stream, Z_FINISH);
        if (m_stream.total_out > entry.uncompressedSize)
            return false;
        if (FlushOutput(output) == 0)
            break;
    }
    return status == Z_STREAM_END && m_stream.total_out == entry.uncompressedSize;
}

// Writes what inflate produced, unless the stream has grown past its record's size.
bool PackageArchive::KeepOutput(CFile& output, const PackageEntry& entry) {
    if (m_stream.total_out > entry.uncompressedSize)
        return false;
    FlushOutput(output);
    return true;
}

void PackageArchive::ReportProgress() {
    if (!m_callback)
        return;
    int percent = GetProgressPercent();
    m_callback(kExtractProgress, &percent, m_userData);
}

int PackageArchive::GetProgressPercent() const {
    return static_cast<int>(
        PackageProgressPercent(static_cast<std::uint32_t>(m_stream.total_in), m_compressedSize));
}

UINT PackageArchive::FillInput(CFile& package) {
    if (m_stream.avail_in != 0)
        return m_stream.avail_in;
    const UINT want = std::min<UINT>(kBufferSize, m_inputLeft);
    const UINT got = want ? package.Read(m_input.data(), want) : 0;
    m_inputLeft -= got;
    m_stream.next_in = m_input.data();
    m_stream.avail_in = got;
    return got;
}

UINT PackageArchive::FlushOutput(CFile& output) {
    const UINT n = kBufferSize - m_stream.avail_out;
    if (n == 0)
        return 0;
    output.Write(m_output.data(), n);
    m_stream.next_out = m_output.data();
    m_stream.avail_out = kBufferSize;
    return n;
}
