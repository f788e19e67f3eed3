#include "installer/prepare_staging.h"

#include "installer/extract_wnd.h"
#include "installer/install_steps.h"

bool PrepareStaging(const std::string& packagePath, const std::string& programFiles,
                    const std::string& title, InstallThemeHeader& header, bool& made) {
    made = false;
    const std::string stagingFolder = StagingFolderFor(programFiles, title);
    if (stagingFolder.empty() || !CreateDirectoryA(stagingFolder.c_str(), nullptr))
        return false;
    made = true;
    CExtractWnd extractor(packagePath.empty() ? PackageArchive().GetPackagePath() : packagePath);
    extractor.SetTargetDir(programFiles);
    if (extractor.ReadPackage(extractor.Archive().GetPackagePath()) != PackageResult::Success)
        return false;
    if (!extractor.Extract())
        return false;
    return ReadInstallThemeHeader(stagingFolder + "\\" + title + ".dat", header);
}
