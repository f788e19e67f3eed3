// The screen saver's theme globals: filled once at start-up from the theme data file, read
// by the slide show, edited in place by the settings dialogs and written back by the writer.
#pragma once

#include "mfc/mfc.h"
#include "saver/theme_format.h"

// The theme's settings with the per-user overrides applied; the fields are those of the
// settings block.
using SaverSettingsValues = ThemeSettingsBlock;

struct FrameSettingsValues {
    CString ver;
    CString title;
    int direction = 0;
    int format = 0;
    CString upleft, upmid, upright, ctleft, ctright, btleft, btmid, btright;
    int type = 0;
    int stretch_mode = 0;
    CString pic_drawpt;
    CString extraspace;
    CString framePicturePath;
};

// The frame record of the theme file and the frame settings, one from the other, kept side by
// side so that a field added to one is added to both. The picture is named apart: the settings
// hold its path in the work folder, the record only its file name.
FrameSettingsValues FrameSettingsFromRecord(const FrameRecord& record, const CString& picturePath);
FrameRecord FrameRecordFromSettings(const FrameSettingsValues& settings,
                                    const CString& pictureName);

// Values of the header, info and overlay blocks that the rest of the program uses.
struct ThemeValues {
    CString version;
    CString title;
    int imageCount = 0;
    int adFlag = 0;
    CString userId;
    int settingsPermission = 1;
    int mediaPermission = 1;
    int adCounterStart = 0;
    CString primaryAdBase;
    CString secondaryAdBase;
    // The overlay mark: kept, not drawn by the slide show.
    int markPresent = 0;
    int markKind = 0;
    CString markText;
    LOGFONTA markFont{};
    COLORREF markColor = 0;
    CString markPicturePath;
    CString secondFilePath;
    int markStyle = 0;
    int markPlacement = 0;
};

extern SaverSettingsValues SaverSettings;
extern FrameSettingsValues FrameSettings;
extern ThemeValues Theme;
extern CArray<int, int> EnabledTransitions;
extern CStringArray ImageNames;
extern CStringArray ImageCaptions;
extern CStringArray MusicNames;
extern CString AboutText;
extern CString WorkFolder;
extern CString ThemeFilePath;

// Empties every global, as before start-up (tests load several themes in one process).
void ResetThemeGlobals();
