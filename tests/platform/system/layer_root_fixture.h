// Each test gets its own layer root (drive C:, registry) and its own current folder.
#pragma once

#include "system/paths.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace lvtest {

class LayerRootTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("LUMIVISTA_ROOT");
        m_old_root = old ? old : "";
        m_had_root = old != nullptr;
        m_old_cwd = std::filesystem::current_path();
        ::setenv("LUMIVISTA_ROOT", (m_dir.path() / "root").c_str(), 1);
        std::filesystem::create_directories(m_dir.path() / "work");
        std::filesystem::current_path(m_dir.path() / "work");
        lv::drive_c_folder(); // drive C: and its standard folders exist from the start
    }
    void TearDown() override {
        std::filesystem::current_path(m_old_cwd);
        if (m_had_root)
            ::setenv("LUMIVISTA_ROOT", m_old_root.c_str(), 1);
        else
            ::unsetenv("LUMIVISTA_ROOT");
    }

    std::filesystem::path root() const { return m_dir.path() / "root"; }
    std::filesystem::path drive_c() const { return root() / "drive_c"; }
    std::filesystem::path work() const { return m_dir.path() / "work"; }
    const ScratchDir& scratch() const { return m_dir; }

private:
    ScratchDir m_dir;
    std::string m_old_root;
    bool m_had_root = false;
    std::filesystem::path m_old_cwd;
};

} // namespace lvtest
