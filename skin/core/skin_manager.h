// The toolkit's one registry: the current skin, every skinned window with its skinner, and
// the control type of each window class the skinners serve.
#pragma once

#include "skin/core/skin_data.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

class SkinWnd;

class SkinManager {
public:
    static SkinManager& Instance();

    SkinManager();
    ~SkinManager();
    SkinManager(const SkinManager&) = delete;
    SkinManager& operator=(const SkinManager&) = delete;

    void Lock() { m_lock.lock(); }
    void Unlock() { m_lock.unlock(); }

    // Read without the lock: painters ask for it on every paint.
    SkinData* GetSkin() const { return m_skin.load(); }
    // Makes the skin current and re-skins every registered window; 0 for a null skin.
    int SetSkin(std::unique_ptr<SkinData> skin);

    // A dialog-frame skinner for the window, with the current skin's object of that name.
    int SkinDialog(HWND window, const char* objectName);
    // A frame-window skinner (menu bar, MDI client) for the window, with the current skin's
    // object of that name.
    int SkinWindow(HWND window, const char* objectName);
    // A toolbar skinner, with the current skin's toolbar object, for a toolbar that floats in a
    // window nothing skinned holds; 0 when the window has a skinner already or cannot be
    // skinned.
    int SkinToolbar(HWND window);

    // Adds the skinner when the window has none; a refused skinner is deleted. Returns the
    // registered skinner of the window.
    SkinWnd* Register(std::unique_ptr<SkinWnd> skinner, HWND window);
    // 1 when added; 0 when the window has a skinner already (the new one is deleted).
    int RegisterChild(std::unique_ptr<SkinWnd> skinner, HWND window);
    // Detaches, forgets and deletes the window's skinner; 0 when it has none.
    int Remove(HWND window);
    // The window's own skinner, else that of its nearest registered ancestor through child
    // windows; null at the first window that is neither registered nor a child.
    SkinWnd* FindForWindow(HWND window);
    SkinWnd* Find(HWND window);
    // Shut-down: every skinner detached and deleted; an empty skin becomes current.
    void RemoveAll();
    // Deletes every skinner without detaching it.
    void DeleteAll();

    // The control type of a window class name, 0 for a class the skinners do not serve.
    std::uint32_t ControlTypeOfClass(const std::string& className) const;
    // The current skin's first top-level object of that type whose CONTROLID is the id.
    SkinObject* FindObjectByControlId(std::uint32_t controlId, std::uint32_t type);

    std::size_t RegisteredCount();

private:
    using Guard = std::lock_guard<std::recursive_mutex>;
    void ForgetEverywhere(HWND window);
    void DispatchPendingFonts();

    std::recursive_mutex m_lock;
    std::map<HWND, std::unique_ptr<SkinWnd>> m_windows;
    std::set<HWND> m_removing;
    std::map<std::string, std::uint32_t> m_classTypes;
    std::atomic<SkinData*> m_skin{nullptr};
    std::unique_ptr<SkinData> m_ownedSkin;
};
