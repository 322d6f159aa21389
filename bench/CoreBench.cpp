// Load and save of a full table whose chains are scattered over the slots,
// and the channel edits of the list on it, with their undo.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "document/ChannelEdits.h"
#include "document/ChannelRows.h"
#include "document/DemoDatabase.h"
#include "document/DocumentChange.h"
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

// ---- channel edits on the full table ------------------------------------------------------

constexpr int kSelected = 1000;

// A document of the full table and a selection of kSelected television
// channels spread evenly over the list, as a user's multiple selection.
struct EditFixture {
    CVandrelEdit2028Doc doc;
    std::vector<CServiceData*> selected;
    std::vector<CServiceData*> initialOrder;

    EditFixture()
    {
        const auto& bytes = FullTable();
        doc.Load(bytes.data(), bytes.size());
        const std::vector<ChannelRow> rows = SelectAllChannels(doc, false);
        const size_t step = rows.size() / kSelected;
        for (size_t i = 0; i < rows.size() && selected.size() < kSelected; i += step) {
            selected.push_back(rows[i].service);
        }
        initialOrder = doc.m_services.Order();
    }
    // Every round must have started from the same table.
    void CheckRestored(benchmark::State& state) const
    {
        if (doc.m_services.Order() != initialOrder) {
            state.SkipWithError("the undo did not restore the table");
        }
    }
};

void BM_DeleteChannels(benchmark::State& state)
{
    EditFixture f;
    for (auto _ : state) {
        auto change = std::make_unique<CDocumentChange>(f.doc);
        DeleteChannels(f.doc, f.selected);
        change->Finish();
        // Back to the same table for the next round, untimed.
        state.PauseTiming();
        change->Undo();
        change.reset();
        state.ResumeTiming();
    }
    f.CheckRestored(state);
    state.SetItemsProcessed(state.iterations() * kSelected);
}
BENCHMARK(BM_DeleteChannels)->Unit(benchmark::kMillisecond);

void BM_UndoDeleteChannels(benchmark::State& state)
{
    EditFixture f;
    for (auto _ : state) {
        state.PauseTiming();
        auto change = std::make_unique<CDocumentChange>(f.doc);
        DeleteChannels(f.doc, f.selected);
        change->Finish();
        state.ResumeTiming();
        change->Undo();
        state.PauseTiming();
        change.reset();
        state.ResumeTiming();
    }
    f.CheckRestored(state);
    state.SetItemsProcessed(state.iterations() * kSelected);
}
BENCHMARK(BM_UndoDeleteChannels)->Unit(benchmark::kMillisecond);

// The selected channels go to channel number 5000 of the television list.
constexpr int kTargetPosition = 5000;

void BM_MoveToPosition(benchmark::State& state)
{
    EditFixture f;
    for (auto _ : state) {
        auto change = std::make_unique<CDocumentChange>(f.doc);
        benchmark::DoNotOptimize(MoveToPosition(f.doc.m_services, f.selected, kTargetPosition, true));
        change->Finish();
        state.PauseTiming();
        change->Undo();
        change.reset();
        state.ResumeTiming();
    }
    f.CheckRestored(state);
    state.SetItemsProcessed(state.iterations() * kSelected);
}
BENCHMARK(BM_MoveToPosition)->Unit(benchmark::kMillisecond);

void BM_UndoMoveToPosition(benchmark::State& state)
{
    EditFixture f;
    for (auto _ : state) {
        state.PauseTiming();
        auto change = std::make_unique<CDocumentChange>(f.doc);
        MoveToPosition(f.doc.m_services, f.selected, kTargetPosition, true);
        change->Finish();
        state.ResumeTiming();
        change->Undo();
        state.PauseTiming();
        change.reset();
        state.ResumeTiming();
    }
    f.CheckRestored(state);
    state.SetItemsProcessed(state.iterations() * kSelected);
}
BENCHMARK(BM_UndoMoveToPosition)->Unit(benchmark::kMillisecond);

// A click on the "Kanalname" header of a list of every channel: the column's
// texts, their sort keys and a stable sort of the rows by key.
void BM_SortNameColumn(benchmark::State& state)
{
    EditFixture f;
    std::vector<ChannelRow> rows = SelectAllChannels(f.doc, false);
    const std::vector<ChannelRow> radio = SelectAllChannels(f.doc, true);
    rows.insert(rows.end(), radio.begin(), radio.end());
    for (auto _ : state) {
        std::vector<std::string> texts;
        texts.reserve(rows.size());
        for (const ChannelRow& row : rows) {
            texts.push_back(ChannelColumnText(f.doc, row, kColName));
        }
        const std::vector<std::u16string> keys = SortKeys(texts, !IsTextColumn(kColName), false);
        std::vector<int> order(rows.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return keys[static_cast<size_t>(a)] < keys[static_cast<size_t>(b)];
        });
        benchmark::DoNotOptimize(order.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(rows.size()));
}
BENCHMARK(BM_SortNameColumn)->Unit(benchmark::kMillisecond);

} // namespace
