// A static control that looks and acts like a web link and opens its target with the shell,
// falling back to the registered HTML handler.
#pragma once

#include "mfc/mfc.h"

#include <optional>

// The handler program and its parameters, with the target as one quoted argument in place of
// the placeholder; nothing when the command has no program or the target could break out of
// its quotes.
struct LinkCommand {
    CString program;
    CString parameters;
};
std::optional<LinkCommand> BuildLinkCommand(const CString& registeredCommand,
                                            const CString& target);

class CHyperLink : public CStatic {
public:
    enum : unsigned {
        kHighlightOnHover = 0x2,
        kFollowOnButtonDown = 0x8,
        kFocusOnClick = 0x10,
        kNoActiveColour = 0x40,
    };
    static COLORREF s_crLinkColour;
    static COLORREF s_crVisitedColour;
    static COLORREF s_crActiveColour;
    static COLORREF s_crHoverColour;
    static HCURSOR s_hLinkCursor;

    CHyperLink() = default;

    void SetURL(const CString& target) { m_strURL = target; }
    const CString& GetURL() const { return m_strURL; }
    void SetLinkStyle(unsigned style) { m_uStyle = style; }
    bool IsVisited() const { return m_bVisited; }

    // The shell's result; above 32 is success.
    static HINSTANCE GotoURL(LPCTSTR target, int show);
    static CString ReasonForCode(int code);
    void FollowLink();

protected:
    afx_msg HBRUSH CtlColor(CDC* dc, UINT colourKind);
    afx_msg LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    bool m_bActive = false;
    bool m_bOver = false;
    bool m_bVisited = false;
    unsigned m_uStyle = 0;
    CString m_strURL;
};
