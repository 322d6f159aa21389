// Load and save of a full table whose chains are scattered over the slots.
#include <benchmark/benchmark.h>

#include "document/DemoDatabase.h"
#include "document/VandrelEdit2028Doc.h"
#include "model/Crc32.h"

namespace {

const std::vector<uint8_t>& FullTable()
{
    static const std::vector<uint8_t> bytes = BuildDemoDatabase({15000, 4999});
    return bytes;
}

void BM_LoadFullTable(benchmark::State& state)
{
    const auto& bytes = FullTable();
    for (auto _ : state) {
        CVandrelEdit2028Doc doc;
        benchmark::DoNotOptimize(doc.Load(bytes.data(), bytes.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadFullTable)->Unit(benchmark::kMillisecond);

void BM_SaveFullTable(benchmark::State& state)
{
    const auto& bytes = FullTable();
    CVandrelEdit2028Doc doc;
    doc.Load(bytes.data(), bytes.size());
    for (auto _ : state) {
        benchmark::DoNotOptimize(doc.Save());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_SaveFullTable)->Unit(benchmark::kMillisecond);

void BM_Crc32(benchmark::State& state)
{
    const auto& bytes = FullTable();
    for (auto _ : state) {
        benchmark::DoNotOptimize(Ccrc32::GetInstance().Compute(bytes.data(), bytes.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_Crc32)->Unit(benchmark::kMillisecond);

} // namespace
