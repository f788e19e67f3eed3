// The uninstaller program: its one application object; main() comes from the platform.
#include "uninstaller/uninstall_app.h"

CUninstallApp theApp;
