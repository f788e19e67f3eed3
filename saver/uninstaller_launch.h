// Mode u: writes the embedded uninstaller out beside the program, starts it with this
// program's path, and ends the process. Never returns.
#pragma once

[[noreturn]] void RunUninstaller();
