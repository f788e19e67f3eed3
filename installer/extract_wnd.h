// The extraction object the preparing dialog drives: one package archive and its target
// folder. It never gets a window of its own.
#pragma once

#include "installer/package_archive.h"
#include "mfc/mfc.h"

#include <string>

class CExtractWnd : public CWnd {
public:
    // The package is the running program's own file.
    CExtractWnd() = default;
    explicit CExtractWnd(std::string packagePath) : m_archive(std::move(packagePath)) {}

    void SetTargetDir(const std::string& folder) { m_targetDir = folder; }
    PackageResult ReadPackage(const std::string& path) { return m_archive.ReadTrailer(path); }
    // TRUE when every entry was written under the target folder.
    BOOL Extract();

    PackageArchive& Archive() { return m_archive; }

    // The extraction's callback: keeps the thread's windows alive between inflate steps.
    static int PumpMessages(int code, void* data, void* userData);

protected:
    DECLARE_MESSAGE_MAP()

private:
    PackageArchive m_archive;
    std::string m_targetDir;
};
