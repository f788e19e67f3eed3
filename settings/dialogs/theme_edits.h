// What the advanced dialogs change in the theme globals before the theme file is rewritten.
#pragma once

#include "saver/media_list.h"
#include "saver/theme_globals.h"

// The edited globals as they are when it is made, to be put back when a rewrite fails: a
// failed Apply leaves every dialog as it found the theme.
class ThemeEdits {
public:
    ThemeEdits();
    ThemeEdits(const ThemeEdits&) = delete;
    ThemeEdits& operator=(const ThemeEdits&) = delete;

    void Restore() const;

private:
    SaverSettingsValues m_settings;
    FrameSettingsValues m_frame;
    int m_imageCount;
    CArray<int, int> m_transitions;
    CArray<MediaListEntry, const MediaListEntry&> m_media;
    CArray<MusicListEntry, const MusicListEntry&> m_music;
};

// After a rewrite the theme file holds the listed pictures in list order; from then on each is
// read from there, not from the file it was added from.
void PicturesNowInTheTheme();
