#include "installer/prepare_staging.h"

#include "installer/extract_wnd.h"
#include "installer/install_steps.h"

PreparedStaging PrepareStaging(const std::string& packagePath, const std::string& programFiles,
                               const std::string& title, InstallThemeHeader& header) {
    PreparedStaging staging;
    const std::string stagingFolder = StagingFolderFor(programFiles, title);
    if (stagingFolder.empty())
        return staging;
    const ClaimResult claim = ClaimStagingFolder(stagingFolder);
    if (claim.state == StagingClaim::InUse || claim.state == StagingClaim::InTheWay) {
        staging.result =
            claim.state == StagingClaim::InUse ? PrepareResult::InUse : PrepareResult::InTheWay;
        staging.obstacle = claim.obstacle;
        return staging;
    }
    if (claim.state != StagingClaim::Claimed)
        return staging;
    if (!CreateDirectoryA(stagingFolder.c_str(), nullptr)) {
        // Something came to stand at the name that the claim did not see (a dangling link).
        if (GetLastError() == ERROR_ALREADY_EXISTS) {
            staging.result = PrepareResult::InTheWay;
            staging.obstacle = stagingFolder;
        }
        ReleaseStagingClaim(stagingFolder);
        return staging;
    }
    staging.made = true;
    CExtractWnd extractor(packagePath.empty() ? PackageArchive().GetPackagePath() : packagePath);
    extractor.SetTargetDir(programFiles);
    if (extractor.ReadPackage(extractor.Archive().GetPackagePath()) != PackageResult::Success)
        return staging;
    if (!extractor.Extract())
        return staging;
    if (ReadInstallThemeHeader(stagingFolder + "\\" + title + ".dat", header))
        staging.result = PrepareResult::Prepared;
    return staging;
}
