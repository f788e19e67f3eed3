// Unpacking the installer's payload: the archive's extraction against a plain zlib loop that
// reads the same stream from the same file and writes the same output, both with 4 KiB
// buffers, and against inflating in memory (the floor).
#include "installer/package_archive.h"
#include "tools/packer/packer.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kPayloadSize = 8 << 20;

// A payload that compresses like a program image: runs of text, tables and noise.
std::vector<std::uint8_t> MakePayload() {
    std::mt19937 random(11);
    std::vector<std::uint8_t> out;
    out.reserve(kPayloadSize);
    const std::string words[] = {"Lumivista ", "slide ",   "transition ",
                                 "theme ",     "picture ", "0x00FFFFFF "};
    while (out.size() < kPayloadSize) {
        switch (random() % 3) {
        case 0:
            for (int i = 0; i < 200; ++i) {
                const std::string& w = words[random() % 6];
                out.insert(out.end(), w.begin(), w.end());
            }
            break;
        case 1:
            for (std::uint32_t i = 0; i < 512; ++i) {
                const std::uint32_t v = i * 4 + (random() % 4);
                out.insert(out.end(), {std::uint8_t(v), std::uint8_t(v >> 8), 0, 0});
            }
            break;
        default:
            for (int i = 0; i < 1024; ++i)
                out.push_back(static_cast<std::uint8_t>(random()));
        }
    }
    out.resize(kPayloadSize);
    return out;
}

struct BenchPackage {
    fs::path dir;
    fs::path package;
    fs::path target;
    std::uint32_t offset = 0;
    std::uint32_t compressedSize = 0;
    std::vector<std::uint8_t> stream; // the same stream, in memory

    BenchPackage() {
        dir = fs::temp_directory_path() /
              ("lv-package-bench-" + std::to_string(std::random_device()()));
        fs::create_directories(dir / "target");
        target = dir / "target";
        package = dir / "setup";
        const std::vector<std::uint8_t> payload = MakePayload();
        std::ofstream(dir / "program", std::ios::binary)
            .write(std::string(65536, 'P').data(), 65536);
        std::ofstream(dir / "payload", std::ios::binary)
            .write(reinterpret_cast<const char*>(payload.data()),
                   static_cast<std::streamsize>(payload.size()));
        std::string error;
        if (!lvtools::WritePackage(dir / "program", package,
                                   {{"Bench\\", "payload.bin", dir / "payload"}}, error))
            std::fprintf(stderr, "package bench: %s\n", error.c_str());
        PackageArchive archive(package.string());
        archive.ReadTrailer(package.string());
        offset = archive.GetEntry(0).streamOffset;
        compressedSize = archive.GetEntry(0).compressedSize;
        stream.resize(compressedSize);
        std::ifstream in(package, std::ios::binary);
        in.seekg(offset);
        in.read(reinterpret_cast<char*>(stream.data()), compressedSize);
    }
    ~BenchPackage() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

BenchPackage& Package() {
    static BenchPackage package;
    return package;
}

int IgnoreEvents(int, void*, void*) {
    return 0;
}

void BM_PackageExtract(benchmark::State& state) {
    BenchPackage& p = Package();
    PackageArchive archive(p.package.string());
    for (auto _ : state) {
        if (archive.ExtractAll(p.target.string(), IgnoreEvents, nullptr) != PackageResult::Success)
            state.SkipWithError("extraction failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kPayloadSize);
}
BENCHMARK(BM_PackageExtract)->Unit(benchmark::kMillisecond);

// The peer: open, seek, read 4 KiB, inflate into 4 KiB, write, until the stream ends.
void BM_PlainInflateFile(benchmark::State& state) {
    BenchPackage& p = Package();
    const fs::path output = p.target / "plain.bin";
    std::array<std::uint8_t, 4096> in{}, out{};
    for (auto _ : state) {
        std::FILE* src = std::fopen(p.package.c_str(), "rb");
        std::FILE* dst = std::fopen(output.c_str(), "wb");
        std::fseek(src, p.offset, SEEK_SET);
        z_stream z{};
        inflateInit(&z);
        int status = Z_OK;
        std::uint32_t left = p.compressedSize;
        while (status == Z_OK) {
            if (z.avail_in == 0) {
                const std::size_t got =
                    std::fread(in.data(), 1, std::min<std::size_t>(in.size(), left), src);
                if (got == 0)
                    break;
                left -= static_cast<std::uint32_t>(got);
                z.next_in = in.data();
                z.avail_in = static_cast<uInt>(got);
            }
            z.next_out = out.data();
            z.avail_out = out.size();
            status = inflate(&z, Z_NO_FLUSH);
            std::fwrite(out.data(), 1, out.size() - z.avail_out, dst);
        }
        if (status != Z_STREAM_END)
            state.SkipWithError("plain inflate failed");
        inflateEnd(&z);
        std::fclose(dst);
        std::fclose(src);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kPayloadSize);
}
BENCHMARK(BM_PlainInflateFile)->Unit(benchmark::kMillisecond);

// The floor: one inflate of the stream held in memory into one buffer.
void BM_PlainInflateMemory(benchmark::State& state) {
    BenchPackage& p = Package();
    std::vector<std::uint8_t> out(kPayloadSize);
    for (auto _ : state) {
        uLongf size = static_cast<uLongf>(out.size());
        if (uncompress(out.data(), &size, p.stream.data(), p.compressedSize) != Z_OK ||
            size != kPayloadSize)
            state.SkipWithError("memory inflate failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kPayloadSize);
}
BENCHMARK(BM_PlainInflateMemory)->Unit(benchmark::kMillisecond);

} // namespace
