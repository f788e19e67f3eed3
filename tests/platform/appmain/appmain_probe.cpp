// Writes its command line to the file named by PROBE_OUT. "fail" on the command line makes
// InitInstance fail (exit code 3); "ask" asks a question and ends with the answer's id;
// otherwise it ends without a main window (exit code 4).
#include "mfc/mfc.h"

#include <cstdlib>
#include <fstream>

namespace {

class CProbeApp : public CWinApp {
public:
    BOOL InitInstance() override {
        if (const char* out = std::getenv("PROBE_OUT"))
            std::ofstream(out) << "[" << m_lpCmdLine << "]";
        const CString line(m_lpCmdLine);
        m_failed = line.Find("fail") >= 0;
        if (line.Find("ask") >= 0)
            m_answer = AfxMessageBox("Overwrite?", MB_YESNOCANCEL | MB_ICONQUESTION);
        return !m_failed;
    }
    int ExitInstance() override { return m_failed ? 3 : m_answer != 0 ? m_answer : 4; }

private:
    bool m_failed = false;
    int m_answer = 0;
};

CProbeApp theApp;

} // namespace
