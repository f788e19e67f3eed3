#include "saver/theme_globals.h"

#include "saver/media_list.h"
#include "saver/text_fields.h"

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
    // Each text is cut to its field, which it may fill to the last byte, where no character
    // is split.
    auto field = [](const CString& text, int size) {
        return std::string(FitTextBytes(text, size).GetString());
    };
    FrameRecord record;
    record.ver = field(settings.ver, 3);
    record.title = field(settings.title, 33);
    record.direction = settings.direction;
    record.format = settings.format;
    record.upleft = field(settings.upleft, 9);
    record.upmid = field(settings.upmid, 9);
    record.upright = field(settings.upright, 9);
    record.ctleft = field(settings.ctleft, 9);
    record.ctright = field(settings.ctright, 9);
    record.btleft = field(settings.btleft, 9);
    record.btmid = field(settings.btmid, 9);
    record.btright = field(settings.btright, 9);
    record.type = settings.type;
    record.stretch_mode = settings.stretch_mode;
    record.pic_drawpt = field(settings.pic_drawpt, 9);
    record.extraspace = field(settings.extraspace, 9);
    record.pictureName = field(pictureName, 262);
    return record;
}
