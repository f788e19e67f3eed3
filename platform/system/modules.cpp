// The program's instance and the layer's table of built-in modules.
#include "system/modules.h"

#include "system/paths.h"
#include "win32/system.h"

#include <list>
#include <mutex>

namespace lv {
namespace {

struct BuiltinModule {
    std::string name;
    std::vector<BuiltinProc> procs;
    int load_count = 0;
    bool registered = true;
};

struct ModuleTable {
    std::mutex mutex;
    std::list<BuiltinModule> modules; // stable addresses: a module's address is its handle
};

ModuleTable& modules() {
    static ModuleTable* table = new ModuleTable;
    return *table;
}

std::string base_name(std::string_view path) {
    auto sep = path.find_last_of("\\/");
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

// A name without an extension means the ".DLL" of that name, as LoadLibrary reads it.
bool names_module(const std::string& module_name, const std::string& asked) {
    if (equal_ignoring_case(module_name, asked))
        return true;
    return asked.find('.') == std::string::npos && equal_ignoring_case(module_name, asked + ".dll");
}

BuiltinModule* find_module(const std::string& asked) {
    for (auto& module : modules().modules) {
        if (module.registered && names_module(module.name, asked))
            return &module;
    }
    return nullptr;
}

BuiltinModule* module_of(HMODULE handle) {
    for (auto& module : modules().modules) {
        if (reinterpret_cast<HMODULE>(&module) == handle)
            return &module;
    }
    return nullptr;
}

} // namespace

HINSTANCE program_instance() {
    static int anchor = 0;
    return reinterpret_cast<HINSTANCE>(&anchor);
}

void register_builtin_module(const std::string& name, std::vector<BuiltinProc> procs) {
    auto& table = modules();
    std::lock_guard lock(table.mutex);
    for (auto& module : table.modules) {
        if (equal_ignoring_case(module.name, name)) {
            module.procs = std::move(procs);
            module.registered = true;
            return;
        }
    }
    table.modules.push_back(BuiltinModule{name, std::move(procs)});
}

void unregister_builtin_module(const std::string& name) {
    auto& table = modules();
    std::lock_guard lock(table.mutex);
    for (auto& module : table.modules) {
        if (equal_ignoring_case(module.name, name)) {
            module.registered = false; // the record stays so that old handles stay recognisable
            module.load_count = 0;
        }
    }
}

} // namespace lv

HMODULE GetModuleHandleA(LPCSTR module_name) {
    if (!module_name)
        return lv::program_instance();
    auto& table = lv::modules();
    std::lock_guard lock(table.mutex);
    auto* module = lv::find_module(lv::base_name(module_name));
    if (!module || module->load_count == 0) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HMODULE>(module);
}

HMODULE LoadLibraryA(LPCSTR file_name) {
    if (!file_name || !*file_name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto& table = lv::modules();
    std::lock_guard lock(table.mutex);
    auto* module = lv::find_module(lv::base_name(file_name));
    if (!module) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    ++module->load_count;
    return reinterpret_cast<HMODULE>(module);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR proc_name) {
    auto& table = lv::modules();
    std::lock_guard lock(table.mutex);
    if (module == lv::program_instance() || !module) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    auto* found = lv::module_of(module);
    if (!found || found->load_count == 0) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    if (!proc_name || IS_INTRESOURCE(proc_name)) {
        SetLastError(ERROR_PROC_NOT_FOUND); // built-in modules export by name only
        return nullptr;
    }
    for (const auto& proc : found->procs) {
        if (proc.name == proc_name)
            return proc.proc;
    }
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

BOOL FreeLibrary(HMODULE module) {
    auto& table = lv::modules();
    std::lock_guard lock(table.mutex);
    auto* found = lv::module_of(module);
    if (!found || found->load_count == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    --found->load_count;
    return TRUE;
}
