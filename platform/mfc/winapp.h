// The application object: CWinThread and CWinApp, one static CWinApp per program, started by
// the program's main() (platform/appmain).
#pragma once

#include "mfc/cmd_target.h"
#include "mfc/cstring.h"
#include "win32/win32.h"

#include <string>

class CWnd; // the window layer defines it

class CWinThread : public CCmdTarget {
public:
    CWinThread() = default;
    ~CWinThread() override;

    virtual BOOL InitInstance() { return FALSE; }
    virtual int Run() { return RunMessageLoop(); }
    virtual int ExitInstance() { return 0; }

    // The message loop: pumps messages until the quit message, then returns ExitInstance().
    // The window layer provides it (mfc/message_loop.cpp); without it nothing can be pumped.
    virtual int RunMessageLoop();
    // Gives the windows from the message's target up to the main window their
    // PreTranslateMessage; TRUE when one of them took the message.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Starts a worker thread made suspended; the previous suspend count, (DWORD)-1 when this
    // object has no thread waiting to start.
    virtual DWORD ResumeThread() { return static_cast<DWORD>(-1); }

    CWnd* m_pMainWnd = nullptr;
    BOOL m_bAutoDelete = TRUE; // worker threads: the object deletes itself when the thread ends
    DWORD m_nThreadID = 0;

protected:
    MSG m_msgCur{};
};

class CWinApp : public CWinThread {
public:
    // Registers the one application object of the program.
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;

    BOOL InitInstance() override { return TRUE; }
    // Without a main window the program ends at once.
    int Run() override;
    int ExitInstance() override { return 0; }

    // The profile: HKEY_CURRENT_USER\Software\<key>\<profile name>\<section> once a registry
    // key is set (ints as REG_DWORD), else the profile file <profile name> ("<exe>.INI") in
    // the Windows folder. SetRegistryKey makes the application name the profile name.
    void SetRegistryKey(LPCTSTR registryKey);
    void SetRegistryKey(UINT registryKeyId);

    UINT GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue);
    BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);
    CString GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue = nullptr);
    // A null entry removes the section, a null value the entry.
    BOOL WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value);

    // Obsolete switches of the library; they do nothing and succeed, as there.
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }

    // An icon of the program's resources; NULL when it has none of that id.
    HICON LoadIcon(UINT id) const;

    // Fills in what the program's start-up knows: instance, command line, names.
    void AttachToProgram(HINSTANCE instance, std::string commandLine);

    // Owned strings, allocated with malloc (replace them with _tcsdup, free the old one).
    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = 5; // SW_SHOW

private:
    std::string m_command_line;
};

CWinApp* AfxGetApp();
// The object of the calling thread: its worker-thread object, else the application.
CWinThread* AfxGetThread();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
LPCTSTR AfxGetAppName();
CWnd* AfxGetMainWnd();
// ActiveX controls are not hosted: nothing to enable.
inline void AfxEnableControlContainer() {}

// A message box with the application's name as caption.
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT textId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));

char* _tcsdup(const char* text);

namespace lv::mfc {

// The command line as the program sees it: the arguments after the program name, joined with
// single spaces.
std::string join_command_line(int argc, char** argv);

// What main() does: attach, InitInstance, then Run (or ExitInstance when InitInstance fails).
// Returns the process exit code.
int run_application(int argc, char** argv);

} // namespace lv::mfc
