// The installer's application object: starts the skinning toolkit with the default skin,
// records the Windows version and the connection, and runs the main dialog.
#pragma once

#include "mfc/mfc.h"

class CInstallApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;
};
