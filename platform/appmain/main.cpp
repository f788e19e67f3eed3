#include "mfc/winapp.h"
#include "window/mci_notify.h"

int main(int argc, char** argv) {
    lv::window::install_mci_notify_poster();
    return lv::mfc::run_application(argc, argv);
}
