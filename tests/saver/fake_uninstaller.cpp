// Stands in for the uninstaller in tests of mode u: records the command line it was started
// with in the file named by LV_FAKE_UNINSTALLER_LOG.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    const char* log = std::getenv("LV_FAKE_UNINSTALLER_LOG");
    if (!log)
        return 1;
    std::string line;
    for (int i = 1; i < argc; ++i)
        line += (i > 1 ? "\x1f" : "") + std::string(argv[i]);
    std::ofstream(std::string(log) + ".tmp") << line;
    std::rename((std::string(log) + ".tmp").c_str(), log);
    return 0;
}
