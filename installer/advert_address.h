// Which advert page, if any, the main dialog shows for a theme.
#pragma once

#include "installer/install_theme_header.h"

#include <string>

// The advert page of a theme: only with an address, an advert flag and a connection; empty
// when no advert is shown.
std::string AdvertAddressFor(const InstallThemeHeader& header, int online);
