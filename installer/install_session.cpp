#include "installer/install_session.h"

#include "installer/package_archive.h"
#include "win32/win32.h"

#include <cstdio>

namespace {

// Keeps the windows of the thread painted between inflate steps.
int PumpMessages(int, void*, void*) {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

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
    PackageArchive archive(packagePath);
    if (archive.ReadTrailer(archive.GetPackagePath()) != PackageResult::Success)
        return false;
    if (archive.ExtractAll(programFiles, PumpMessages, nullptr) != PackageResult::Success)
        return false;
    return ReadInstallThemeHeader(stagingFolder + "\\" + title + ".dat", header);
}

InstallSessionResult RunInstallSession(const InstallSessionOptions& options) {
    InstallSessionResult result;
    const std::string programFiles = ProgramFilesFolder();
    const std::string staging = StagingFolderFor(programFiles, options.title);
    result.prepared =
        PrepareStaging(options.packagePath, programFiles, options.title, result.header);
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
