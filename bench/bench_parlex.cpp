// Reading a protocol description and looking parameters up by name.
#include "parlex/Parlex.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {
constexpr int kEntries = 500;
const char* const kGroups[] = {"VERT", "TRIG", "HORIZ", "MATH", "DISPLAY", "ACQURIE", "MEASURE", "CONTROL"};

std::string EntryName(int i) { return std::string(kGroups[i % 8]) + "-PARAM" + std::to_string(i) + "-VALUE"; }

// A description of kEntries parameters of 1 to 4 bytes, lines ended by CR LF.
std::string MakeDescription() {
    std::string text = "[TOTAL] " + std::to_string(kEntries * 4) + "\r\n[START]\r\n";
    for (int i = 0; i < kEntries; ++i) text += "[" + EntryName(i) + "] " + std::to_string(1 + i % 4) + "\r\n";
    return text + "[END]\r\n";
}

void BM_TransInit(benchmark::State& state) {
    const std::string text = MakeDescription();
    for (auto _ : state) {
        CParlex table;
        benchmark::DoNotOptimize(table.Trans_Init(text.c_str()));
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_TransInit);

void BM_DSOdataToPCParam(benchmark::State& state) {
    CParlex table;
    table.Trans_Init(MakeDescription().c_str());
    std::vector<std::string> names;
    for (int i = 0; i < kEntries; ++i) names.push_back(EntryName(i * 7 % kEntries));
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.DSOdataToPCParam(names[k]));
        k = (k + 1) % names.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DSOdataToPCParam);

void BM_PCParamToDSOdata(benchmark::State& state) {
    CParlex table;
    table.Trans_Init(MakeDescription().c_str());
    std::vector<unsigned char> block(static_cast<std::size_t>(table.GetSysBufLen()));
    std::vector<std::string> names;
    for (int i = 0; i < kEntries; ++i) names.push_back(EntryName(i * 7 % kEntries));
    std::size_t k = 0;
    for (auto _ : state) {
        table.PCParamToDSOdata(names[k], static_cast<int64_t>(k), block.data());
        benchmark::ClobberMemory();
        k = (k + 1) % names.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PCParamToDSOdata);
}  // namespace

BENCHMARK_MAIN();
