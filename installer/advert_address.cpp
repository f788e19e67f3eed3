#include "installer/advert_address.h"

std::string AdvertAddressFor(const InstallThemeHeader& header, int online) {
    if (header.primaryAdBase.empty() || online == 0 || header.adFlag == 0)
        return {};
    return header.primaryAdBase + "/ad.htm";
}
