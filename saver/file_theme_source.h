// The theme data file opened read-only as a ThemeSource.
#pragma once

#include "saver/theme_source.h"
#include "win32/win32.h"

class FileThemeSource final : public ThemeSource {
public:
    explicit FileThemeSource(const char* path);
    ~FileThemeSource() override;
    FileThemeSource(const FileThemeSource&) = delete;
    FileThemeSource& operator=(const FileThemeSource&) = delete;

    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }
    std::uint64_t Size() const override { return m_size; }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

private:
    HANDLE m_file = INVALID_HANDLE_VALUE;
    std::uint64_t m_size = 0;
};
