// Reading and driving the icon lists of the media and music dialogs as a person sees them.
#pragma once

#include "settings/controls/icon_list_box.h"

#include <string>

namespace dlgdrive {

class IconList {
public:
    explicit IconList(HWND list);

    HWND hwnd() const { return m_hwnd; }
    CIconListBox& box() const { return *m_list; }
    int Count() const { return m_list->GetCount(); }
    int Selected() const { return m_list->GetCurSel(); }
    std::string Text(int index) const;
    template <class T> T* Record(int index) const { return m_list->GetItemRecord<T>(index); }

    // Scrolls with the wheel until the item is wholly in view; its client rectangle.
    RECT ShowItem(int index) const;
    // Clicks the middle of the item's text.
    void ClickItem(int index) const;
    // The colour of the item's icon at (x, y) of the icon, as the list shows it.
    COLORREF IconPixel(int index, int x, int y) const;

private:
    HWND m_hwnd;
    CIconListBox* m_list;
};

} // namespace dlgdrive
