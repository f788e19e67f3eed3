// Tying a window to its skinner and back, and skinning its child controls.
#include "skin/skinners/skin_wnd.h"

#include "skin/core/frame_text_skin.h"
#include "skin/core/nine_part_frame_skin.h"
#include "skin/core/skin_info.h"
#include "skin/core/skin_manager.h"
#include "skin/skinners/skin_caption_button.h"
#include "skin/skinners/skin_text_element.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kCaptionButtonType = 3;
constexpr std::uint32_t kTextElementType = 38;
constexpr std::uint32_t kLinkType = 41;
constexpr std::uint32_t kStaticType = 14;
constexpr std::uint32_t kListBoxType = 9;
constexpr UINT kFrameChangedQuietly =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

std::string ClassNameOf(HWND hwnd) {
    char name[101] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

// The class-table name of a "Button" by its style, tested in this order on the whole word.
const char* ButtonKind(DWORD style) {
    if ((style & 7) == 7)
        return "GroupBox";
    if ((style & 2) == 2 || (style & 3) == 3 || (style & 5) == 5)
        return "CheckBox";
    if ((style & 4) == 4 || (style & 9) == 9)
        return "Radio";
    return "Button";
}

} // namespace

std::uint32_t SkinWnd::GetControlType(HWND hwnd) {
    std::string name = ClassNameOf(hwnd);
    if (name == "Button")
        name = ButtonKind(static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)));
    if (name == "ComboLBox") {
        // Only the always-open list of a simple combo box is a list of its own.
        const auto comboStyle = static_cast<DWORD>(GetWindowLongA(GetParent(hwnd), GWL_STYLE));
        return (comboStyle & 1) && (comboStyle & 3) != 3 ? kListBoxType : 0;
    }
    return SkinManager::Instance().ControlTypeOfClass(name);
}

LONG_PTR SkinWnd::Attach(HWND hwnd) {
    m_hwnd = hwnd;
    SkinChildren(hwnd);
    // A skinner that left its procedure in the chain before: this one takes its place there.
    auto passOn = reinterpret_cast<WNDPROC>(RemovePropA(hwnd, kPassOnProperty));
    m_savedProc =
        passOn ? passOn : reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    SetPropA(hwnd, kObjectProperty, this);
    m_active = GetActiveWindow() == hwnd;
    UpdateCaptionButtons(static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)));
    const LONG_PTR result =
        passOn ? reinterpret_cast<LONG_PTR>(&SkinWndProc)
               : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinWndProc));
    if (result && Object())
        RedrawWindow(hwnd, nullptr, nullptr,
                     RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    return result;
}

void SkinWnd::UnskinChildren(HWND parent) {
    SkinManager& manager = SkinManager::Instance();
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        UnskinChildren(child);
        manager.Remove(child);
        m_children.erase(child);
    }
}

int SkinWnd::Detach() {
    StopElementTimers();
    SkinManager& manager = SkinManager::Instance();
    if (m_hwnd)
        UnskinChildren(m_hwnd);
    // Controls that left this window's tree still have their skinners: they go too.
    std::vector<HWND> leftovers;
    for (const auto& [hwnd, skinner] : m_children)
        leftovers.push_back(hwnd);
    for (HWND hwnd : leftovers)
        manager.Remove(hwnd);
    m_children.clear();
    if (!m_savedProc)
        return 0;
    if (m_hasRegion)
        SetRegion(nullptr, FALSE);
    const bool onTop =
        GetWindowLongPtrA(m_hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SkinWndProc);
    if (onTop)
        SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_savedProc));
    else
        // Another procedure subclassed the window after this skinner and calls it on: the
        // skinner's procedure stays in the chain and passes everything on from now on.
        SetPropA(m_hwnd, kPassOnProperty, reinterpret_cast<HANDLE>(m_savedProc));
    if (!m_beingDestroyed)
        SetWindowPos(m_hwnd, nullptr, 0, 0, 0, 0, kFrameChangedQuietly);
    const int removed = RemovePropA(m_hwnd, kObjectProperty) ? 1 : 0;
    m_savedProc = nullptr;
    m_hwnd = nullptr;
    return removed;
}

void SkinWnd::SetRegion(HRGN region, BOOL redraw) {
    if (!m_hwnd)
        return;
    // The window owns the region from here on and deletes the one it had.
    SetWindowRgn(m_hwnd, region, redraw);
    m_hasRegion = region != nullptr;
}

void SkinWnd::DeleteElements() {
    m_elements.clear();
}

void SkinWnd::StopElementTimers() {
    for (auto& element : m_elements)
        element->StopTimers();
}

SkinObject* SkinWnd::ApplySkin(SkinObject* object) {
    SkinObject* previous = SkinObjectUser::ApplySkin(object);
    const SkinTransparency transparency = TransparencyOf(SkinManager::Instance().GetSkin());
    m_transparent = transparency.enabled;
    m_keyColor = transparency.key;
    DeleteElements();
    if (!object)
        return previous;
    m_windowDrawsCaption = true;
    for (const auto& [name, child] : object->Children()) {
        std::unique_ptr<SkinElement> element;
        if (child->GetType() == kCaptionButtonType) {
            element = std::make_unique<SkinCaptionButton>(child->rect, this, child.get());
        } else if (child->GetType() == kTextElementType) {
            auto text = std::make_unique<SkinTextElement>(child->rect, this, child.get());
            if (text->ShowsWindowTitle())
                m_windowDrawsCaption = false;
            element = std::move(text);
        }
        if (!element)
            continue;
        SkinElement* added = m_elements.emplace_back(std::move(element)).get();
        added->ApplySkin(child.get());
    }
    m_frameSize = SIZE{};
    if (m_hwnd) {
        SkinChildren(m_hwnd);
        UpdateCaptionButtons(static_cast<DWORD>(GetWindowLongA(m_hwnd, GWL_STYLE)));
    }
    if (const NinePartFrameSkin* frame = Frame())
        for (int i = 0; i < NinePartFrameSkin::kPartCount; ++i)
            m_parts[i] = frame->GetPartRect(i);
    return previous;
}

void SkinWnd::SkinChildren(HWND hwnd) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (HWND child : children)
        SkinChild(child);
}

int SkinWnd::SkinChild(HWND hwnd) {
    SkinChildren(hwnd);
    const std::uint32_t type = GetControlType(hwnd);
    if (type == 0)
        return 0;
    SkinManager& manager = SkinManager::Instance();
    SkinData* skin = manager.GetSkin();
    SkinObject* object =
        skin ? skin->FindElementByType(type == kLinkType ? kStaticType : type) : nullptr;
    auto known = m_children.find(hwnd);
    if (!object) {
        if (known != m_children.end())
            m_children.erase(known);
        manager.Remove(hwnd);
        return 1;
    }
    if (known != m_children.end()) {
        if (known->second->GetHwnd() == hwnd)
            known->second->ApplySkin(object);
        else
            m_children.erase(known);
        return 1;
    }
    std::unique_ptr<SkinWnd> skinner = CreateControlSkin(type);
    if (!skinner)
        return 1;
    SkinWnd* added = skinner.get();
    if (!manager.RegisterChild(std::move(skinner), hwnd))
        return 1;
    added->ApplySkin(object);
    m_children[hwnd] = added;
    added->Attach(hwnd);
    return 1;
}
