// Hand-assembled IA-32 code for the hook engine's tests, written as hex text ("8B FF 55").
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace hooktest {

inline std::vector<std::uint8_t> Hex(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    std::istringstream in(text);
    std::string token;
    while (in >> token)
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(token, nullptr, 16)));
    return bytes;
}

} // namespace hooktest
