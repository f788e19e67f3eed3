#include "saver/saver_app.h"

// The one application object of the screen saver.
CSaverApp theApp;
