// The channel list on a full table (15000 television and 4999 radio
// channels): filling, sorting (also after a screen reader read cells),
// deleting and moving a thousand selected channels, and undoing those steps
// with the list sorted by number (as it opens) and by name, through the real
// list view.
#include <benchmark/benchmark.h>

#include <QAccessible>
#include <QApplication>
#include <QItemSelectionModel>
#include <QTemporaryDir>
#include <QUndoStack>
#include <memory>

#include "uibase/AppSettings.h"
#include "uibase/Document.h"
#include "QtSettingsStore.h"
#include "uibase/UserPrompts.h"
#include "document/ChannelEdits.h"
#include "document/ChannelRows.h"
#include "document/DemoDatabase.h"
#include "views/ChannelListModel.h"
#include "views/SortListCtrl.h"
#include "views/VandrelEdit2028View.h"

namespace {

class CSilentPrompts : public IUserPrompts {
public:
    QMessageBox::StandardButton Question(QWidget*, const QString&, const QString&, QMessageBox::StandardButtons,
                                         QMessageBox::StandardButton) override
    {
        return QMessageBox::No;
    }
    void Information(QWidget*, const QString&, const QString&) override {}
    void Warning(QWidget*, const QString&, const QString&) override {}
    void Critical(QWidget*, const QString&, const QString&) override {}
    QString GetOpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString GetSaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    int ChooseItem(QWidget*, const QString&, const QString&, const QStringList&) override { return -1; }
};

// One document on the full table with its list view, shared by the benchmarks.
struct FullTableView {
    QTemporaryDir dir;
    CSilentPrompts prompts;
    CQtSettingsStore store{dir.filePath(QStringLiteral("bench.ini"))};
    AppSettings settings;
    CDocument document{prompts};
    std::unique_ptr<CVandrelEdit2028View> view;

    FullTableView()
    {
        const std::vector<uint8_t> bytes = BuildDemoDatabase({15000, 4999});
        document.Core().Load(bytes.data(), bytes.size());
        view = std::make_unique<CVandrelEdit2028View>(document, settings, store, prompts);
        view->resize(1000, 700);
        view->show();
        view->FillAllChannels(0);
        // As in the document window: the refill hint refills the list.
        QObject::connect(&document, &CDocument::ViewsUpdate, view.get(), [this](QObject*, int hint, void*) {
            if (hint == 1507)
                view->FillAllChannels(0);
        });
    }

    // Every fifteenth row: a thousand rows spread over the list.
    void SelectThousand()
    {
        QItemSelectionModel* selection = view->ListCtrl()->selectionModel();
        CChannelListModel& model = view->Model();
        QItemSelection ranges;
        for (int row = 0, n = 0; row < model.rowCount() && n < 1000; row += 15, ++n)
            ranges.select(model.index(row, 0), model.index(row, model.columnCount() - 1));
        selection->select(ranges, QItemSelectionModel::ClearAndSelect);
    }
};

FullTableView& Fixture()
{
    static FullTableView fixture;
    return fixture;
}

void BM_FillAllChannels(benchmark::State& state)
{
    FullTableView& f = Fixture();
    for (auto _ : state) {
        f.view->FillAllChannels(0);
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = f.view->Model().rowCount();
}
BENCHMARK(BM_FillAllChannels)->Unit(benchmark::kMillisecond);

void BM_SortByName(benchmark::State& state)
{
    FullTableView& f = Fixture();
    f.view->FillAllChannels(0);
    for (auto _ : state) {
        // A header click: every click after the first reverses the order.
        f.view->ListCtrl()->OnHeaderClicked(0);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SortByName)->Unit(benchmark::kMillisecond);

// A header click after a screen reader has read every cell of the first
// thousand rows (the reading untimed): the cells the reader holds must not
// make the re-sort slow.
void BM_SortAfterCellsWereRead(benchmark::State& state)
{
    FullTableView& f = Fixture();
    f.view->FillAllChannels(0);
    CSortListCtrl* list = f.view->ListCtrl();
    for (auto _ : state) {
        state.PauseTiming();
        QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(list)->tableInterface();
        for (int r = 0; r < 1000; ++r)
            for (int c = 0; c < f.view->Model().columnCount(); ++c)
                table->cellAt(r, c);
        state.ResumeTiming();
        list->OnHeaderClicked(0);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SortAfterCellsWereRead)->Unit(benchmark::kMillisecond);

// The list sorted as it opens (by number) or by a header click on another
// column; an undo re-sorts the refilled list by that column.
void SortListBy(FullTableView& f, int column)
{
    f.view->FillAllChannels(0);
    f.view->ListCtrl()->SortByColumn(column, IsTextColumn(column), true);
}

// Times an edit of a thousand selected channels; undoes it untimed.
template <class Edit> void TimeEdit(benchmark::State& state, Edit edit, int sortColumn)
{
    FullTableView& f = Fixture();
    SortListBy(f, sortColumn);
    for (auto _ : state) {
        state.PauseTiming();
        f.SelectThousand();
        state.ResumeTiming();
        edit(f);
        QCoreApplication::processEvents();
        state.PauseTiming();
        f.document.UndoStack()->undo();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

// Makes the edit untimed and times its undo, which refills the list through
// the views' update.
template <class Edit> void TimeUndo(benchmark::State& state, Edit edit, int sortColumn)
{
    FullTableView& f = Fixture();
    SortListBy(f, sortColumn);
    for (auto _ : state) {
        state.PauseTiming();
        f.SelectThousand();
        edit(f);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        f.document.UndoStack()->undo();
        QCoreApplication::processEvents();
    }
}

void DeleteSelected(FullTableView& f)
{
    f.view->OnCommand(32818);
}

void MoveSelected(FullTableView& f)
{
    f.view->MoveSelectedToPosition(7000);
}

void BM_DeleteThousand(benchmark::State& state, int sortColumn)
{
    TimeEdit(state, DeleteSelected, sortColumn);
}
BENCHMARK_CAPTURE(BM_DeleteThousand, byNumber, kColNumber)->Unit(benchmark::kMillisecond);

void BM_UndoDeleteThousand(benchmark::State& state, int sortColumn)
{
    TimeUndo(state, DeleteSelected, sortColumn);
}
BENCHMARK_CAPTURE(BM_UndoDeleteThousand, byNumber, kColNumber)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_UndoDeleteThousand, byName, kColName)->Unit(benchmark::kMillisecond);

void BM_MoveThousandToPosition(benchmark::State& state, int sortColumn)
{
    TimeEdit(state, MoveSelected, sortColumn);
}
BENCHMARK_CAPTURE(BM_MoveThousandToPosition, byNumber, kColNumber)->Unit(benchmark::kMillisecond);

void BM_UndoMoveThousand(benchmark::State& state, int sortColumn)
{
    TimeUndo(state, MoveSelected, sortColumn);
}
BENCHMARK_CAPTURE(BM_UndoMoveThousand, byNumber, kColNumber)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_UndoMoveThousand, byName, kColName)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
