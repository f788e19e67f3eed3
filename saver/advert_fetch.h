// The advert picture: refreshed once a week, on Sundays, from the theme's two advert addresses
// into the work folder.
#pragma once

#include "mfc/mfc.h"

#include <optional>
#include <string_view>

// Full path of the current advert picture, in the work folder.
extern CString AdPicturePath;

// 1 when `address` was downloaded to `path`, else 0.
int DownloadFile(const char* address, const char* path);

struct AdvertDate {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const AdvertDate&) const = default;
};

// The description's "ADImageDate": eight digits, year, month and day; an empty text means
// 2005-01-01. Any other text is no date.
std::optional<AdvertDate> ParseAdvertDate(std::string_view text);
