#include "installer/install_session.h"

#include "installer/extract_wnd.h"
#include "installer/prepare_dlg.h"

#include <cstdio>

namespace {

void Say(const char* text) {
    std::printf("%s\n", text);
    std::fflush(stdout);
}

} // namespace

std::string AdvertAddressFor(const InstallThemeHeader& header, int online) {
    if (header.primaryAdBase.empty() || online == 0 || header.adFlag == 0)
        return {};
    return header.primaryAdBase + "/ad.htm";
}

bool PrepareStaging(const std::string& packagePath, const std::string& programFiles,
                    const std::string& title, InstallThemeHeader& header) {
    const std::string stagingFolder = StagingFolderFor(programFiles, title);
    if (stagingFolder.empty())
        return false;
    CExtractWnd extractor(packagePath);
    extractor.SetTargetDir(programFiles);
    if (extractor.ReadPackage(extractor.Archive().GetPackagePath()) != PackageResult::Success)
        return false;
    if (!extractor.Extract())
        return false;
    return ReadInstallThemeHeader(stagingFolder + "\\" + title + ".dat", header);
}

InstallSessionResult RunInstallSession(const InstallSessionOptions& options) {
    InstallSessionResult result;
    const std::string programFiles = ProgramFilesFolder();
    const std::string staging = StagingFolderFor(programFiles, options.title);
    CPrepareDlg prepare(options.packagePath, options.title);
    result.prepared = prepare.DoModal() == IDOK;
    result.header = prepare.m_header;
    Say(result.prepared ? "Preparing Successfully" : "Preparing Failed");
    if (result.prepared) {
        result.advertAddress = AdvertAddressFor(result.header, options.online);
        if (options.unattended) {
            result.installRan = true;
            result.outcome = RunInstallStep(staging, result.header.title, options.osCode);
        }
    }
    DeleteStagingFolder(staging);
    return result;
}
