#include "mfc/winapp.h"

int main(int argc, char** argv) {
    return lv::mfc::run_application(argc, argv);
}
