// The preparing step's work: unpack the payload under Program Files and read the staged
// theme's first blocks.
#pragma once

#include "installer/install_theme_header.h"

#include <string>

// Unpacks the payload of `packagePath` (empty: the running program's own file) under
// `programFiles` and reads the header of the staged theme <programFiles>\<title>\<title>.dat;
// false when the title, the package, the extraction or the staged theme fails.
bool PrepareStaging(const std::string& packagePath, const std::string& programFiles,
                    const std::string& title, InstallThemeHeader& header);
