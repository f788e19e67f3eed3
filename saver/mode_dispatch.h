// Runs the mode that the command line chose, once the theme is loaded.
#pragma once

#include "mfc/mfc.h"

class CSaverApp;

// TRUE lets the message loop run with the main window set here (or none, which ends the
// process); FALSE ends the process.
BOOL RunSaverMode(CSaverApp& app);

// What start-up loaded and extracted, as lines of text (printed as a mode starts, for people
// who check a theme).
CString DescribeLoadedTheme();
