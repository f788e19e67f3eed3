// Rewrites the theme data file from the theme globals and the edited lists. The new file is
// written beside the old one under a private name made from "new_<title>.dat" (one per
// rewrite), read back, and only then moved over the old file; on any failure the old file
// stays as it was and the new one is removed.
#pragma once

#include "mfc/mfc.h"
#include "saver/media_list.h"
#include "saver/saver_messages.h"
#include "saver/theme_globals.h"

#include <functional>

enum class ThemeWriteStatus {
    Ok,
    SourceMissing, // message 131
    Damaged,       // the source does not hold together, or what was written did not: message 132
    FileError,     // an open, read, write or replace failed: the file-exception report
};

enum class ThemeFileOperation { None, Open, Create, Read, Write, Replace };

struct ThemeWriteResult {
    ThemeWriteStatus status = ThemeWriteStatus::Ok;
    ThemeFileOperation operation = ThemeFileOperation::None;
    int cause = CFileException::none;
    LONG osError = 0;
    CString path;

    bool Ok() const { return status == ThemeWriteStatus::Ok; }
    // The string-table text for SourceMissing and Damaged; 0 otherwise.
    UINT MessageId() const;
    // What the class library reports for a FileError (ReportError).
    CFileException FileException() const;
};

// Everything the rewrite reads; by default the globals as they are when the inputs are made.
struct ThemeWriteInputs {
    CString sourcePath = ThemeFilePath;
    CString title = LoadSaverString(IDS_THEME_TITLE);
    const SaverSettingsValues* settings = &SaverSettings;
    const CArray<int, int>* enabledTransitions = &EnabledTransitions;
    // The picture count last applied (the header's count while no media dialog has run).
    int imageCount = Theme.imageCount;
    const CArray<MediaListEntry, const MediaListEntry&>* mediaList = &MediaList;
    const CArray<MusicListEntry, const MusicListEntry&>* musicList = &MusicList;
    const FrameSettingsValues* frameSettings = &FrameSettings;
};

// "<folder of source>\new_<title>.dat", the name the new file's private name is made from.
CString NewThemeFilePath(const CString& sourcePath, const CString& title);

// Pictures: a non-empty MediaList replaces them all (an entry that the theme holds already is
// copied from the old file); else the first `imageCount` old ones are kept. Music: a non-empty
// MusicList replaces every track; else the first settings.musicCount old ones are kept. The counts
// written are those of the records written. `progress` receives 0, 10, 20, (25 with an about text),
// 30, 35, 40, 50, 60, 70, 80, 90, 95 and 100.
ThemeWriteResult RewriteThemeFile(const ThemeWriteInputs& inputs,
                                  const std::function<void(int percent)>& progress = {});
