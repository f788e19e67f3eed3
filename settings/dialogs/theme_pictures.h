// The pictures the theme data file holds, decoded from the file itself.
#pragma once

#include "imagelib/px_image.h"
#include "saver/theme_reader.h"

#include <optional>

class ThemePictures {
public:
    // Decodes the theme file's picture `index`; false when the file does not hold it or it
    // cannot be decoded. The file's structure is read once, on first use.
    bool Load(int index, PxImage& picture);

private:
    bool m_read = false;
    std::optional<ThemeContents> m_contents;
};
