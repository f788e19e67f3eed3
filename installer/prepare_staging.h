// One run of the installer from its payload to the cleaned-up staging folder: unpack into
// Program Files, read the staged theme's header, install (when asked to), delete the staging
// folder.
#pragma once

#include "installer/install_steps.h"
#include "installer/install_theme_header.h"

#include <cstdint>
#include <string>

struct InstallSessionOptions {
    std::string packagePath;  // the installer file holding the payload
    std::string title;        // the title the package was made for (string 106)
    std::int16_t osCode = -1; // as DetectWindowsVersion answers
    int online = 0;
    // Runs the install step at once instead of waiting in the main dialog.
    bool unattended = false;
};

struct InstallSessionResult {
    bool prepared = false;
    InstallThemeHeader header;
    // The page the advert view is asked to show; empty when no advert is shown.
    std::string advertAddress;
    bool installRan = false;
    InstallOutcome outcome = InstallOutcome::Failed;
};

// The advert page of a theme: only with an address, an advert flag and a connection.
std::string AdvertAddressFor(const InstallThemeHeader& header, int online);

// Unpacks the payload under `programFiles` and reads the header of the staged theme
// <programFiles>\<title>\<title>.dat; false when the title, the package, the extraction or
// the staged theme fails.
bool PrepareStaging(const std::string& packagePath, const std::string& programFiles,
                    const std::string& title, InstallThemeHeader& header);

InstallSessionResult RunInstallSession(const InstallSessionOptions& options);
