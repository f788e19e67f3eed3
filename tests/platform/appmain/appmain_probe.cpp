// Writes its command line to the file named by PROBE_OUT. "fail" on the command line makes
// InitInstance fail (exit code 3); otherwise it ends without a main window (exit code 4).
#include "mfc/mfc.h"

#include <cstdlib>
#include <fstream>

namespace {

class CProbeApp : public CWinApp {
public:
    BOOL InitInstance() override {
        if (const char* out = std::getenv("PROBE_OUT"))
            std::ofstream(out) << "[" << m_lpCmdLine << "]";
        m_failed = CString(m_lpCmdLine).Find("fail") >= 0;
        return !m_failed;
    }
    int ExitInstance() override { return m_failed ? 3 : 4; }

private:
    bool m_failed = false;
};

CProbeApp theApp;

} // namespace
