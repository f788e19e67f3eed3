// "Link Window": its window text, where <a href="..." id="...">label</a> marks links, drawn on
// one line with the links underlined in the link colour. A click on a link sends NM_CLICK with
// the link's index, id and address.
#include "win32/link_control.h"
#include "controls/control_support.h"
#include "controls/item_control_classes.h"
#include "controls/paint_message.h"
#include "util/utf16.h"

#include <algorithm>
#include <vector>

namespace lv::controls {
namespace {

struct Segment {
    std::string text;
    int link = -1; // index among the links, -1 for plain text
    std::string id;
    std::string url;
    RECT rect{};
};

struct LinkState {
    std::vector<Segment> segments;
    HFONT font = nullptr;
    HFONT underlined = nullptr;
};

// The value of attribute `name` in an <a ...> tag's inside.
std::string attribute(const std::string& tag, const std::string& name) {
    const std::string lower = [&] {
        std::string t = tag;
        std::transform(t.begin(), t.end(), t.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return t;
    }();
    const std::size_t at = lower.find(name + "=");
    if (at == std::string::npos)
        return {};
    std::size_t start = at + name.size() + 1;
    if (start < tag.size() && (tag[start] == '"' || tag[start] == '\'')) {
        const char quote = tag[start++];
        const std::size_t end = tag.find(quote, start);
        return tag.substr(start, end == std::string::npos ? std::string::npos : end - start);
    }
    const std::size_t end = tag.find_first_of(" \t", start);
    return tag.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

bool starts_with_ignoring_case(const std::string& text, std::size_t at, const char* prefix) {
    for (std::size_t i = 0; prefix[i]; ++i) {
        if (at + i >= text.size() ||
            std::tolower(static_cast<unsigned char>(text[at + i])) != prefix[i])
            return false;
    }
    return true;
}

std::vector<Segment> parse(const std::string& text) {
    std::vector<Segment> out;
    Segment current;
    int links = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const bool opening = starts_with_ignoring_case(text, i, "<a") && i + 2 < text.size() &&
                             (text[i + 2] == '>' || text[i + 2] == ' ');
        const std::size_t close = opening ? text.find('>', i) : std::string::npos;
        if (opening && close != std::string::npos) {
            const std::size_t end = text.find("</", close);
            if (!current.text.empty())
                out.push_back(current);
            current = Segment{};
            Segment link;
            const std::string tag = text.substr(i + 2, close - i - 2);
            link.url = attribute(tag, "href");
            link.id = attribute(tag, "id");
            link.link = links++;
            link.text = text.substr(close + 1,
                                    end == std::string::npos ? std::string::npos : end - close - 1);
            out.push_back(link);
            if (end == std::string::npos)
                return out;
            const std::size_t after = text.find('>', end);
            i = after == std::string::npos ? text.size() : after + 1;
            continue;
        }
        current.text += text[i++];
    }
    if (!current.text.empty())
        out.push_back(current);
    return out;
}

void make_fonts(LinkState& s) {
    if (s.underlined)
        DeleteObject(s.underlined);
    LOGFONTA log{};
    GetObjectA(font_or_default(s.font), sizeof log, &log);
    log.lfUnderline = TRUE;
    s.underlined = CreateFontIndirectA(&log);
}

void paint(HWND hwnd, HDC dc, LinkState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    if (!(style_of(hwnd) & LWS_TRANSPARENT))
        FillRect(dc, &client, parent_brush(hwnd, dc, WM_CTLCOLORSTATIC));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, font_or_default(s.font));
    const COLORREF text_colour = GetTextColor(dc);
    int x = 0;
    for (Segment& seg : s.segments) {
        const bool link = seg.link >= 0;
        SelectObject(dc, link ? s.underlined : font_or_default(s.font));
        SetTextColor(dc, link ? GetSysColor(COLOR_HOTLIGHT) : text_colour);
        SIZE size{};
        GetTextExtentPoint32A(dc, seg.text.c_str(), static_cast<int>(seg.text.size()), &size);
        seg.rect = RECT{x, 0, x + size.cx, size.cy};
        TextOutA(dc, x, 0, seg.text.c_str(), static_cast<int>(seg.text.size()));
        x += size.cx;
    }
    SelectObject(dc, old);
}

void copy_wide(const std::string& text, WCHAR* out, std::size_t size) {
    const std::u16string wide = lv::utf8_to_utf16(text);
    const std::size_t count = std::min(wide.size(), size - 1);
    std::copy_n(wide.begin(), count, out);
    out[count] = 0;
}

LRESULT on_click(HWND hwnd, const LinkState& s, POINT p) {
    for (const Segment& seg : s.segments) {
        if (seg.link < 0 || !PtInRect(&seg.rect, p))
            continue;
        NMLINK click{};
        click.item.mask = LIF_ITEMINDEX | LIF_ITEMID | LIF_URL;
        click.item.iLink = seg.link;
        copy_wide(seg.id, click.item.szID, MAX_LINKID_TEXT);
        copy_wide(seg.url, click.item.szUrl, L_MAX_URL_LENGTH);
        notify_parent(hwnd, click.hdr, NM_CLICK);
        return 0;
    }
    return 0;
}

LRESULT CALLBACK link_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<LinkState>(hwnd);
    LinkState* s = state_of<LinkState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCDESTROY:
        if (s->underlined)
            DeleteObject(s->underlined);
        destroy_state<LinkState>(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_CREATE:
        s->segments = parse(text_of(hwnd));
        make_fonts(*s);
        return 0;
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
        s->segments = parse(text_of(hwnd));
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_message(hwnd, reinterpret_cast<HDC>(wParam),
                             [&](HDC dc) { paint(hwnd, dc, *s); });
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        make_fonts(*s);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_LBUTTONUP:
        return on_click(hwnd, *s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_SETCURSOR:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_link_class() {
    register_system_class(WC_LINKA, link_proc, 0, nullptr);
}

} // namespace lv::controls
