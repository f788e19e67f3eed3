#include "settings/dialogs/theme_pictures.h"

#include "saver/file_theme_source.h"
#include "saver/theme_globals.h"

#include <vector>

bool ThemePictures::Load(int index, PxImage& picture) {
    FileThemeSource file(ThemeFilePath);
    if (!file.IsOpen())
        return false;
    if (!m_read) {
        m_read = true;
        ThemeContents contents;
        if (ReadThemeContents(file, contents) == ThemeReadStatus::Ok)
            m_contents = std::move(contents);
    }
    if (!m_contents || index < 0 ||
        static_cast<std::size_t>(index) >= m_contents->imageFiles.size())
        return false;
    const EmbeddedFile& embedded = m_contents->imageFiles[static_cast<std::size_t>(index)];
    std::vector<std::uint8_t> bytes(embedded.length);
    return file.ReadAt(embedded.offset, bytes) &&
           picture.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()),
                                    PXIMAGE_FORMAT_UNKNOWN);
}
