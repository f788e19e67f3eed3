#include "installer/welcome_text.h"

std::string BuiltInWelcomeText() {
    return std::string("Welcome to the Glimmerwright setup.\r\r\n"
                       "This program will install Screensaver on your computer.\r\r\n"
                       "If after installing this software you decide.to remove it, you can do "
                       "it with using\r\r\n"
                       "the Windows Add/Remove Programs in Control Panel.\r\r\n"
                       "Click install to complete setup.\r\r\n"
                       "\r\r\n"
                       "Glimmerwright on the web: ") +
           kMakerWebSite + "\r\r\n";
}
