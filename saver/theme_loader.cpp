#include "saver/theme_loader.h"

#include "saver/file_theme_source.h"
#include "saver/path_parts.h"
#include "saver/saver_messages.h"
#include "saver/theme_globals.h"
#include "saver/theme_reader.h"
#include "saver/work_folder.h"

#include <map>
#include <vector>

namespace {

// What the last load wrote, so that describing the theme needs no look at the folder.
struct ExtractedFiles {
    CString folder;
    std::map<CString, ULONGLONG> sizes; // by lower-case name, as the folder matches names
};

ExtractedFiles& LastExtraction() {
    static ExtractedFiles files;
    return files;
}

CString NameKey(const char* name) {
    CString key(name);
    key.MakeLower();
    return key;
}

// Opens a new file in the work folder. The folder is this process's own, made just now and
// writable by its user alone, so the exclusive create is all the care a name needs: it never
// opens what stands at the name. What does stand there (a name that the theme gives twice, a
// link) is removed, not followed, and the file created again.
HANDLE CreateExtractedFile(const CString& path) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        HANDLE out = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
        if (out != INVALID_HANDLE_VALUE)
            return out;
        const DWORD error = GetLastError();
        const bool standing = error == ERROR_FILE_EXISTS || error == ERROR_ACCESS_DENIED;
        if (!standing || !DeleteFileA(path)) {
            SetLastError(error);
            return INVALID_HANDLE_VALUE;
        }
    }
    return INVALID_HANDLE_VALUE;
}

// Copies one embedded file out of the theme. The copies are scratch (the theme file keeps
// them, and the folder is made fresh at each start), so they are not synced to disk.
bool ExtractFile(ThemeSource& source, const EmbeddedFile& file, const CString& path) {
    HANDLE out = CreateExtractedFile(path);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    const RangeCopy copied =
        CopyRange(source, file.offset, file.length, [out](std::span<const std::uint8_t> piece) {
            DWORD written = 0;
            return WriteFile(out, piece.data(), static_cast<DWORD>(piece.size()), &written,
                             nullptr) &&
                   written == piece.size();
        });
    if (!CloseHandle(out) || copied != RangeCopy::Done)
        return false;
    LastExtraction().sizes[NameKey(file.name.c_str())] = file.length;
    return true;
}

struct Extraction {
    CString markPicturePath, secondFilePath, framePicturePath;
};

bool ExtractAll(ThemeSource& source, const ThemeContents& c, const CString& folder,
                Extraction& out) {
    auto extract = [&](const EmbeddedFile& f, CString* keep) {
        CString path = JoinPath(folder, f.name.c_str());
        if (keep)
            *keep = path;
        return ExtractFile(source, f, path);
    };
    if (c.markPicture && !extract(*c.markPicture, &out.markPicturePath))
        return false;
    if (c.secondFile && !extract(*c.secondFile, &out.secondFilePath))
        return false;
    for (const EmbeddedFile& f : c.imageFiles) {
        if (!extract(f, nullptr))
            return false;
    }
    for (const EmbeddedFile& f : c.musicFiles) {
        if (!extract(f, nullptr))
            return false;
    }
    return !c.frameFile || extract(*c.frameFile, &out.framePicturePath);
}

void FillGlobals(const ThemeContents& c, const CString& folder, const Extraction& files) {
    CString themeFilePath = ThemeFilePath;
    ResetThemeGlobals();
    ThemeFilePath = themeFilePath;
    Theme.version = c.header.version.c_str();
    Theme.title = c.header.title.c_str();
    Theme.imageCount = c.header.imageCount;
    Theme.adFlag = c.info.adFlag;
    Theme.userId = c.info.userId.c_str();
    Theme.settingsPermission = c.info.settingsPermission;
    Theme.mediaPermission = c.info.mediaPermission;
    AboutText = CString(c.aboutText.data(), static_cast<int>(c.aboutText.size()));

    const ThemeOverlayBlock& o = c.overlay;
    if (c.info.adFlag == 1) {
        Theme.adCounterStart = o.adCounterStart;
        Theme.primaryAdBase = o.primaryAdBase.c_str();
        Theme.secondaryAdBase = o.secondaryAdBase.c_str();
    }
    Theme.markPresent = o.markPresent;
    Theme.markKind = o.markKind;
    if (o.markPresent == 1 && o.markKind == 0) {
        Theme.markText = o.markText.c_str();
        Theme.markFont = o.markFont;
        Theme.markColor = static_cast<COLORREF>(o.markColor);
    }
    Theme.markPicturePath = files.markPicturePath;
    Theme.secondFilePath = files.secondFilePath;
    Theme.markStyle = o.markStyle;
    Theme.markPlacement = o.markPlacement;

    SaverSettings = c.settings;
    for (int i = 0; i < kTransitionListSize; ++i) {
        if (c.settings.transitionFlags[static_cast<std::size_t>(i)] == 1)
            EnabledTransitions.Add(i);
    }
    for (const ImageRecord& rec : c.images) {
        ImageNames.Add(rec.name.c_str());
        ImageCaptions.Add(rec.caption.c_str());
    }
    for (const MusicRecord& rec : c.music)
        MusicNames.Add(rec.name.c_str());
    if (c.frame)
        FrameSettings = FrameSettingsFromRecord(*c.frame, files.framePicturePath);
    WorkFolder = folder;
}

} // namespace

BOOL LoadThemeFile(const char* path, const char* programFolder) {
    FileThemeSource source(path);
    ThemeContents contents;
    if (!source.IsOpen() || ReadThemeContents(source, contents) != ThemeReadStatus::Ok) {
        ShowSaverError(IDS_THEME_DAMAGED);
        return FALSE;
    }
    if (contents.header.foreignFlag != 0)
        ShowSaverError(IDS_NOT_A_THEME);

    // The folders that ended processes left go first. This process's own is made fresh:
    // whatever stands at its name goes first (a link, even one that leads nowhere, is removed,
    // not followed), and anything that is back by the time the folder is made is not used.
    SweepEndedWorkFolders(programFolder, contents.header.title.c_str());
    CString folder = MakeWorkFolderPath(programFolder, contents.header.title.c_str());
    if (!MakeOwnWorkFolder(folder)) {
        ShowSaverError(IDS_EXTRACT_FAILED);
        return FALSE;
    }

    if (contents.markLengthMismatch)
        ShowSaverError(IDS_THEME_DAMAGED);
    if (contents.secondLengthMismatch)
        ShowSaverError(IDS_THEME_DAMAGED);

    Extraction files;
    LastExtraction() = ExtractedFiles{folder, {}};
    if (!ExtractAll(source, contents, folder, files)) {
        LastExtraction() = ExtractedFiles{};
        RemoveWorkFolder(folder);
        ShowSaverError(IDS_EXTRACT_FAILED);
        return FALSE;
    }
    FillGlobals(contents, folder, files);
    return TRUE;
}

bool ExtractedFileSize(const CString& folder, const CString& name, ULONGLONG& size) {
    const ExtractedFiles& files = LastExtraction();
    if (files.folder.IsEmpty() || files.folder != folder)
        return false;
    auto it = files.sizes.find(NameKey(name));
    if (it == files.sizes.end())
        return false;
    size = it->second;
    return true;
}
