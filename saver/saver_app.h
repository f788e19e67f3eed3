// The screen saver's application object: reads the command line, prepares the process-wide
// services, checks and loads the theme, then runs exactly one mode.
#pragma once

#include "mfc/mfc.h"

class CSaverApp : public CWinApp {
public:
    CSaverApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    static int IsOnline();
    static void ChangePassword(HWND parent);
    static CString GetShortPath(const char* path);

    // Builds "<program folder>\<theme title>.dat" into `path` and checks that it is a theme.
    BOOL CheckThemeFile(CString& path);
    BOOL LoadTheme(const CString& path);
    // Keeps the advert picture current and sets AdPicturePath (saver/advert_fetch.cpp).
    void FetchAdImage();

    // The command-line copy after the program name, lower-cased; and the parsed mode.
    const CString& LoweredCommandLine() const { return m_loweredCommandLine; }
    char Mode() const { return m_mode; }
    HWND ParentWindow() const { return m_parent; }
    int OnlineFlag() const { return m_online; }

private:
    void ApplyProfileOverrides();
    BOOL RunMode();

    int m_online = 0;
    CString m_loweredCommandLine;
    char m_mode = 'C';
    HWND m_parent = nullptr;
};

CSaverApp& SaverApp();

// The folder of the running program: its module path up to the last '\'.
CString GetProgramFolder();
