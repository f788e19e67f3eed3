#include "saver/theme_globals.h"

#include "saver/media_list.h"

SaverSettingsValues SaverSettings;
FrameSettingsValues FrameSettings;
ThemeValues Theme;
CArray<int, int> EnabledTransitions;
CStringArray ImageNames;
CStringArray ImageCaptions;
CStringArray MusicNames;
CString AboutText;
CString WorkFolder;
CString ThemeFilePath;

void ResetThemeGlobals() {
    SaverSettings = SaverSettingsValues{};
    FrameSettings = FrameSettingsValues{};
    Theme = ThemeValues{};
    EnabledTransitions.RemoveAll();
    ImageNames.RemoveAll();
    ImageCaptions.RemoveAll();
    MusicNames.RemoveAll();
    AboutText.Empty();
    WorkFolder.Empty();
    ThemeFilePath.Empty();
    ResetMediaLists();
}

FrameSettingsValues FrameSettingsFromRecord(const FrameRecord& record, const CString& picturePath) {
    FrameSettingsValues f;
    f.ver = record.ver.c_str();
    f.title = record.title.c_str();
    f.direction = record.direction;
    f.format = record.format;
    f.upleft = record.upleft.c_str();
    f.upmid = record.upmid.c_str();
    f.upright = record.upright.c_str();
    f.ctleft = record.ctleft.c_str();
    f.ctright = record.ctright.c_str();
    f.btleft = record.btleft.c_str();
    f.btmid = record.btmid.c_str();
    f.btright = record.btright.c_str();
    f.type = record.type;
    f.stretch_mode = record.stretch_mode;
    f.pic_drawpt = record.pic_drawpt.c_str();
    f.extraspace = record.extraspace.c_str();
    f.framePicturePath = picturePath;
    return f;
}

FrameRecord FrameRecordFromSettings(const FrameSettingsValues& settings,
                                    const CString& pictureName) {
    FrameRecord record;
    record.ver = settings.ver.GetString();
    record.title = settings.title.GetString();
    record.direction = settings.direction;
    record.format = settings.format;
    record.upleft = settings.upleft.GetString();
    record.upmid = settings.upmid.GetString();
    record.upright = settings.upright.GetString();
    record.ctleft = settings.ctleft.GetString();
    record.ctright = settings.ctright.GetString();
    record.btleft = settings.btleft.GetString();
    record.btmid = settings.btmid.GetString();
    record.btright = settings.btright.GetString();
    record.type = settings.type;
    record.stretch_mode = settings.stretch_mode;
    record.pic_drawpt = settings.pic_drawpt.GetString();
    record.extraspace = settings.extraspace.GetString();
    record.pictureName = pictureName.GetString();
    return record;
}
