#include "saver/mode_dispatch.h"

#include "saver/saver_app.h"
#include "saver/saver_wnd.h"
#include "saver/theme_globals.h"
#include "saver/theme_loader.h"
#include "settings/dialogs/settings_dlg.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

CString FileLine(const CString& name) {
    CString line;
    ULONGLONG extracted = 0;
    if (ExtractedFileSize(WorkFolder, name, extracted)) {
        line.Format("  %s (%llu bytes)\n", static_cast<LPCTSTR>(name), extracted);
        return line;
    }
    CString path = WorkFolder + "\\" + name;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE) {
        line.Format("  %s (missing)\n", static_cast<LPCTSTR>(name));
        return line;
    }
    FindClose(search);
    unsigned long long size =
        (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    line.Format("  %s (%llu bytes)\n", static_cast<LPCTSTR>(name), size);
    return line;
}

CString NameOf(const CString& path) {
    int slash = path.ReverseFind('\\');
    return slash < 0 ? path : path.Mid(slash + 1);
}

// The settings dialog is the main window while it runs; when it closes the process ends.
BOOL RunSettingsDialog(CSaverApp& app) {
    std::printf("%s", static_cast<LPCTSTR>(DescribeLoadedTheme()));
    std::printf("Lumivista: the settings dialog (mode %c) opens.\n", app.Mode());
    std::fflush(stdout);
    // A letter from the command line opens it over the active window; no switch, without one.
    CWnd* parent = app.Mode() == 'c' ? CWnd::FromHandle(::GetActiveWindow()) : nullptr;
    CSettingsDlg dialog(parent);
    app.m_pMainWnd = &dialog;
    dialog.DoModal();
    app.m_pMainWnd = nullptr;
    return TRUE;
}

// A preview handle names a window only inside this process's own windows; anything else (a
// handle of another program, a stale one) ends the preview with the platform's reason.
void ReportNoShowWindow(HWND parent) {
    const DWORD code = GetLastError();
    LPSTR text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0,
                   reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string reason = text ? text : "";
    if (text)
        LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
        reason.pop_back();
    if (parent)
        std::fprintf(stderr, "Lumivista: the preview cannot be shown in window %lu: %s (%lu)\n",
                     static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(parent)),
                     reason.c_str(), static_cast<unsigned long>(code));
    else
        std::fprintf(stderr, "Lumivista: the slide show's window cannot be made: %s (%lu)\n",
                     reason.c_str(), static_cast<unsigned long>(code));
}

BOOL StartSlideShow(CSaverApp& app) {
    std::printf("%s", static_cast<LPCTSTR>(DescribeLoadedTheme()));
    std::printf("Lumivista: %s (mode %c) starts.\n",
                app.ParentWindow() ? "the preview" : "the slide show", app.Mode());
    std::fflush(stdout);
    auto* window = new CSaverWnd;
    if (!window->Create(app.ParentWindow())) {
        ReportNoShowWindow(app.ParentWindow());
        // Only a window whose creation went through deletes itself.
        delete window;
        return TRUE;
    }
    app.m_pMainWnd = window;
    return TRUE;
}

} // namespace

CString DescribeLoadedTheme() {
    CString text;
    text.Format("Theme \"%s\" (format %s) loaded from %s\n", static_cast<LPCTSTR>(Theme.title),
                static_cast<LPCTSTR>(Theme.version), static_cast<LPCTSTR>(ThemeFilePath));
    CString line;
    line.Format("Extracted into %s:\n", static_cast<LPCTSTR>(WorkFolder));
    text += line;
    line.Format(" %d picture(s):\n", static_cast<int>(ImageNames.GetSize()));
    text += line;
    for (int i = 0; i < ImageNames.GetSize(); ++i)
        text += FileLine(ImageNames[i]);
    line.Format(" %d music track(s):\n", static_cast<int>(MusicNames.GetSize()));
    text += line;
    for (int i = 0; i < MusicNames.GetSize(); ++i)
        text += FileLine(MusicNames[i]);
    if (SaverSettings.framePresent != 0) {
        line.Format(" frame \"%s\":\n", static_cast<LPCTSTR>(FrameSettings.title));
        text += line + FileLine(NameOf(FrameSettings.framePicturePath));
    }
    line.Format(
        " %d transition(s) enabled, %d second(s) per picture, order %d, music off %d, "
        "mouse movement ignored %d\n",
        static_cast<int>(EnabledTransitions.GetSize()), static_cast<int>(SaverSettings.imageTime),
        static_cast<int>(SaverSettings.imageOrder), static_cast<int>(SaverSettings.musicOff),
        static_cast<int>(SaverSettings.disableMouseMove));
    text += line;
    return text;
}

BOOL RunSaverMode(CSaverApp& app) {
    switch (app.Mode()) {
    case 'c':
    case 'C':
        return RunSettingsDialog(app);
    case 'a':
        CSaverApp::ChangePassword(nullptr);
        return TRUE;
    default:
        // s, p or any other letter: the slide show, in the preview window when p named one.
        return StartSlideShow(app);
    }
}
