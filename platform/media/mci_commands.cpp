#include "media/mci_devices.h"
#include "win32/media.h"

MCIERROR mciSendCommandA(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR params) {
    return lv::media::MciDevices::instance().send(device, message, flags, params);
}
