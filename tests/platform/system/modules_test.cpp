#include "system/modules.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

namespace {

int ping(int x) {
    return x + 1;
}

TEST(Modules, UnknownLibrariesAreNotFound) {
    for (const char* name : {"MPR.DLL", "PASSWORD.CPL", "C:\\WINDOWS\\system32\\mpr.dll", "x"}) {
        SetLastError(0);
        EXPECT_EQ(LoadLibraryA(name), nullptr) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND)) << name;
    }
    EXPECT_EQ(GetModuleHandleA("MPR.DLL"), nullptr);
}

TEST(Modules, BuiltinModulesLoadByNameInAnyCase) {
    lv::register_builtin_module("RICHED20.DLL", {lv::builtin_proc("Ping", &ping)});
    HMODULE module = LoadLibraryA("C:\\WINDOWS\\system32\\riched20.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(LoadLibraryA("Riched20"), module); // ".DLL" is implied
    EXPECT_EQ(GetModuleHandleA("RICHED20.dll"), module);
    auto* plain = reinterpret_cast<void (*)()>(GetProcAddress(module, "Ping"));
    auto* proc = reinterpret_cast<int (*)(int)>(plain);
    ASSERT_NE(proc, nullptr);
    EXPECT_EQ(proc(41), 42);
    EXPECT_EQ(GetProcAddress(module, "ping"), nullptr); // procedure names keep their case
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCE(1)), nullptr);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(GetProcAddress(module, "Ping"), nullptr); // unloaded
    EXPECT_FALSE(FreeLibrary(module));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    lv::unregister_builtin_module("riched20.dll");
    EXPECT_EQ(LoadLibraryA("RICHED20.DLL"), nullptr);
}

TEST(Modules, TheProgramInstance) {
    HMODULE self = GetModuleHandleA(nullptr);
    EXPECT_NE(self, nullptr);
    EXPECT_EQ(self, lv::program_instance());
    EXPECT_EQ(GetProcAddress(self, "main"), nullptr);
    EXPECT_FALSE(FreeLibrary(self));
}

} // namespace
