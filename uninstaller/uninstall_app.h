// The uninstaller's application object: one confirmation dialog, then the program ends.
#pragma once

#include "mfc/mfc.h"

class CUninstallApp : public CWinApp {
public:
    BOOL InitInstance() override;

protected:
    DECLARE_MESSAGE_MAP()
};
