// Reading one long value from a profile file. The reader's buffer grows until the value fits;
// the time must follow the value's length (a few whole reads of the file), not its square,
// since an advert description comes from a server before the show starts.
#include "saver/ini_reader.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

void BM_IniReaderLongValue(benchmark::State& state) {
    const auto length = static_cast<std::size_t>(state.range(0));
    const auto path = std::filesystem::temp_directory_path() /
                      ("lv_ini_bench_" + std::to_string(length) + ".ini");
    std::ofstream(path, std::ios::binary)
        << "[Info]\r\nValue=" << std::string(length, 'v') << "\r\n";
    CIniReader reader;
    reader.SetPath(path.string().c_str());
    for (auto _ : state) {
        char* value = reader.ReadString("Info", "Value", "");
        benchmark::DoNotOptimize(value);
        delete[] value;
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * length));
    std::filesystem::remove(path);
}
BENCHMARK(BM_IniReaderLongValue)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

} // namespace
