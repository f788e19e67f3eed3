// Writes the test payload (payload_pattern.h) to the file named by its argument.
#include "payload_pattern.h"

#include <fstream>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    std::vector<char> bytes(lvtest::kPayloadSize);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(lvtest::payload_byte(i));
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out ? 0 : 1;
}
