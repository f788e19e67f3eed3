#include "mfc/winapp.h"

#include <cstdlib>
#include <cstring>
#include <iostream>

namespace {

CWinApp* g_app = nullptr;

// The string the application title is stored under in a string table.
constexpr UINT kAppTitleStringId = 0xE000;

void replace_owned(LPCTSTR& member, const char* value) {
    std::free(const_cast<char*>(member));
    member = value ? _tcsdup(value) : nullptr;
}

std::string program_title() {
    char path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return "Application";
    std::string name(path, length);
    name = name.substr(name.find_last_of("\\/") + 1);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

} // namespace

char* _tcsdup(const char* text) {
    if (text == nullptr)
        return nullptr;
    const std::size_t size = std::strlen(text) + 1;
    auto* copy = static_cast<char*>(std::malloc(size));
    if (copy)
        std::memcpy(copy, text, size);
    return copy;
}

CWinApp::CWinApp(LPCTSTR appName) {
    if (g_app != nullptr)
        std::cerr << "CWinApp: a second application object replaces the first\n";
    g_app = this;
    replace_owned(m_pszAppName, appName);
}

CWinApp::~CWinApp() {
    for (LPCTSTR* owned : {&m_pszAppName, &m_pszExeName, &m_pszRegistryKey, &m_pszProfileName})
        replace_owned(*owned, nullptr);
    if (g_app == this)
        g_app = nullptr;
}

void CWinApp::AttachToProgram(HINSTANCE instance, std::string commandLine) {
    m_hInstance = instance;
    m_command_line = std::move(commandLine);
    m_lpCmdLine = m_command_line.data();
    const std::string title = program_title();
    if (m_pszExeName == nullptr)
        replace_owned(m_pszExeName, title.c_str());
    if (m_pszAppName == nullptr) {
        const CString stored(MAKEINTRESOURCE(kAppTitleStringId));
        replace_owned(m_pszAppName, stored.IsEmpty() ? title.c_str() : stored.GetString());
    }
    if (m_pszProfileName == nullptr)
        replace_owned(m_pszProfileName, (std::string(m_pszExeName) + ".INI").c_str());
}

int CWinApp::Run() {
    if (m_pMainWnd == nullptr)
        return ExitInstance();
    return CWinThread::Run();
}

void CWinApp::SetRegistryKey(LPCTSTR registryKey) {
    if (registryKey == nullptr)
        return;
    replace_owned(m_pszRegistryKey, registryKey);
    replace_owned(m_pszProfileName, m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT registryKeyId) {
    const CString key(MAKEINTRESOURCE(registryKeyId));
    SetRegistryKey(key.GetString());
}

CWinApp* AfxGetApp() {
    return g_app;
}

HINSTANCE AfxGetInstanceHandle() {
    if (g_app && g_app->m_hInstance)
        return g_app->m_hInstance;
    return GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetInstanceHandle();
}

HICON CWinApp::LoadIcon(UINT id) const {
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCE(id));
}

LPCTSTR AfxGetAppName() {
    return g_app ? g_app->m_pszAppName : nullptr;
}

CWnd* AfxGetMainWnd() {
    return g_app ? g_app->m_pMainWnd : nullptr;
}

int AfxMessageBox(LPCTSTR text, UINT type, UINT) {
    return MessageBoxA(nullptr, text, AfxGetAppName(), type);
}

int AfxMessageBox(UINT textId, UINT type, UINT) {
    const CString text(MAKEINTRESOURCE(textId));
    return AfxMessageBox(text, type);
}

namespace lv::mfc {

std::string join_command_line(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            line += ' ';
        line += argv[i];
    }
    return line;
}

int run_application(int argc, char** argv) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        std::cerr << "no application object\n";
        return 1;
    }
    app->AttachToProgram(GetModuleHandleA(nullptr), join_command_line(argc, argv));
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}

} // namespace lv::mfc
