#include "settings/dialogs/theme_edits.h"

ThemeEdits::ThemeEdits()
    : m_settings(SaverSettings), m_frame(FrameSettings), m_imageCount(Theme.imageCount) {
    m_transitions.Copy(EnabledTransitions);
    m_media.Copy(MediaList);
    m_music.Copy(MusicList);
}

void ThemeEdits::Restore() const {
    SaverSettings = m_settings;
    FrameSettings = m_frame;
    Theme.imageCount = m_imageCount;
    EnabledTransitions.Copy(m_transitions);
    MediaList.Copy(m_media);
    MusicList.Copy(m_music);
}

void PicturesNowInTheTheme() {
    for (INT_PTR i = 0; i < MediaList.GetSize(); ++i)
        MediaList[i].themePicture = static_cast<int>(i);
}
