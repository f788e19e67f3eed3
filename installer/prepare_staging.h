// The preparing step's work: unpack the payload under Program Files and read the staged
// theme's first blocks.
#pragma once

#include "installer/install_theme_header.h"

#include <string>

// Makes the staging folder <programFiles>\<title> afresh, unpacks the payload of
// `packagePath` (empty: the running program's own file) under `programFiles` and reads the
// header of the staged theme <programFiles>\<title>\<title>.dat; false when the title, the
// folder, the package, the extraction or the staged theme fails. Anything that already stands
// at the folder's name (a folder of someone else's, a link) is neither used nor touched:
// `made` tells whether this call made the folder, which is then the caller's to delete.
bool PrepareStaging(const std::string& packagePath, const std::string& programFiles,
                    const std::string& title, InstallThemeHeader& header, bool& made);
