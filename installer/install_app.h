// The installer's application object: starts the skinning toolkit with the default skin,
// records the Windows version and the connection, and runs the main dialog. The program ends
// with 1 when something at the staging folder's name kept it from unpacking, else with 0.
#pragma once

#include "mfc/mfc.h"

class CInstallApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    // Non-zero when the installer could not do its work for a reason it showed the person.
    int m_exitCode = 0;
};
