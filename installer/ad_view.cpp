#include "installer/ad_view.h"

#include <cstdio>

void CADView::Navigate2(const std::string& address) {
    m_address = address;
    std::printf("Advert page %s: this build cannot show web pages.\n", address.c_str());
    std::fflush(stdout);
}

BEGIN_MESSAGE_MAP(CADView, CWnd)
END_MESSAGE_MAP()
