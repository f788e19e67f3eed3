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
