// Reference lists and the comparison on full tables: reading and applying a
// list of all 19999 channels, and comparing two full tables.

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "document/DatabaseDiff.h"
#include "document/DemoDatabase.h"
#include "document/DocumentChange.h"
#include "document/ReferenceListFile.h"
#include "document/ReferenceMatch.h"
#include "document/VandrelEdit2028Doc.h"

namespace {

const std::vector<uint8_t>& FullTable()
{
    static const std::vector<uint8_t> bytes = BuildDemoDatabase({15000, 4999});
    return bytes;
}

// A full table whose channels of each kind stand in reverse order: every
// channel has to move.
void LoadReversed(CVandrelEdit2028Doc& doc)
{
    const auto& bytes = FullTable();
    doc.Load(bytes.data(), bytes.size());
    CServiceDataArray& services = doc.m_services;
    const int tv = static_cast<int>(services.GetTvCount());
    const int radio = static_cast<int>(services.GetRadioCount());
    std::vector<CServiceData*> order = services.Order();
    std::reverse(order.begin(), order.begin() + tv);
    std::reverse(order.begin() + tv, order.begin() + tv + radio);
    order.resize(static_cast<size_t>(tv + radio));
    std::vector<std::unique_ptr<CServiceData>> none;
    services.Rearrange(0, tv + radio, order, none);
    services.NumberListPositions();
}

std::string FullList()
{
    CVandrelEdit2028Doc doc;
    doc.Load(FullTable().data(), FullTable().size());
    return BuildReferenceList(doc);
}

void BM_ReadReferenceList(benchmark::State& state)
{
    const std::string text = FullList();
    for (auto _ : state) {
        ReferenceList list;
        std::string message;
        ParseReferenceList(reinterpret_cast<const uint8_t*>(text.data()), text.size(), list, message);
        benchmark::DoNotOptimize(list.lines.data());
    }
    state.SetItemsProcessed(state.iterations() * 19999);
}
BENCHMARK(BM_ReadReferenceList)->Unit(benchmark::kMillisecond);

// A reversed table after a rescan that gave every transponder a new TSID:
// no line finds its channel before the rule on ONID and SID.
void LoadRetuned(CVandrelEdit2028Doc& doc)
{
    LoadReversed(doc);
    for (int i = 0; i < doc.m_transponders.GetSize(); ++i) {
        CTransponderData* tp = doc.m_transponders.GetAt(i);
        tp->SetTpId(static_cast<uint16_t>(tp->GetTpId() + 1));
    }
}

// Reading the list and applying it to a table whose order it turns round.
// With asStep the recording of the undoable step is timed too, as the
// editor does it; otherwise only reading and applying.
void ApplyList(benchmark::State& state, bool asStep, bool retuned = false)
{
    const std::string text = FullList();
    CVandrelEdit2028Doc doc;
    if (retuned) {
        LoadRetuned(doc);
    } else {
        LoadReversed(doc);
    }
    const std::vector<CServiceData*> initial = doc.m_services.Order();
    for (auto _ : state) {
        if (!asStep) {
            state.PauseTiming();
        }
        auto change = std::make_unique<CDocumentChange>(doc);
        if (!asStep) {
            state.ResumeTiming();
        }
        ReferenceList list;
        std::string message;
        ParseReferenceList(reinterpret_cast<const uint8_t*>(text.data()), text.size(), list, message);
        const ReferenceApplyResult result = ApplyReferenceList(doc, list);
        if (!asStep) {
            state.PauseTiming();
        }
        change->Finish();
        if (asStep) {
            state.PauseTiming();
        }
        if ((retuned ? result.byOnidSid : result.byPosition) != 19999) {
            state.SkipWithError("the list did not find every channel by the rule expected");
        }
        change->Undo();
        change.reset();
        state.ResumeTiming();
    }
    if (doc.m_services.Order() != initial) {
        state.SkipWithError("the undo did not restore the table");
    }
    state.SetItemsProcessed(state.iterations() * 19999);
}

void BM_ApplyReferenceList(benchmark::State& state)
{
    ApplyList(state, false);
}
BENCHMARK(BM_ApplyReferenceList)->Unit(benchmark::kMillisecond);

void BM_ApplyReferenceListAsUndoStep(benchmark::State& state)
{
    ApplyList(state, true);
}
BENCHMARK(BM_ApplyReferenceListAsUndoStep)->Unit(benchmark::kMillisecond);

// The slowest path a list commonly takes: each line tries three rules.
void BM_ApplyReferenceListToRetunedTableAsUndoStep(benchmark::State& state)
{
    ApplyList(state, true, true);
}
BENCHMARK(BM_ApplyReferenceListToRetunedTableAsUndoStep)->Unit(benchmark::kMillisecond);

// Every channel of one table at another place in the other: 19999 lines.
void BM_CompareFullTables(benchmark::State& state)
{
    CVandrelEdit2028Doc oldDoc;
    oldDoc.Load(FullTable().data(), FullTable().size());
    CVandrelEdit2028Doc newDoc;
    LoadReversed(newDoc);
    size_t lines = 0;
    for (auto _ : state) {
        const std::vector<ChannelDifference> differences = CompareDatabases(oldDoc, newDoc);
        lines = differences.size();
        benchmark::DoNotOptimize(FormatDifferences(differences).data());
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_CompareFullTables)->Unit(benchmark::kMillisecond);

// The comparison as the editor saves it, with its summary, after a rescan
// that moved every channel and every transponder's frequency.
void BM_CompareFullTablesAsSavedText(benchmark::State& state)
{
    CVandrelEdit2028Doc oldDoc;
    oldDoc.Load(FullTable().data(), FullTable().size());
    CVandrelEdit2028Doc newDoc;
    LoadReversed(newDoc);
    for (int i = 0; i < newDoc.m_transponders.GetSize(); ++i) {
        CTransponderData* tp = newDoc.m_transponders.GetAt(i);
        tp->SetFrequency(static_cast<uint16_t>(tp->GetFrequency() + 1));
    }
    for (auto _ : state) {
        const std::vector<ChannelDifference> differences = CompareDatabases(oldDoc, newDoc);
        benchmark::DoNotOptimize(FormatComparison("alt.ndb", "neu.ndb", differences, true).data());
    }
}
BENCHMARK(BM_CompareFullTablesAsSavedText)->Unit(benchmark::kMillisecond);

// A list of 1,000,000 lines "x" (2 MB) under its header: every line is
// unreadable. Reading it, applying it to a full table and writing the report
// keeps only the first lines of the report, so the memory does not grow
// with the bad lines; peak_rss_mb is the whole process's high-water mark.
void BM_ApplyListOfUnreadableLines(benchmark::State& state)
{
    std::string text = "Nr;Typ;Kanalname\n";
    text.reserve(text.size() + 2'000'000);
    for (int i = 0; i < 1'000'000; ++i) {
        text += "x\n";
    }
    CVandrelEdit2028Doc doc;
    doc.Load(FullTable().data(), FullTable().size());
    for (auto _ : state) {
        ReferenceList list;
        std::string message;
        ParseReferenceList(reinterpret_cast<const uint8_t*>(text.data()), text.size(), list, message);
        const ReferenceApplyResult result = ApplyReferenceList(doc, list);
        const std::vector<std::string> report = ReportIssueLines(result);
        if (report.size() != kMaxReportedLines + 1) {
            state.SkipWithError("the report is not cut after its limit");
        }
        benchmark::DoNotOptimize(report.data());
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_ApplyListOfUnreadableLines)->Unit(benchmark::kMillisecond);

} // namespace
