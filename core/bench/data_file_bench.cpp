// Loading and saving a large hotkey file, against plain reading and writing of its bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/data_file.h"

namespace {

using namespace zarv;

// The large file of the target, and a list of the size users really keep.
constexpr int kRecords = 100000;
constexpr int kTypicalRecords = 500;

std::vector<THotkeyItem> MakeList(int kRecords) {
    const char* keys[] = {"Ctrl + Alt + A", "Win + F8", "Ctrl + Shift + Win + \\",
                          "Alt + Shift + ,"};
    std::vector<THotkeyItem> list(kRecords);
    for (int i = 0; i < kRecords; ++i) {
        THotkeyItem& item = list[i];
        const std::string n = std::to_string(i);
        if (i % 3 == 0) {
            // メモ帳 n, C:\ソフト\表計算\calc n.exe (trail bytes 0x5C)
            item.Title = "\x83\x81\x83\x82\x92\xA0 " + n;
            item.FilePath =
                "C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C\x8C\x76\x8E\x5A\\calc" + n + ".exe";
        } else {
            item.Title = "Editor " + n;
            item.FilePath = "C:\\Program Files\\Vendor " + n + "\\Tool\\tool.exe";
        }
        item.Options = i % 2 ? "" : "-q --profile=" + n;
        item.WorkDir = i % 4 ? "" : "C:\\Users\\user\\Documents\\work " + n;
        item.KeyText = keys[i % 4];
        item.Modifiers = static_cast<std::uint8_t>(2 + i % 13);
        item.VKey = static_cast<std::uint8_t>(65 + i % 26);
        item.FuncNo = i % 10 == 0 ? 255 : 0;
    }
    return list;
}

struct Fixture {
    explicit Fixture(int records)
        : list(MakeList(records)),
          bytes(SerializeHotkeys(list, CodePage::ShiftJis())),
          path(std::filesystem::temp_directory_path() /
               ("zarv_bench_hotkey_" + std::to_string(records) + ".dat")) {
        WriteBytes(path, bytes);
    }
    std::vector<THotkeyItem> list;
    std::string bytes;
    std::filesystem::path path;
    ~Fixture() { std::filesystem::remove(path); }

    static void WriteBytes(const std::filesystem::path& p, const std::string& data) {
        FILE* f = std::fopen(p.string().c_str(), "wb");
        if (!f) std::abort();
        std::fwrite(data.data(), 1, data.size(), f);
        std::fclose(f);
    }
};

Fixture& Data(const benchmark::State& state) {
    static Fixture large(kRecords);
    static Fixture typical(kTypicalRecords);
    return state.range(0) == kRecords ? large : typical;
}

std::string ReadBytes(const std::filesystem::path& p) {
    std::string data;
    FILE* f = std::fopen(p.string().c_str(), "rb");
    if (!f) std::abort();
    std::fseek(f, 0, SEEK_END);
    data.resize(static_cast<std::size_t>(std::ftell(f)));
    std::fseek(f, 0, SEEK_SET);
    if (std::fread(data.data(), 1, data.size(), f) != data.size()) std::abort();
    std::fclose(f);
    return data;
}

void BM_ReadBytes(benchmark::State& state) {
    const Fixture& d = Data(state);
    for (auto _ : state) {
        std::string data = ReadBytes(d.path);
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(d.bytes.size()));
}

// Run after BM_ReadBytes, glibc's raised mmap threshold makes the list's memory come fresh from
// the kernel at every iteration (as at a real start-up); run alone, it is reused and faster.
void BM_LoadHotkeys(benchmark::State& state) {
    const Fixture& d = Data(state);
    for (auto _ : state) {
        std::vector<THotkeyItem> list;
        {
            const std::string data = ReadBytes(d.path);
            const FileVersion version = DetectVersion(data);
            if (!ParseHotkeys(data, version, list).complete || list.size() != d.list.size()) {
                state.SkipWithError("file not read back");
            }
        }
        // Freeing the list is not part of loading.
        state.PauseTiming();
        list = {};
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(d.bytes.size()));
}

void BM_WriteBytes(benchmark::State& state) {
    const Fixture& d = Data(state);
    for (auto _ : state) Fixture::WriteBytes(d.path, d.bytes);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(d.bytes.size()));
}

void BM_SaveHotkeys(benchmark::State& state) {
    const Fixture& d = Data(state);
    for (auto _ : state) {
        Fixture::WriteBytes(d.path, SerializeHotkeys(d.list, CodePage::ShiftJis()));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(d.bytes.size()));
}

BENCHMARK(BM_ReadBytes)->Arg(kRecords)->Arg(kTypicalRecords)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadHotkeys)->Arg(kRecords)->Arg(kTypicalRecords)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteBytes)->Arg(kRecords)->Arg(kTypicalRecords)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveHotkeys)->Arg(kRecords)->Arg(kTypicalRecords)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
