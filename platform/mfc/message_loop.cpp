// Until the window layer brings its message loop there are no messages to pump: a program that
// reaches the loop ends as if the quit message had come.
#include "mfc/winapp.h"

#include <iostream>

int CWinThread::RunMessageLoop() {
    std::cerr << "CWinThread: no message loop in this build; ending\n";
    return ExitInstance();
}
