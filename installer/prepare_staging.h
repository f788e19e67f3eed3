// The preparing step's work: unpack the payload under Program Files and read the staged
// theme's first blocks.
#pragma once

#include "installer/install_theme_header.h"
#include "installer/staging_claim.h"

#include <string>

enum class PrepareResult {
    Prepared, // the payload is staged and its theme read
    InUse,    // a running installer's folder: nothing was made or touched
    InTheWay, // something no installer claimed stands there: nothing was made or touched
    Failed,   // the title, the claim, the folder, the package, the extraction or the theme
};

struct PreparedStaging {
    PrepareResult result = PrepareResult::Failed;
    // This call made the folder (whether it then succeeded or not): it is the caller's to
    // delete, with its claim.
    bool made = false;
    // InUse and InTheWay: the path a person has to see to.
    std::string obstacle;
};

// Makes the staging folder <programFiles>\<title> afresh under this process's claim (taking
// over what an ended installer left there), unpacks the payload of `packagePath` (empty: the
// running program's own file) under `programFiles` and reads the header of the staged theme
// <programFiles>\<title>\<title>.dat. Anything else that stands at the folder's name (a
// running installer's folder, a folder of someone else's, a link) is neither used nor touched.
PreparedStaging PrepareStaging(const std::string& packagePath, const std::string& programFiles,
                               const std::string& title, InstallThemeHeader& header);
