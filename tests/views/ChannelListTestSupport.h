#pragma once
// Shared pieces of the channel list tests: a loaded database with ten
// television channels, a store on a private INI file, and mouse helpers
// that drive a row drag on a view's viewport.
#include <QAbstractItemView>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <memory>
#include <vector>

#include "NdbTestBuilder.h"
#include "views/RowDropTarget.h"
#include "document/VandrelEdit2028Doc.h"
#include "views/ChannelListModel.h"

namespace viewtest {

// Names of the ten channels; "arte" and "ARTE" differ only in case.
inline const char* const kTenNames[10] = {"zdf",   "arte",   "Bayern", "ARTE",  "Das Erste",
                                          "Kika",  "phoenix", "3sat",  "Eurosport", "Ctrl"};
// Frequencies of the transponders the channels use (channel i uses
// transponder kTransponderOf[i]).
inline const int kFrequencies[4] = {10744, 9750, 12188, 11494};
inline const int kTransponderOf[10] = {1, 2, 3, 4, 1, 2, 3, 4, 1, 2};

// Four transponders on one satellite and ten television channels numbered
// 1 to 10 in array order; the small database supplies everything else.
inline ndbtest::TestDatabase MakeTenChannelDatabase()
{
    using namespace ndbtest;
    TestDatabase db = MakeSmallDatabase();
    for (auto& rec : db.transponders.records) {
        rec = TransponderRecord();
    }
    for (int t = 0; t < 4; ++t) {
        db.transponders.records[static_cast<size_t>(t)]
            .Number(static_cast<uint16_t>(t + 1))
            .OrgNetId(1)
            .TpId(static_cast<uint16_t>(100 + t))
            .Frequency(static_cast<uint16_t>(kFrequencies[t]))
            .SymbolRate(27500)
            .Flags(1u << 21)
            .Satellite(1);
    }
    for (auto& rec : db.services.records) {
        rec = ServiceRecord();
    }
    std::vector<ServiceRecord> tv(10);
    for (int i = 0; i < 10; ++i) {
        tv[static_cast<size_t>(i)]
            .Transponder(static_cast<uint16_t>(kTransponderOf[i]))
            .ServiceId(static_cast<uint16_t>(1000 + i))
            .VideoPid(static_cast<uint16_t>(200 + i))
            .AudioPid(static_cast<uint16_t>(300 + i))
            .PcrPid(static_cast<uint16_t>(200 + i))
            .PmtPid(static_cast<uint16_t>(100 + i))
            .VideoType(2)
            .FavGroup(static_cast<uint8_t>(i % 2 == 0 ? 3 : 0))
            .Name(kTenNames[i])
            .Provider("Prov");
    }
    db.services.PlaceInArrayOrder(tv, {});
    return db;
}

inline std::unique_ptr<CVandrelEdit2028Doc> LoadDocument(const ndbtest::TestDatabase& db)
{
    auto doc = std::make_unique<CVandrelEdit2028Doc>();
    const ndbtest::Bytes bytes = db.Build();
    if (doc->Load(bytes.data(), bytes.size()) != LoadStatus::Loaded) {
        return nullptr;
    }
    return doc;
}

// The numbers of the rows top to bottom (the fill numbers them 1, 2, ...).
inline std::vector<int> RowNumbers(const CChannelListModel& model)
{
    std::vector<int> out;
    for (int r = 0; r < model.rowCount(); ++r) {
        out.push_back(model.NumberAt(r));
    }
    return out;
}

inline std::vector<QString> ColumnTexts(const CChannelListModel& model, int column)
{
    std::vector<QString> out;
    for (int r = 0; r < model.rowCount(); ++r) {
        out.push_back(model.CellText(r, column));
    }
    return out;
}

// Selects exactly these rows.
inline void SelectRows(QAbstractItemView& view, const std::vector<int>& rows)
{
    QItemSelection selection;
    const int last = view.model()->columnCount() - 1;
    for (int r : rows) {
        selection.select(view.model()->index(r, 0), view.model()->index(r, last));
    }
    view.selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

// A widget outside the list that takes dropped rows and records the calls.
class CFakeDropTarget : public QWidget, public IRowDropTarget {
public:
    bool accept = true;
    int hovers = 0;
    int leaves = 0;
    int drops = 0;
    QPoint lastDrop;

    bool HoverRows(const QPoint&) override
    {
        ++hovers;
        return accept;
    }
    void LeaveRows() override { ++leaves; }
    bool DropRows(const QPoint& globalPos) override
    {
        ++drops;
        lastDrop = globalPos;
        return accept;
    }
};

// A row drag with the left button: press at from, a small step, then the
// moves, then the release at the last point (all in viewport coordinates).
inline void DragOnViewport(QWidget* viewport, const QPoint& from, const std::vector<QPoint>& path,
                           bool release = true)
{
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(viewport, from + QPoint(0, 2));
    for (const QPoint& p : path) {
        QTest::mouseMove(viewport, p);
    }
    if (release) {
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, path.empty() ? from : path.back());
    }
}

} // namespace viewtest
