#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <unistd.h>

namespace lvtest {

ScratchDir::ScratchDir() {
    static std::atomic<int> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
    for (char& c : name) {
        if (c == '/')
            c = '_';
    }
    m_path = std::filesystem::temp_directory_path() /
             ("lv-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" + name);
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

} // namespace lvtest
