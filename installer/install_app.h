// The installer's application object: starts the skinning toolkit with the default skin,
// records the Windows version and the connection, and runs one install session.
#pragma once

#include "mfc/mfc.h"

#include <cstdint>

class CInstallApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;
};

// Set at start-up.
extern std::int16_t g_installOsCode;
extern int g_installOnline;
