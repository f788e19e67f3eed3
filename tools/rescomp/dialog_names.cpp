#include "dialog_names.h"

#include "win32/animate.h"
#include "win32/controls.h"
#include "win32/dialog.h"
#include "win32/list_view.h"
#include "win32/scroll_bar.h"
#include "win32/trackbar.h"
#include "win32/tree_view.h"

#include <strings.h>

namespace rescomp {
namespace {

struct Named {
    std::string_view name;
    std::uint32_t value;
};

#define LV_NAMED(x)                                                                                \
    { #x, static_cast < std::uint32_t>(x) }

constexpr Named kStyles[] = {
    // windows
    LV_NAMED(WS_POPUP),
    LV_NAMED(WS_CHILD),
    LV_NAMED(WS_VISIBLE),
    LV_NAMED(WS_DISABLED),
    LV_NAMED(WS_CLIPSIBLINGS),
    LV_NAMED(WS_CLIPCHILDREN),
    LV_NAMED(WS_CAPTION),
    LV_NAMED(WS_BORDER),
    LV_NAMED(WS_DLGFRAME),
    LV_NAMED(WS_VSCROLL),
    LV_NAMED(WS_HSCROLL),
    LV_NAMED(WS_SYSMENU),
    LV_NAMED(WS_THICKFRAME),
    LV_NAMED(WS_GROUP),
    LV_NAMED(WS_TABSTOP),
    LV_NAMED(WS_MINIMIZEBOX),
    LV_NAMED(WS_MAXIMIZEBOX),
    LV_NAMED(WS_OVERLAPPED),
    // extended
    LV_NAMED(WS_EX_DLGMODALFRAME),
    LV_NAMED(WS_EX_NOPARENTNOTIFY),
    LV_NAMED(WS_EX_TOPMOST),
    LV_NAMED(WS_EX_TRANSPARENT),
    LV_NAMED(WS_EX_TOOLWINDOW),
    LV_NAMED(WS_EX_WINDOWEDGE),
    LV_NAMED(WS_EX_CLIENTEDGE),
    LV_NAMED(WS_EX_CONTROLPARENT),
    LV_NAMED(WS_EX_STATICEDGE),
    LV_NAMED(WS_EX_APPWINDOW),
    // dialogs
    LV_NAMED(DS_ABSALIGN),
    LV_NAMED(DS_SYSMODAL),
    LV_NAMED(DS_SETFONT),
    LV_NAMED(DS_MODALFRAME),
    LV_NAMED(DS_NOIDLEMSG),
    LV_NAMED(DS_SETFOREGROUND),
    LV_NAMED(DS_3DLOOK),
    LV_NAMED(DS_FIXEDSYS),
    LV_NAMED(DS_CONTROL),
    LV_NAMED(DS_CENTER),
    LV_NAMED(DS_CENTERMOUSE),
    // buttons
    LV_NAMED(BS_PUSHBUTTON),
    LV_NAMED(BS_DEFPUSHBUTTON),
    LV_NAMED(BS_CHECKBOX),
    LV_NAMED(BS_AUTOCHECKBOX),
    LV_NAMED(BS_RADIOBUTTON),
    LV_NAMED(BS_3STATE),
    LV_NAMED(BS_AUTO3STATE),
    LV_NAMED(BS_GROUPBOX),
    LV_NAMED(BS_AUTORADIOBUTTON),
    LV_NAMED(BS_OWNERDRAW),
    LV_NAMED(BS_LEFTTEXT),
    LV_NAMED(BS_ICON),
    LV_NAMED(BS_BITMAP),
    LV_NAMED(BS_LEFT),
    LV_NAMED(BS_RIGHT),
    LV_NAMED(BS_CENTER),
    LV_NAMED(BS_TOP),
    LV_NAMED(BS_BOTTOM),
    LV_NAMED(BS_VCENTER),
    LV_NAMED(BS_PUSHLIKE),
    LV_NAMED(BS_MULTILINE),
    LV_NAMED(BS_NOTIFY),
    LV_NAMED(BS_FLAT),
    // statics
    LV_NAMED(SS_LEFT),
    LV_NAMED(SS_CENTER),
    LV_NAMED(SS_RIGHT),
    LV_NAMED(SS_ICON),
    LV_NAMED(SS_BLACKRECT),
    LV_NAMED(SS_GRAYRECT),
    LV_NAMED(SS_WHITERECT),
    LV_NAMED(SS_BLACKFRAME),
    LV_NAMED(SS_GRAYFRAME),
    LV_NAMED(SS_WHITEFRAME),
    LV_NAMED(SS_SIMPLE),
    LV_NAMED(SS_LEFTNOWORDWRAP),
    LV_NAMED(SS_OWNERDRAW),
    LV_NAMED(SS_BITMAP),
    LV_NAMED(SS_ETCHEDHORZ),
    LV_NAMED(SS_ETCHEDVERT),
    LV_NAMED(SS_ETCHEDFRAME),
    LV_NAMED(SS_NOPREFIX),
    LV_NAMED(SS_NOTIFY),
    LV_NAMED(SS_CENTERIMAGE),
    LV_NAMED(SS_RIGHTJUST),
    LV_NAMED(SS_REALSIZEIMAGE),
    LV_NAMED(SS_SUNKEN),
    LV_NAMED(SS_ENDELLIPSIS),
    // edits
    LV_NAMED(ES_LEFT),
    LV_NAMED(ES_CENTER),
    LV_NAMED(ES_RIGHT),
    LV_NAMED(ES_MULTILINE),
    LV_NAMED(ES_UPPERCASE),
    LV_NAMED(ES_LOWERCASE),
    LV_NAMED(ES_PASSWORD),
    LV_NAMED(ES_AUTOVSCROLL),
    LV_NAMED(ES_AUTOHSCROLL),
    LV_NAMED(ES_NOHIDESEL),
    LV_NAMED(ES_READONLY),
    LV_NAMED(ES_WANTRETURN),
    LV_NAMED(ES_NUMBER),
    // list boxes
    LV_NAMED(LBS_NOTIFY),
    LV_NAMED(LBS_SORT),
    LV_NAMED(LBS_NOREDRAW),
    LV_NAMED(LBS_MULTIPLESEL),
    LV_NAMED(LBS_OWNERDRAWFIXED),
    LV_NAMED(LBS_OWNERDRAWVARIABLE),
    LV_NAMED(LBS_HASSTRINGS),
    LV_NAMED(LBS_USETABSTOPS),
    LV_NAMED(LBS_NOINTEGRALHEIGHT),
    LV_NAMED(LBS_WANTKEYBOARDINPUT),
    LV_NAMED(LBS_DISABLENOSCROLL),
    LV_NAMED(LBS_NOSEL),
    // combo boxes
    LV_NAMED(CBS_SIMPLE),
    LV_NAMED(CBS_DROPDOWN),
    LV_NAMED(CBS_DROPDOWNLIST),
    LV_NAMED(CBS_OWNERDRAWFIXED),
    LV_NAMED(CBS_OWNERDRAWVARIABLE),
    LV_NAMED(CBS_AUTOHSCROLL),
    LV_NAMED(CBS_SORT),
    LV_NAMED(CBS_HASSTRINGS),
    LV_NAMED(CBS_NOINTEGRALHEIGHT),
    // up-down and progress
    LV_NAMED(UDS_WRAP),
    LV_NAMED(UDS_SETBUDDYINT),
    LV_NAMED(UDS_ALIGNRIGHT),
    LV_NAMED(UDS_ALIGNLEFT),
    LV_NAMED(UDS_AUTOBUDDY),
    LV_NAMED(UDS_ARROWKEYS),
    LV_NAMED(UDS_HORZ),
    LV_NAMED(UDS_NOTHOUSANDS),
    LV_NAMED(PBS_SMOOTH),
    LV_NAMED(PBS_VERTICAL),
    // animation
    LV_NAMED(ACS_CENTER),
    LV_NAMED(ACS_TRANSPARENT),
    LV_NAMED(ACS_AUTOPLAY),
    // scroll bars, trackbars, tree and list views
    LV_NAMED(SBS_HORZ),
    LV_NAMED(SBS_VERT),
    LV_NAMED(SBS_SIZEBOX),
    LV_NAMED(SBS_SIZEGRIP),
    LV_NAMED(TBS_AUTOTICKS),
    LV_NAMED(TBS_VERT),
    LV_NAMED(TBS_TOP),
    LV_NAMED(TBS_BOTH),
    LV_NAMED(TBS_NOTICKS),
    LV_NAMED(TBS_ENABLESELRANGE),
    LV_NAMED(TBS_NOTHUMB),
    LV_NAMED(TVS_HASBUTTONS),
    LV_NAMED(TVS_HASLINES),
    LV_NAMED(TVS_LINESATROOT),
    LV_NAMED(TVS_SHOWSELALWAYS),
    LV_NAMED(TVS_FULLROWSELECT),
    LV_NAMED(LVS_REPORT),
    LV_NAMED(LVS_LIST),
    LV_NAMED(LVS_SINGLESEL),
    LV_NAMED(LVS_SHOWSELALWAYS),
    LV_NAMED(LVS_SORTASCENDING),
    LV_NAMED(LVS_NOCOLUMNHEADER),
};

constexpr Named kIds[] = {
    LV_NAMED(IDOK),  LV_NAMED(IDCANCEL), LV_NAMED(IDABORT), LV_NAMED(IDRETRY), LV_NAMED(IDIGNORE),
    LV_NAMED(IDYES), LV_NAMED(IDNO),     LV_NAMED(IDCLOSE), LV_NAMED(IDHELP),
};

#undef LV_NAMED

constexpr Named kClasses[] = {
    {"Button", 0x80},  {"Edit", 0x81},      {"Static", 0x82},
    {"ListBox", 0x83}, {"ScrollBar", 0x84}, {"ComboBox", 0x85},
};

template <std::size_t N>
std::optional<std::uint32_t> lookup(const Named (&table)[N], std::string_view name) {
    for (const Named& entry : table) {
        if (entry.name.size() == name.size() &&
            strncasecmp(entry.name.data(), name.data(), name.size()) == 0)
            return entry.value;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::uint32_t> style_value(std::string_view name) {
    return lookup(kStyles, name);
}

std::optional<std::uint16_t> control_id_value(std::string_view name) {
    if (const auto value = lookup(kIds, name))
        return static_cast<std::uint16_t>(*value);
    return std::nullopt;
}

std::uint16_t predefined_class_atom(std::string_view name) {
    return static_cast<std::uint16_t>(lookup(kClasses, name).value_or(0));
}

} // namespace rescomp
