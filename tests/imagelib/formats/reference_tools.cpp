#include "reference_tools.h"

#include "tests/support/process_runner.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace lvtest {

std::optional<std::filesystem::path> FindTool(const std::string& name) {
    // The system's own directory first, so that a wrapper elsewhere on the path is not taken.
    for (const char* dir : {"/usr/bin", "/bin", "/usr/local/bin"}) {
        const std::filesystem::path candidate = std::filesystem::path(dir) / name;
        if (std::filesystem::exists(candidate))
            return candidate;
    }
    return std::nullopt;
}

bool RunTool(const std::string& name, const std::vector<std::string>& args, std::string* messages) {
    const auto tool = FindTool(name);
    if (!tool)
        return false;
    const ProcessResult result = RunProgram(*tool, args, {{"MAGICK_THREAD_LIMIT", "1"}}, 120);
    if (messages)
        *messages = result.err + result.out;
    return result.exitCode == 0;
}

std::optional<std::vector<std::uint8_t>> ToolOutput(const std::string& name,
                                                    const std::vector<std::string>& args) {
    const auto tool = FindTool(name);
    if (!tool)
        return std::nullopt;
    const ProcessResult result = RunProgram(*tool, args, {{"MAGICK_THREAD_LIMIT", "1"}}, 120);
    if (result.exitCode != 0)
        return std::nullopt;
    return std::vector<std::uint8_t>(result.out.begin(), result.out.end());
}

PxRgbQuad PnmPicture::At(int x, int y) const {
    const std::uint8_t* p = samples.data() + (static_cast<std::size_t>(y) * width + x) *
                                                 static_cast<std::size_t>(channels);
    switch (channels) {
    case 1:
        return {p[0], p[0], p[0], 255};
    case 2:
        return {p[0], p[0], p[0], p[1]};
    case 3:
        return {p[2], p[1], p[0], 255};
    default:
        return {p[2], p[1], p[0], p[3]};
    }
}

namespace {

// Header words of a PNM file, skipping comments.
std::string Word(std::istream& in) {
    std::string word;
    int c = in.get();
    while (c != EOF) {
        if (c == '#') {
            while (c != EOF && c != '\n')
                c = in.get();
        } else if (!std::isspace(c)) {
            break;
        }
        c = in.get();
    }
    while (c != EOF && !std::isspace(c)) {
        word.push_back(static_cast<char>(c));
        c = in.get();
    }
    return word;
}

} // namespace

std::optional<PnmPicture> ReadPnm(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::string magic = Word(in);
    PnmPicture picture;
    int maxValue = 255;
    if (magic == "P7") {
        for (std::string key = Word(in); !key.empty() && key != "ENDHDR"; key = Word(in)) {
            if (key == "WIDTH")
                picture.width = std::stoi(Word(in));
            else if (key == "HEIGHT")
                picture.height = std::stoi(Word(in));
            else if (key == "DEPTH")
                picture.channels = std::stoi(Word(in));
            else if (key == "MAXVAL")
                maxValue = std::stoi(Word(in));
            else if (key == "TUPLTYPE")
                Word(in);
        }
    } else if (magic == "P4" || magic == "P5" || magic == "P6") {
        picture.width = std::stoi(Word(in));
        picture.height = std::stoi(Word(in));
        if (magic != "P4")
            maxValue = std::stoi(Word(in));
        picture.channels = magic == "P6" ? 3 : 1;
    } else {
        return std::nullopt;
    }
    const std::size_t pixels = static_cast<std::size_t>(picture.width) * picture.height;
    if (magic == "P4") {
        const std::size_t rowBytes = (static_cast<std::size_t>(picture.width) + 7) / 8;
        std::vector<char> raw(rowBytes * picture.height);
        in.read(raw.data(), static_cast<std::streamsize>(raw.size()));
        picture.samples.resize(pixels);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) {
                const bool black = (raw[y * rowBytes + x / 8] >> (7 - x % 8)) & 1;
                picture.samples[static_cast<std::size_t>(y) * picture.width + x] = black ? 0 : 255;
            }
        return picture;
    }
    const int bytesPerSample = maxValue > 255 ? 2 : 1;
    std::vector<unsigned char> raw(pixels * picture.channels * bytesPerSample);
    in.read(reinterpret_cast<char*>(raw.data()), static_cast<std::streamsize>(raw.size()));
    if (static_cast<std::size_t>(in.gcount()) != raw.size())
        return std::nullopt;
    picture.samples.resize(pixels * picture.channels);
    for (std::size_t i = 0; i < picture.samples.size(); ++i) {
        const unsigned value = bytesPerSample == 2 ? (raw[2 * i] << 8 | raw[2 * i + 1]) : raw[i];
        picture.samples[i] =
            static_cast<std::uint8_t>(std::lround(static_cast<double>(value) * 255.0 / maxValue));
    }
    return picture;
}

PxRgbQuad PictureColour(const PxImage& image, LONG x, LONG yFromTop) {
    const LONG stored = static_cast<LONG>(image.GetHeight()) - 1 - yFromTop;
    PxRgbQuad c = image.GetPixelColor(x, stored, false);
    c.rgbReserved = image.AlphaIsValid() ? image.AlphaGet(x, stored) : 255;
    return c;
}

long CountDifferences(const PxImage& ours, const PnmPicture& theirs, int tolerance,
                      bool compareAlpha) {
    if (static_cast<int>(ours.GetWidth()) != theirs.width ||
        static_cast<int>(ours.GetHeight()) != theirs.height)
        return -1;
    long differences = 0;
    for (int y = 0; y < theirs.height; ++y)
        for (int x = 0; x < theirs.width; ++x) {
            const PxRgbQuad a = PictureColour(ours, x, y);
            const PxRgbQuad b = theirs.At(x, y);
            const auto off = [tolerance](int p, int q) { return std::abs(p - q) > tolerance; };
            if (off(a.rgbRed, b.rgbRed) || off(a.rgbGreen, b.rgbGreen) ||
                off(a.rgbBlue, b.rgbBlue) || (compareAlpha && off(a.rgbReserved, b.rgbReserved)))
                ++differences;
        }
    return differences;
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

PxImage ColourPattern(LONG width, LONG height) {
    PxImage image(width, height, 24, PXIMAGE_FORMAT_BMP);
    for (LONG y = 0; y < height; ++y)
        for (LONG x = 0; x < width; ++x) {
            const BYTE r = static_cast<BYTE>(x * 255 / std::max<LONG>(1, width - 1));
            const BYTE g = static_cast<BYTE>(y * 255 / std::max<LONG>(1, height - 1));
            const BYTE b = static_cast<BYTE>((x / 4 + y / 3) % 2 ? 200 : 30);
            image.SetPixelColor(x, y, PxRgbQuad{b, g, r, 0});
        }
    return image;
}

PxImage PalettePattern(LONG width, LONG height, DWORD bpp) {
    PxImage image(width, height, bpp, PXIMAGE_FORMAT_BMP);
    const DWORD count = image.GetPaletteCount();
    for (DWORD i = 0; i < count; ++i)
        image.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i * 37),
                              static_cast<BYTE>(255 - i * 11), static_cast<BYTE>(i * 101));
    for (LONG y = 0; y < height; ++y)
        for (LONG x = 0; x < width; ++x) {
            // Long runs on the left, changing values on the right.
            const DWORD value = x < width / 2 ? y / 3 : x + y * 7;
            image.SetPixelIndex(x, y, static_cast<BYTE>(value % count));
        }
    return image;
}

} // namespace lvtest
