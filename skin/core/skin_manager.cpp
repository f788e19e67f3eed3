#include "skin/core/skin_manager.h"

#include "skin/core/control_skin.h"
#include "skin/core/frame_skin.h"

#include "skin/skinners/skin_dialog_wnd.h"
#include "skin/skinners/skin_frame_wnd.h"
#include "skin/skinners/skin_messages.h"
#include "skin/skinners/skin_tool_bar_wnd.h"

#include <vector>

namespace {

// The window class names the skinners serve, with their control type ids. "GroupBox",
// "Radio" and "CheckBox" are buttons told apart by their style.
constexpr std::pair<const char*, std::uint32_t> kClassTypes[] = {
    {"msctls_statusbar32", 15},
    {"ToolbarWindow32", 23},
    {"AfxControlBar42sd", 24},
    {"AfxControlBar42s", 24},
    {"AfxControlBar42", 24},
    {"AfxControlBar42d", 24},
    {"Static", 14},
    {"Button", 4},
    {"GroupBox", 8},
    {"Radio", 11},
    {"CheckBox", 5},
    {"ScrollBar", 12},
    {"msctls_progress32", 10},
    {"msctls_updown32", 27},
    {"msctls_trackbar32", 13},
    {"ComboBox", 6},
    {"SysTabControl32", 16},
    {"Edit", 7},
    {"SysListView32", 28},
    {"ListBox", 9},
    {"SysTreeView32", 29},
    {"RICHEDIT", 30},
    {"SysIPAddress32", 26},
    {"SysHeader32", 37},
    {"ReBarWindow32", 36},
    {"SysAnimate32", 40},
    {"AfxControlBar70", 24},
    {"AfxControlBar70d", 24},
    {"AfxControlBar70s", 24},
    {"AfxControlBar70sd", 24},
    {"Link Window", 41},
};

} // namespace

SkinManager& SkinManager::Instance() {
    static SkinManager instance;
    return instance;
}

SkinManager::SkinManager() : m_ownedSkin(std::make_unique<SkinData>()) {
    for (const auto& [name, type] : kClassTypes)
        m_classTypes.emplace(name, type);
    m_skin = m_ownedSkin.get();
}

SkinManager::~SkinManager() {
    DeleteAll();
    m_skin = nullptr;
}

std::uint32_t SkinManager::ControlTypeOfClass(const std::string& className) const {
    const auto found = m_classTypes.find(className);
    return found == m_classTypes.end() ? 0 : found->second;
}

SkinWnd* SkinManager::Find(HWND window) {
    Guard guard(m_lock);
    const auto found = m_windows.find(window);
    return found == m_windows.end() ? nullptr : found->second.get();
}

std::size_t SkinManager::RegisteredCount() {
    Guard guard(m_lock);
    return m_windows.size();
}

SkinWnd* SkinManager::Register(std::unique_ptr<SkinWnd> skinner, HWND window) {
    Guard guard(m_lock);
    auto [at, added] = m_windows.try_emplace(window, std::move(skinner));
    return at->second.get();
}

int SkinManager::RegisterChild(std::unique_ptr<SkinWnd> skinner, HWND window) {
    Guard guard(m_lock);
    return m_windows.try_emplace(window, std::move(skinner)).second ? 1 : 0;
}

int SkinManager::SkinDialog(HWND window, const char* objectName) {
    Guard guard(m_lock);
    SkinObject* object = GetSkin()->FindElement(objectName);
    if (!window || m_windows.count(window) || !object)
        return 0;
    SkinWnd* skinner = Register(std::make_unique<SkinDialogWnd>(), window);
    skinner->ApplySkin(object);
    skinner->Attach(window);
    return 1;
}

int SkinManager::SkinWindow(HWND window, const char* objectName) {
    Guard guard(m_lock);
    // Without a name, the first frame object in name order; a name must be a frame object.
    SkinObject* object = objectName ? GetSkin()->FindElement(objectName)
                                    : GetSkin()->FindElementByType(FrameSkin::kTypeId);
    if (!window || m_windows.count(window) || !object || object->GetType() != FrameSkin::kTypeId)
        return 0;
    SkinWnd* skinner = Register(std::make_unique<SkinFrameWnd>(), window);
    skinner->ApplySkin(object);
    if (!skinner->Attach(window)) {
        m_windows.erase(window);
        return 0;
    }
    return 1;
}

int SkinManager::SkinToolbar(HWND window) {
    Guard guard(m_lock);
    SkinObject* object = GetSkin()->FindElementByType(ToolBarSkin::kTypeId);
    if (!window || m_windows.count(window) || !object)
        return 0;
    auto skinner = std::make_unique<SkinToolBarWnd>(nullptr);
    SkinToolBarWnd* added = skinner.get();
    added->ApplySkin(object);
    if (!RegisterChild(std::move(skinner), window))
        return 0;
    if (!added->Attach(window)) {
        // Only this window's entry goes, and the skinner with it, once.
        m_windows.erase(window);
        return 0;
    }
    return 1;
}

void SkinManager::ForgetEverywhere(HWND window) {
    for (auto& [hwnd, skinner] : m_windows)
        skinner->ForgetChild(window);
}

int SkinManager::Remove(HWND window) {
    Guard guard(m_lock);
    if (m_removing.count(window))
        return 0;
    const auto found = m_windows.find(window);
    if (found == m_windows.end())
        return 0;
    SkinWnd* skinner = found->second.get();
    m_removing.insert(window);
    skinner->Detach();
    m_removing.erase(window);
    // Detaching may have removed other windows: the entry is looked up again.
    std::unique_ptr<SkinWnd> owned;
    if (auto again = m_windows.find(window);
        again != m_windows.end() && again->second.get() == skinner) {
        owned = std::move(again->second);
        m_windows.erase(again);
    }
    // No child map keeps the skinner once it is gone.
    ForgetEverywhere(window);
    return 1;
}

SkinWnd* SkinManager::FindForWindow(HWND window) {
    Guard guard(m_lock);
    for (HWND at = window; at;) {
        if (const auto found = m_windows.find(at); found != m_windows.end())
            return found->second.get();
        if (!(GetWindowLongA(at, GWL_STYLE) & WS_CHILD))
            return nullptr;
        at = GetParent(at);
    }
    return nullptr;
}

SkinObject* SkinManager::FindObjectByControlId(std::uint32_t controlId, std::uint32_t type) {
    SkinData* skin = GetSkin();
    skin->Lock();
    SkinObject* found = nullptr;
    for (const auto& [name, object] : skin->Objects()) {
        const auto* control = dynamic_cast<const ControlSkin*>(object.get());
        if (control && object->GetType() == type && control->controlId == controlId) {
            found = object.get();
            break;
        }
    }
    skin->Unlock();
    return found;
}

void SkinManager::DispatchPendingFonts() {
    // Fonts posted to skinned controls belong to the skin that posted them: they are taken
    // before that skin goes.
    MSG message{};
    for (UINT kind : {GWM_SAVEFONT, static_cast<UINT>(WM_SETFONT)})
        while (PeekMessageA(&message, nullptr, kind, kind, PM_REMOVE))
            DispatchMessageA(&message);
}

int SkinManager::SetSkin(std::unique_ptr<SkinData> skin) {
    if (!skin)
        return 0;
    Guard guard(m_lock);
    const BOOL locked = LockWindowUpdate(GetDesktopWindow());
    std::unique_ptr<SkinData> old = std::move(m_ownedSkin);
    m_ownedSkin = std::move(skin);
    m_skin = m_ownedSkin.get();

    std::vector<HWND> windows;
    for (const auto& [hwnd, skinner] : m_windows)
        windows.push_back(hwnd);
    std::vector<HWND> unserved;
    for (HWND hwnd : windows) {
        SkinWnd* skinner = Find(hwnd);
        if (!skinner)
            continue;
        const std::string name(skinner->GetName());
        SkinObject* object = m_skin.load()->FindElement(name.c_str());
        if (!object)
            object = m_skin.load()->FindElementByType(skinner->GetType());
        if (object)
            skinner->ApplySkin(object);
        else if (!skinner->KeepsWithoutElement())
            unserved.push_back(hwnd);
    }
    for (HWND hwnd : unserved)
        Remove(hwnd);
    // A skinner that now serves another window than its entry's is dropped.
    std::vector<HWND> stale;
    for (const auto& [hwnd, skinner] : m_windows)
        if (skinner->GetHwnd() != hwnd)
            stale.push_back(hwnd);
    for (HWND hwnd : stale) {
        const auto found = m_windows.find(hwnd);
        if (found == m_windows.end())
            continue;
        std::unique_ptr<SkinWnd> skinner = std::move(found->second);
        m_windows.erase(found);
        if (skinner->GetHwnd() &&
            GetPropA(skinner->GetHwnd(), SkinWnd::kObjectProperty) == skinner.get())
            skinner->Detach();
        ForgetEverywhere(hwnd);
    }
    DispatchPendingFonts();
    old.reset();
    if (locked)
        LockWindowUpdate(nullptr);
    return 1;
}

void SkinManager::RemoveAll() {
    Guard guard(m_lock);
    std::vector<HWND> windows;
    for (const auto& [hwnd, skinner] : m_windows)
        windows.push_back(hwnd);
    for (HWND hwnd : windows)
        if (SkinWnd* skinner = Find(hwnd))
            skinner->Detach();
    DeleteAll();
    DispatchPendingFonts();
    m_ownedSkin = std::make_unique<SkinData>();
    m_skin = m_ownedSkin.get();
}

void SkinManager::DeleteAll() {
    Guard guard(m_lock);
    std::map<HWND, std::unique_ptr<SkinWnd>> gone;
    gone.swap(m_windows);
    gone.clear();
}
