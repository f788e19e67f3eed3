// What the installer learns of the machine at start-up, for its dialog and install step.
#pragma once

#include <cstdint>

// As DetectWindowsVersion answers.
extern std::int16_t g_installOsCode;
// 1 when the machine is online.
extern int g_installOnline;
