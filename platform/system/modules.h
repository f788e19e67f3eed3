// The program's instance handle and the layer's built-in modules, which LoadLibrary finds by name.
#pragma once

#include "win32/types.h"

#include <string>
#include <vector>

namespace lv {

// The one instance handle of the running program (GetModuleHandle(NULL), WinMain's instance).
HINSTANCE program_instance();

struct BuiltinProc {
    std::string name;
    FARPROC proc;
};

// Wraps any function pointer as a procedure entry: builtin_proc("PwdChangePasswordA", &fn).
// (The detour through void(*)() is the one cast between function types that is always allowed.)
template <class Function> BuiltinProc builtin_proc(std::string name, Function* function) {
    auto* plain = reinterpret_cast<void (*)()>(function);
    return BuiltinProc{std::move(name), reinterpret_cast<FARPROC>(plain)};
}

// Registers (or replaces) a module such as "RICHED20.DLL"; names match without regard to case
// and a folder in front of the name is ignored when loading.
void register_builtin_module(const std::string& name, std::vector<BuiltinProc> procs);
void unregister_builtin_module(const std::string& name);

} // namespace lv
