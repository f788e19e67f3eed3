// Ids of the installer's string table.
#pragma once

#include "win32/types.h"

inline constexpr UINT IDS_THEME_TITLE = 106;
inline constexpr UINT IDS_ALREADY_INSTALLED = 107; // "%s" is the title
inline constexpr UINT IDS_INSTALLED_OPEN_DISPLAY = 108;
inline constexpr UINT IDS_INFORMATION = 109;
inline constexpr UINT IDS_ERROR = 110;
inline constexpr UINT IDS_STAGING_IN_USE = 111;     // "%s" is the staging folder
inline constexpr UINT IDS_STAGING_IN_THE_WAY = 112; // "%s" is what stands in the way
