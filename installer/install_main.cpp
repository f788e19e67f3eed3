#include "installer/install_app.h"

// The one application object of the installer.
CInstallApp theApp;
