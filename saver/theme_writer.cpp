#include "saver/theme_writer.h"

#include "saver/file_theme_source.h"
#include "saver/path_parts.h"
#include "saver/private_file.h"
#include "saver/theme_reader.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

// The info block's coded area begins at 136; the stamp lies at 161 of the block.
constexpr std::size_t kStampOffset = 161 - 136;
constexpr std::uint32_t kStampCode = 0x5A17C3E9;
constexpr std::size_t kFramePictureNameField = 262;

// Where the blocks of a checked source lie; the reader gives the embedded files' offsets.
struct SourceLayout {
    std::uint64_t about = kThemeHeaderSize + kThemeInfoBlockSize;
    std::uint64_t overlay = 0;
    std::uint64_t settings = 0;
};

SourceLayout LayoutOf(const ThemeContents& c) {
    SourceLayout at;
    at.overlay = at.about + static_cast<std::uint64_t>(c.info.aboutTextLength);
    std::uint64_t pos = at.overlay + kThemeOverlayBlockSize;
    if (c.markPicture)
        pos = c.markPicture->offset + c.markPicture->length;
    if (c.secondFile)
        pos = c.secondFile->offset + c.secondFile->length;
    at.settings = pos;
    return at;
}

// A name that is stored in a field of `field` bytes and later becomes a file of the work folder.
bool StorableName(const CString& name, std::size_t field) {
    return static_cast<std::size_t>(name.GetLength()) < field && IsSafeThemeName(name.GetString());
}

// The names of the files one theme embeds: all are extracted into one work folder, so no two
// may be the same there (names compare without regard to case).
class EmbeddedNames {
public:
    void Keep(const std::string& name) { m_used.insert(Key(name)); }

    // `name`, or "title (2).ext", "title (3).ext", ... when it is taken.
    std::string Claim(const std::string& name) {
        std::string candidate = name;
        const auto dot = name.find_last_of('.');
        const std::string title = dot == std::string::npos ? name : name.substr(0, dot);
        const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
        for (int n = 2; m_used.count(Key(candidate)) != 0; ++n)
            candidate = title + " (" + std::to_string(n) + ")" + extension;
        Keep(candidate);
        return candidate;
    }

private:
    static std::string Key(std::string name) {
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return name;
    }

    std::set<std::string> m_used;
};

// Collects the first failure; everything after it is skipped by the callers.
class Failure {
public:
    explicit Failure(ThemeWriteResult& result) : m_result(result) {}

    bool File(ThemeFileOperation op, const CString& path, LONG osError) {
        m_result.status = ThemeWriteStatus::FileError;
        m_result.operation = op;
        m_result.osError = osError;
        m_result.cause = CFileException::OsErrorToException(osError);
        m_result.path = path;
        return false;
    }

    bool LastError(ThemeFileOperation op, const CString& path, LONG fallback) {
        const auto error = static_cast<LONG>(GetLastError());
        return File(op, path, error != NO_ERROR ? error : fallback);
    }

private:
    ThemeWriteResult& m_result;
};

// A file opened for reading, with its path for the report.
struct InputFile {
    explicit InputFile(const CString& p) : path(p), source(p.GetString()) {}
    CString path;
    FileThemeSource source;
};

// The new file, under a private name made from `name`. Removed again unless Commit succeeds.
class NewThemeFile {
public:
    NewThemeFile(const CString& name, Failure& failure) : m_name(name), m_failure(failure) {}
    ~NewThemeFile() { Discard(); }
    NewThemeFile(const NewThemeFile&) = delete;
    NewThemeFile& operator=(const NewThemeFile&) = delete;

    // Each rewrite writes a file of its own, so two at once never write into one file.
    bool Create() {
        SetLastError(NO_ERROR);
        m_file = CreatePrivateFile(m_name, m_path);
        if (m_file == INVALID_HANDLE_VALUE)
            return m_failure.LastError(ThemeFileOperation::Create, m_path, ERROR_CANTWRITE);
        m_created = true;
        return true;
    }

    bool Write(std::span<const std::uint8_t> bytes) {
        DWORD written = 0;
        SetLastError(NO_ERROR);
        if (!WriteFile(m_file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size())
            return m_failure.LastError(ThemeFileOperation::Write, m_path, ERROR_WRITE_FAULT);
        return true;
    }

    template <typename Block>
    bool WriteBlock(void (*write)(lv::ByteWriter&, const Block&), const Block& block) {
        std::vector<std::uint8_t> bytes;
        lv::ByteWriter w(bytes);
        write(w, block);
        return Write(bytes);
    }

    // Copies `length` bytes at `offset` of the input.
    bool Copy(InputFile& in, std::uint64_t offset, std::uint64_t length) {
        SetLastError(NO_ERROR);
        const RangeCopy copied =
            CopyRange(in.source, offset, length, [this](std::span<const std::uint8_t> piece) {
                if (!Write(piece))
                    return false;
                // The next read reports its own error.
                SetLastError(NO_ERROR);
                return true;
            });
        if (copied == RangeCopy::ReadFailed)
            return m_failure.LastError(ThemeFileOperation::Read, in.path, ERROR_HANDLE_EOF);
        return copied == RangeCopy::Done;
    }

    // Flushes; the file stays open, and so held as this writer's, until Commit or destruction,
    // so that no other writer takes it for a leftover while it is read back.
    bool Close() {
        SetLastError(NO_ERROR);
        if (!FlushFileBuffers(m_file))
            return m_failure.LastError(ThemeFileOperation::Write, m_path, ERROR_WRITE_FAULT);
        return true;
    }

    // Moves the flushed file over `target` in one step, then closes it.
    bool Commit(const CString& target) {
        SetLastError(NO_ERROR);
        if (!MoveFileExA(m_path, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return m_failure.LastError(ThemeFileOperation::Replace, target, ERROR_ACCESS_DENIED);
        m_created = false;
        const bool closed = CloseHandle(m_file) != FALSE;
        m_file = INVALID_HANDLE_VALUE;
        if (!closed)
            return m_failure.LastError(ThemeFileOperation::Write, target, ERROR_WRITE_FAULT);
        return true;
    }

    const CString& Path() const { return m_path; }

private:
    void Discard() {
        if (m_created)
            DeleteFileA(m_path);
        m_created = false;
        if (m_file != INVALID_HANDLE_VALUE)
            CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
    }

    CString m_name;
    CString m_path;
    Failure& m_failure;
    HANDLE m_file = INVALID_HANDLE_VALUE;
    bool m_created = false;
};

// Opens an external file whose length becomes a record's dataLength.
bool OpenForEmbedding(InputFile& in, Failure& failure, std::int32_t& length) {
    if (!in.source.IsOpen())
        return failure.LastError(ThemeFileOperation::Open, in.path, ERROR_FILE_NOT_FOUND);
    if (in.source.Size() > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        return failure.File(ThemeFileOperation::Read, in.path, ERROR_INVALID_DATA);
    length = static_cast<std::int32_t>(in.source.Size());
    return true;
}

void StampDate(ThemeInfoBlock& info) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::uint32_t date =
        (static_cast<std::uint32_t>(now.wYear) * 10000 + now.wMonth * 100u + now.wDay) ^ kStampCode;
    for (std::size_t i = 0; i < 4; ++i)
        info.codedArea[kStampOffset + i] = static_cast<std::uint8_t>(date >> (8 * i));
}

class ThemeRewrite {
public:
    ThemeRewrite(const ThemeWriteInputs& in, InputFile& source, const ThemeContents& old,
                 NewThemeFile& out, Failure& failure, const std::function<void(int)>& progress)
        : m_in(in), m_source(source), m_old(old), m_layout(LayoutOf(old)), m_out(out),
          m_failure(failure), m_progress(progress) {}

    bool Run() {
        Report(0);
        ThemeHeader header = m_old.header;
        header.imageCount = ImagesToWrite();
        if (!m_out.WriteBlock(WriteThemeHeader, header))
            return false;
        Report(10);
        ThemeInfoBlock info = m_old.info;
        StampDate(info);
        if (!m_out.WriteBlock(WriteThemeInfoBlock, info))
            return false;
        Report(20);
        if (m_old.info.aboutTextLength != 0) {
            if (!m_out.Copy(m_source, m_layout.about,
                            static_cast<std::uint64_t>(m_old.info.aboutTextLength)))
                return false;
            Report(25);
        }
        if (!m_out.Copy(m_source, m_layout.overlay, kThemeOverlayBlockSize))
            return false;
        Report(30);
        if (!CopyOverlayFile(m_old.markPicture))
            return false;
        Report(35);
        if (!CopyOverlayFile(m_old.secondFile))
            return false;
        Report(40);
        if (!m_out.WriteBlock(WriteThemeSettingsBlock, NewSettings()))
            return false;
        Report(50);
        if (!WritePictures())
            return false;
        Report(60);
        if (!WriteMusic())
            return false;
        Report(70);
        if (!WriteFrame())
            return false;
        Report(80);
        return true;
    }

    std::int32_t ImagesToWrite() const {
        if (!m_in.mediaList->IsEmpty())
            return static_cast<std::int32_t>(m_in.mediaList->GetSize());
        return std::clamp<std::int32_t>(m_in.imageCount, 0,
                                        static_cast<std::int32_t>(m_old.images.size()));
    }

    std::int32_t TracksToWrite() const {
        if (!m_in.musicList->IsEmpty())
            return static_cast<std::int32_t>(m_in.musicList->GetSize());
        return std::clamp<std::int32_t>(m_in.settings->musicCount, 0,
                                        static_cast<std::int32_t>(m_old.music.size()));
    }

private:
    void Report(int percent) { m_progress(percent); }

    // The stored int length and the data behind it, as they are.
    bool CopyOverlayFile(const std::optional<EmbeddedFile>& file) {
        if (file)
            m_names.Keep(file->name);
        return !file || m_out.Copy(m_source, file->offset - 4, std::uint64_t{file->length} + 4);
    }

    ThemeSettingsBlock NewSettings() const {
        const SaverSettingsValues& s = *m_in.settings;
        ThemeSettingsBlock b = m_old.settings;
        b.musicCount = TracksToWrite();
        b.musicPlayMode = s.musicPlayMode;
        b.musicOrder = s.musicOrder;
        b.musicLoop = s.musicLoop;
        b.musicOff = s.musicOff;
        b.backgroundMode = s.backgroundMode;
        b.gradientKind = s.gradientKind;
        b.solidColor = s.solidColor;
        b.gradientStartColor = s.gradientStartColor;
        b.gradientEndColor = s.gradientEndColor;
        b.framePresent = s.framePresent;
        b.transitionFlags.fill(0);
        const CArray<int, int>& enabled = *m_in.enabledTransitions;
        for (INT_PTR i = 0; i < enabled.GetSize(); ++i) {
            const int index = enabled[i];
            if (index >= 0 && static_cast<std::size_t>(index) < b.transitionFlags.size())
                b.transitionFlags[static_cast<std::size_t>(index)] = 1;
        }
        return b;
    }

    bool CopyRecord(const EmbeddedFile& data, std::size_t recordSize) {
        return m_out.Copy(m_source, data.offset - recordSize,
                          recordSize + std::uint64_t{data.length});
    }

    // Writes `record` with dataLength set to the file's length, then the file.
    template <typename Record>
    bool Embed(const CString& path, void (*write)(lv::ByteWriter&, const Record&), Record record) {
        InputFile file(path);
        if (!OpenForEmbedding(file, m_failure, record.dataLength))
            return false;
        return m_out.WriteBlock(write, record) && m_out.Copy(file, 0, file.source.Size());
    }

    bool WritePictures() {
        const auto& list = *m_in.mediaList;
        if (list.IsEmpty()) {
            for (std::int32_t i = 0; i < ImagesToWrite(); ++i) {
                const EmbeddedFile& old = m_old.imageFiles[static_cast<std::size_t>(i)];
                m_names.Keep(old.name);
                if (!CopyRecord(old, kImageRecordSize))
                    return false;
            }
            return true;
        }
        for (INT_PTR i = 0; i < list.GetSize(); ++i) {
            const MediaListEntry& entry = list[i];
            const CString path = JoinPath(entry.folder, entry.name);
            ImageRecord record;
            record.kind = 1;
            record.name = m_names.Claim(entry.name.GetString());
            if (!StorableName(record.name.c_str(), kThemeNameFieldSize))
                return m_failure.File(ThemeFileOperation::Open, path, ERROR_INVALID_NAME);
            record.caption = entry.caption.GetString();
            const bool written = entry.themePicture >= 0 ? CopyPicture(entry.themePicture, record)
                                                         : Embed(path, WriteImageRecord, record);
            if (!written)
                return false;
        }
        return true;
    }

    // The theme's own picture `index` under `record`'s name and caption, its bytes as they are.
    bool CopyPicture(int index, ImageRecord record) {
        if (static_cast<std::size_t>(index) >= m_old.imageFiles.size())
            return m_failure.File(ThemeFileOperation::Read, m_source.path, ERROR_INVALID_DATA);
        const EmbeddedFile& old = m_old.imageFiles[static_cast<std::size_t>(index)];
        record.kind = m_old.images[static_cast<std::size_t>(index)].kind;
        record.dataLength = static_cast<std::int32_t>(old.length);
        return m_out.WriteBlock(WriteImageRecord, record) &&
               m_out.Copy(m_source, old.offset, old.length);
    }

    bool WriteMusic() {
        const auto& list = *m_in.musicList;
        if (list.IsEmpty()) {
            for (std::int32_t i = 0; i < TracksToWrite(); ++i) {
                const EmbeddedFile& old = m_old.musicFiles[static_cast<std::size_t>(i)];
                m_names.Keep(old.name);
                if (!CopyRecord(old, kMusicRecordSize))
                    return false;
            }
            return true;
        }
        for (INT_PTR i = 0; i < list.GetSize(); ++i) {
            const MusicListEntry& entry = list[i];
            const CString path = JoinPath(entry.folder, entry.name);
            MusicRecord record;
            record.kind = 0;
            record.name = m_names.Claim(entry.name.GetString());
            if (!StorableName(record.name.c_str(), kThemeNameFieldSize))
                return m_failure.File(ThemeFileOperation::Open, path, ERROR_INVALID_NAME);
            if (!Embed(path, WriteMusicRecord, record))
                return false;
        }
        return true;
    }

    // With the frame off the old frame, if any, stays behind the music, unread.
    bool WriteFrame() {
        if (m_in.settings->framePresent == 0)
            return !m_old.frameFile || CopyRecord(*m_old.frameFile, kFrameRecordSize);
        const FrameSettingsValues& f = *m_in.frameSettings;
        const CString pictureName =
            m_names.Claim(FileNamePart(f.framePicturePath).GetString()).c_str();
        if (!StorableName(pictureName, kFramePictureNameField))
            return m_failure.File(ThemeFileOperation::Open, f.framePicturePath, ERROR_INVALID_NAME);
        const FrameRecord record = FrameRecordFromSettings(f, pictureName);
        return Embed(f.framePicturePath, WriteFrameRecord, record);
    }

    const ThemeWriteInputs& m_in;
    InputFile& m_source;
    const ThemeContents& m_old;
    SourceLayout m_layout;
    NewThemeFile& m_out;
    Failure& m_failure;
    const std::function<void(int)> m_progress;
    EmbeddedNames m_names;
};

// The new file must load as a whole, with the counts that were meant to be written.
bool ReadsBack(const CString& path, std::int32_t images, std::int32_t tracks) {
    FileThemeSource written(path);
    ThemeContents c;
    return written.IsOpen() && ReadThemeContents(written, c) == ThemeReadStatus::Ok &&
           c.header.imageCount == images && c.settings.musicCount == tracks;
}

ThemeWriteResult WithStatus(ThemeWriteStatus status) {
    ThemeWriteResult r;
    r.status = status;
    return r;
}

} // namespace

UINT ThemeWriteResult::MessageId() const {
    switch (status) {
    case ThemeWriteStatus::SourceMissing:
        return IDS_SOURCE_MISSING;
    case ThemeWriteStatus::Damaged:
        return IDS_THEME_DAMAGED;
    default:
        return 0;
    }
}

CFileException ThemeWriteResult::FileException() const {
    return CFileException(cause, osError, path);
}

CString NewThemeFilePath(const CString& sourcePath, const CString& title) {
    const int slash = std::max(sourcePath.ReverseFind('\\'), sourcePath.ReverseFind('/'));
    CString path;
    path.Format("%s\\new_%s.dat", sourcePath.Left(std::max(slash, 0)).GetString(),
                title.GetString());
    if (slash < 0)
        path = path.Mid(1);
    return path;
}

ThemeWriteResult RewriteThemeFile(const ThemeWriteInputs& in,
                                  const std::function<void(int)>& progress) {
    if (_access(in.sourcePath, 0) != 0)
        return WithStatus(ThemeWriteStatus::SourceMissing);

    ThemeWriteResult result;
    Failure failure(result);

    std::optional<InputFile> source(std::in_place, in.sourcePath);
    if (!source->source.IsOpen()) {
        failure.LastError(ThemeFileOperation::Open, in.sourcePath, ERROR_FILE_NOT_FOUND);
        return result;
    }
    ThemeContents old;
    if (ReadThemeContents(source->source, old) != ThemeReadStatus::Ok || old.markLengthMismatch ||
        old.secondLengthMismatch)
        return WithStatus(ThemeWriteStatus::Damaged);

    auto report = [&](int percent) {
        if (progress)
            progress(percent);
    };
    NewThemeFile out(NewThemeFilePath(in.sourcePath, in.title), failure);
    if (!out.Create())
        return result;
    ThemeRewrite rewrite(in, *source, old, out, failure, report);
    if (!rewrite.Run())
        return result;
    const std::int32_t images = rewrite.ImagesToWrite();
    const std::int32_t tracks = rewrite.TracksToWrite();
    source.reset();
    report(90);
    if (!out.Close())
        return result;
    if (!ReadsBack(out.Path(), images, tracks))
        return WithStatus(ThemeWriteStatus::Damaged);
    report(95);
    if (!out.Commit(in.sourcePath))
        return result;
    report(100);
    return result;
}
