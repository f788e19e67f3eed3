#include "installer/install_globals.h"

#include "installer/os_code.h"

std::int16_t g_installOsCode = kOsUnknown;
int g_installOnline = 0;
