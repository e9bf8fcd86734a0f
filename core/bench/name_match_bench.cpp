// A keystroke's suggestions in the command bar: 200 command names and 2,000 Start-menu programs
// matched against a typed text (Latin, hiragana, half-width kana, initials), and the building of
// the program list from 2,000 shortcuts' names.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/name_match.h"
#include "core/program_list.h"

namespace {

using namespace zarv;

std::vector<std::wstring> CommandNames() {
    std::vector<std::wstring> names;
    for (int i = 0; i < 200; ++i)
        names.push_back((i % 2 ? L"メール " : L"Text ") + std::to_wstring(i));
    return names;
}

ProgramList Programs() {
    const wchar_t* kinds[] = {L"Vendor %d Tool", L"メモ帳 %d", L"Studio Editor %d",
                              L"ツール %d 設定", L"Código Über Ωmega %d"};
    ProgramList list;
    for (int i = 0; i < 2000; ++i) {
        wchar_t name[64];
        swprintf(name, 64, kinds[i % 5], i);
        list.Add(static_cast<std::uint16_t>(i / 20), name);
    }
    list.Finish();
    return list;
}

void BM_Keystroke(benchmark::State& state) {
    const std::vector<std::wstring> names = CommandNames();
    const ProgramList programs = Programs();
    const wchar_t* typed[] = {L"t", L"tool", L"めも", L"ﾒﾓ", L"se", L"über"};
    const wchar_t* text = typed[state.range(0)];
    for (auto _ : state) {
        const auto found = SuggestNames(names, text);
        benchmark::DoNotOptimize(programs.Suggest(text, 200 - found.size()));
    }
}
BENCHMARK(BM_Keystroke)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

void BM_BuildProgramList(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(Programs());
}
BENCHMARK(BM_BuildProgramList)->Unit(benchmark::kMicrosecond);

}  // namespace
