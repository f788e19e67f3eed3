// The advert view. The platform cannot render web pages, so the view keeps the address it is
// asked to show and tells the user where the page is instead: on standard output and in its
// own window.
#pragma once

#include "mfc/mfc.h"

#include <string>

class CADView : public CWnd {
public:
    void Navigate2(const std::string& address);
    const std::string& GetLocationURL() const { return m_address; }

    // Called once a page has loaded; no page ever loads here.
    virtual void OnDocumentComplete(const std::string& address) {}

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    std::string Notice() const;

    std::string m_address;
};
