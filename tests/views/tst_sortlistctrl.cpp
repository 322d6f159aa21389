// The details table of the channel list: sorting by header clicks, column
// widths and order in the settings store, hiding columns, moving rows by
// dragging them, and the empty list text.
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include "ChannelListTestSupport.h"
#include "QtSettingsStore.h"
#include "document/ChannelRows.h"
#include "model/ServiceData.h"
#include "views/RowDragController.h"
#include "views/SortListCtrl.h"

using namespace viewtest;

Q_DECLARE_METATYPE(CServiceData*)
Q_DECLARE_METATYPE(std::vector<CServiceData*>)

class TestSortListCtrl : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void objectNamesAndOptions();
    void headerClickSortsByNameIgnoringCase();
    void frequencySortsByNumber();
    void reapplySortWithoutColumnSortsByNumber();
    void noStoredOrderShowsNumberFirst();
    void hiddenColumnLeavesTheStoredOrder();
    void showingAColumnRestoresPlaceAndWidth();
    void storedOrderIsReadBack();
    void incompleteStoredOrderIsCompleted();
    void userResizeIsStoredAndReadBack();
    void programmaticResizeIsNotStored();
    void dividerDoubleClickStoresWidth();
    void ctrlKeypadPlusSizesAllColumns();
    void dragRowsDownwards();
    void dragRowsUpwards();
    void dropOnSelectedRowFails();
    void clickWithoutDragSelectsOneRow();
    void dragOntoDropTarget();
    void dropTargetThatRefusesShowsNoCursor();
    void escapeCancelsTheDrag();
    void dragBelowTheRowsScrolls();
    void emptyListShowsText();
    void cellsLookAsTheTableDrawsThem();

private:
    void Build(bool restoreOrder = true);
    QPoint RowPoint(int row) const;
    QPoint SectionPoint(int column) const;
    void ClickHeader(int column);

    QTemporaryDir m_dir;
    QString m_ini;
    std::unique_ptr<CVandrelEdit2028Doc> m_doc;
    std::unique_ptr<CChannelListModel> m_model;
    std::unique_ptr<CQtSettingsStore> m_store;
    std::unique_ptr<QWidget> m_window;
    CSortListCtrl* m_list = nullptr;
    CFakeDropTarget* m_target = nullptr;
    int m_nRun = 0;
};

void TestSortListCtrl::init()
{
    qRegisterMetaType<CServiceData*>();
    qRegisterMetaType<std::vector<CServiceData*>>();
    m_ini = m_dir.filePath(QStringLiteral("settings%1.ini").arg(++m_nRun));
    m_doc = LoadDocument(MakeTenChannelDatabase());
    QVERIFY(m_doc != nullptr);
    m_model = std::make_unique<CChannelListModel>(*m_doc);
    m_model->SetRows(SelectAllChannels(*m_doc, false));
    QCOMPARE(m_model->rowCount(), 10);
    m_store = std::make_unique<CQtSettingsStore>(m_ini);
}

void TestSortListCtrl::cleanup()
{
    m_window.reset();
    m_list = nullptr;
    m_target = nullptr;
    m_store.reset();
    m_model.reset();
    m_doc.reset();
}

void TestSortListCtrl::Build(bool restoreOrder)
{
    m_window = std::make_unique<QWidget>();
    auto* layout = new QHBoxLayout(m_window.get());
    m_target = new CFakeDropTarget;
    m_target->setObjectName(QStringLiteral("fakeTarget"));
    m_target->setMinimumWidth(150);
    m_list = new CSortListCtrl(*m_model, *m_store);
    layout->addWidget(m_target);
    layout->addWidget(m_list, 1);
    if (restoreOrder) {
        m_list->RestoreColumnOrder();
    }
    m_window->resize(900, 500);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

QPoint TestSortListCtrl::RowPoint(int row) const
{
    return QPoint(30, m_list->rowViewportPosition(row) + m_list->rowHeight(row) / 2);
}

QPoint TestSortListCtrl::SectionPoint(int column) const
{
    const QHeaderView* h = m_list->horizontalHeader();
    return QPoint(h->sectionViewportPosition(column) + h->sectionSize(column) / 2, h->height() / 2);
}

void TestSortListCtrl::ClickHeader(int column)
{
    QTest::mouseClick(m_list->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier, SectionPoint(column));
}

void TestSortListCtrl::objectNamesAndOptions()
{
    Build();
    QCOMPARE(m_list->objectName(), QStringLiteral("channelList"));
    QCOMPARE(m_list->accessibleName(), QStringLiteral("Kanalliste"));
    QCOMPARE(m_list->horizontalHeader()->objectName(), QStringLiteral("channelListHeader"));
    QVERIFY(!m_list->horizontalHeader()->accessibleName().isEmpty());
    QCOMPARE(m_list->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(m_list->selectionMode(), QAbstractItemView::ExtendedSelection);
    QVERIFY(m_list->showGrid());
    QVERIFY(!m_list->wordWrap());
    QVERIFY(!m_list->isSortingEnabled());
    QVERIFY(m_list->horizontalHeader()->sectionsMovable());
    QVERIFY(m_list->verticalHeader()->isHidden());
    QCOMPARE(m_list->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    // Default widths of the column table, widened where the header text
    // would be cut off.
    const QFontMetrics metrics = m_list->horizontalHeader()->fontMetrics();
    for (int c = 0; c < kChannelColumnCount; ++c) {
        const QString header = m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        const int expected = std::max(ChannelColumnDefaultWidth(c), metrics.horizontalAdvance(header) + 14);
        QCOMPARE(m_list->columnWidth(c), expected);
    }
    QCOMPARE(m_list->columnWidth(kColName), 140);
    QCOMPARE(m_list->columnWidth(kColProvider), 140);
}

void TestSortListCtrl::headerClickSortsByNameIgnoringCase()
{
    Build();
    QSignalSpy sorted(m_list, &CSortListCtrl::SortChanged);
    ClickHeader(kColName);
    QCOMPARE(m_list->SortColumn(), int(kColName));
    QVERIFY(m_list->SortAscending());
    QCOMPARE(m_list->horizontalHeader()->sortIndicatorSection(), int(kColName));
    QCOMPARE(m_list->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(sorted.count(), 1);
    // "arte" (2) and "ARTE" (4) compare equal and keep their order.
    const std::vector<int> ascending = {8, 2, 4, 3, 10, 5, 9, 6, 7, 1};
    QCOMPARE(RowNumbers(*m_model), ascending);
    QCOMPARE(m_model->CellText(0, kColName), QStringLiteral("3sat"));
    QCOMPARE(m_model->CellText(9, kColName), QStringLiteral("zdf"));

    ClickHeader(kColName);
    QVERIFY(!m_list->SortAscending());
    QCOMPARE(m_list->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    const std::vector<int> descending = {1, 7, 6, 9, 5, 10, 3, 2, 4, 8};
    QCOMPARE(RowNumbers(*m_model), descending);

    // Another column starts ascending again.
    ClickHeader(kColNumber);
    QVERIFY(m_list->SortAscending());
    QCOMPARE(m_list->horizontalHeader()->sortIndicatorSection(), int(kColNumber));
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

void TestSortListCtrl::frequencySortsByNumber()
{
    Build();
    ClickHeader(kColFrequency);
    std::vector<QString> texts = ColumnTexts(*m_model, kColFrequency);
    QCOMPARE(texts.front(), QStringLiteral("9750"));
    QCOMPARE(texts[3], QStringLiteral("10744"));
    QCOMPARE(texts.back(), QStringLiteral("12188"));
    // Channels of one transponder keep their order.
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{2, 6, 10, 1, 5, 9, 4, 8, 3, 7}));

    ClickHeader(kColFrequency);
    QVERIFY(!m_list->SortAscending());
    texts = ColumnTexts(*m_model, kColFrequency);
    QCOMPARE(texts.front(), QStringLiteral("12188"));
    QCOMPARE(texts.back(), QStringLiteral("9750"));
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{3, 7, 4, 8, 1, 5, 9, 2, 6, 10}));
}

void TestSortListCtrl::reapplySortWithoutColumnSortsByNumber()
{
    Build();
    m_model->SortRows(kColName, true, true);
    QVERIFY(RowNumbers(*m_model).front() != 1);
    m_list->ReapplySort();
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    QCOMPARE(m_list->SortColumn(), -1);

    // With a chosen column a refill is sorted the same way.
    ClickHeader(kColFrequency);
    ClickHeader(kColFrequency);
    m_model->SetRows(SelectAllChannels(*m_doc, false));
    m_list->ReapplySort();
    QCOMPARE(ColumnTexts(*m_model, kColFrequency).front(), QStringLiteral("12188"));
    QVERIFY(!m_list->SortAscending());
}

void TestSortListCtrl::noStoredOrderShowsNumberFirst()
{
    Build();
    const QHeaderView* h = m_list->horizontalHeader();
    QCOMPARE(h->logicalIndex(0), int(kColNumber));
    QCOMPARE(h->logicalIndex(1), int(kColName));
    for (int visual = 2; visual < kChannelColumnCount; ++visual) {
        QCOMPARE(h->logicalIndex(visual), visual);
    }
    const QAbstractItemModel* m = m_list->model();
    QCOMPARE(m->headerData(h->logicalIndex(0), Qt::Horizontal).toString(), QStringLiteral("Nr"));
    QCOMPARE(m->headerData(h->logicalIndex(1), Qt::Horizontal).toString(), QStringLiteral("Kanalname"));
    QCOMPARE(m->headerData(h->logicalIndex(2), Qt::Horizontal).toString(), QStringLiteral("Typ"));
    // Nothing was written by restoring.
    QVERIFY(!QFile::exists(m_ini) || m_store->ReadInt(CSortListCtrl::kOrderSection, "Column00", -1) == -1);
}

void TestSortListCtrl::hiddenColumnLeavesTheStoredOrder()
{
    Build();
    std::unique_ptr<QMenu> menu(m_list->CreateHeaderMenu(nullptr));
    QCOMPARE(menu->actions().size(), kChannelColumnCount);
    QAction* typ = menu->findChild<QAction*>(QStringLiteral("headerColumn02"));
    QVERIFY(typ != nullptr);
    QCOMPARE(typ->text(), QStringLiteral("Typ"));
    QVERIFY(typ->isChecked());
    QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("Kanalname"));
    typ->trigger();
    QVERIFY(!m_list->IsColumnVisible(kColType));
    QCOMPARE(m_list->horizontalHeader()->visualIndex(kColType), kChannelColumnCount - 1);
    menu.reset(m_list->CreateHeaderMenu(nullptr));
    QVERIFY(!menu->findChild<QAction*>(QStringLiteral("headerColumn02"))->isChecked());

    // The user drags "Satellit" to the front of the header.
    QHeaderView* h = m_list->horizontalHeader();
    const QPoint from = SectionPoint(kColSatellite);
    const QPoint to(3, h->height() / 2);
    QTest::mousePress(h->viewport(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(h->viewport(), from - QPoint(20, 0));
    QTest::mouseMove(h->viewport(), to);
    QTest::mouseRelease(h->viewport(), Qt::LeftButton, Qt::NoModifier, to);
    QCOMPARE(h->logicalIndex(0), int(kColSatellite));

    std::vector<int> stored;
    for (int n = 0; n < kChannelColumnCount; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "Column%02d", n);
        const int v = m_store->ReadInt(CSortListCtrl::kOrderSection, name, -1);
        if (v < 0) {
            break;
        }
        stored.push_back(v);
    }
    QCOMPARE(int(stored.size()), kChannelColumnCount - 1);
    QVERIFY(std::find(stored.begin(), stored.end(), int(kColType)) == stored.end());
    QCOMPARE(stored[0], int(kColSatellite));
    QCOMPARE(stored[1], int(kColNumber));
    QCOMPARE(stored[2], int(kColName));
    QCOMPARE(stored[3], int(kColFrequency));
    QCOMPARE(m_store->ReadInt(CSortListCtrl::kOrderSection, "Column18", -1), -1);
}

void TestSortListCtrl::showingAColumnRestoresPlaceAndWidth()
{
    Build();
    m_list->setColumnWidth(kColType, 77);
    const int visual = m_list->horizontalHeader()->visualIndex(kColType);
    m_list->ToggleColumn(kColType);
    QVERIFY(!m_list->IsColumnVisible(kColType));
    QCOMPARE(m_list->columnWidth(kColType), 0);
    m_list->ToggleColumn(kColType);
    QVERIFY(m_list->IsColumnVisible(kColType));
    QCOMPARE(m_list->horizontalHeader()->visualIndex(kColType), visual);
    QCOMPARE(m_list->columnWidth(kColType), 77);
}

void TestSortListCtrl::storedOrderIsReadBack()
{
    Build();
    // A user move is stored; a new control on a new store shows it.
    QHeaderView* h = m_list->horizontalHeader();
    const QPoint from = SectionPoint(kColPolarity);
    const QPoint to(3, h->height() / 2);
    QTest::mousePress(h->viewport(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(h->viewport(), from - QPoint(20, 0));
    QTest::mouseMove(h->viewport(), to);
    QTest::mouseRelease(h->viewport(), Qt::LeftButton, Qt::NoModifier, to);
    std::vector<int> shown;
    for (int v = 0; v < kChannelColumnCount; ++v) {
        shown.push_back(h->logicalIndex(v));
    }
    QCOMPARE(shown[0], int(kColPolarity));
    QCOMPARE(m_store->ReadInt(CSortListCtrl::kOrderSection, "Column00", -1), int(kColPolarity));
    QCOMPARE(m_store->ReadInt(CSortListCtrl::kOrderSection, "Column18", -1), shown[18]);

    m_window.reset();
    m_store.reset();
    m_store = std::make_unique<CQtSettingsStore>(m_ini);
    Build();
    std::vector<int> again;
    for (int v = 0; v < kChannelColumnCount; ++v) {
        again.push_back(m_list->horizontalHeader()->logicalIndex(v));
    }
    QCOMPARE(again, shown);
}

void TestSortListCtrl::incompleteStoredOrderIsCompleted()
{
    // Column 2 was hidden when the order was stored, and one entry names
    // a column twice: every column shows once, the unnamed at the end.
    const int stored[] = {5, 1, 0, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
    for (int n = 0; n < 18; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "Column%02d", n);
        m_store->WriteInt(CSortListCtrl::kOrderSection, name, stored[n]);
    }
    m_store->WriteInt(CSortListCtrl::kOrderSection, "Column18", 99);
    Build();
    const QHeaderView* h = m_list->horizontalHeader();
    const std::vector<int> expected = {5, 1, 0, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 2, 18};
    std::vector<int> shown;
    for (int v = 0; v < kChannelColumnCount; ++v) {
        shown.push_back(h->logicalIndex(v));
    }
    QCOMPARE(shown, expected);
}

void TestSortListCtrl::userResizeIsStoredAndReadBack()
{
    Build();
    QHeaderView* h = m_list->horizontalHeader();
    QCOMPARE(m_list->columnWidth(kColName), 140);
    const int edge = h->sectionViewportPosition(kColName) + h->sectionSize(kColName) - 1;
    const int y = h->height() / 2;
    QTest::mousePress(h->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(edge, y));
    QTest::mouseMove(h->viewport(), QPoint(edge + 15, y));
    QTest::mouseMove(h->viewport(), QPoint(edge + 31, y));
    // Nothing is stored before the drag ends.
    QCOMPARE(m_store->ReadInt(CSortListCtrl::kWidthSection, "Column00", -1), -1);
    QTest::mouseRelease(h->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(edge + 31, y));
    QCOMPARE(m_list->columnWidth(kColName), 171);
    QCOMPARE(m_store->ReadInt(CSortListCtrl::kWidthSection, "Column00", -1), 171);
    // Only the dragged column was written.
    QCOMPARE(m_store->ReadInt(CSortListCtrl::kWidthSection, "Column01", -1), -1);

    // What the store wrote into the INI file is found by a new store.
    m_window.reset();
    m_store.reset();
    {
        QSettings raw(m_ini, QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("Header\\Width/Column00")).toInt(), 171);
    }
    m_store = std::make_unique<CQtSettingsStore>(m_ini);
    QCOMPARE(m_store->ReadInt("Header\\Width", "Column00", -1), 171);
    Build();
    QCOMPARE(m_list->columnWidth(kColName), 171);
    QCOMPARE(m_list->GetStoredWidth(kColName, 5), 171);
    QCOMPARE(m_list->GetStoredWidth(kColNumber, 5), 5);
    QCOMPARE(m_list->columnWidth(kColNumber), 40);
}

void TestSortListCtrl::programmaticResizeIsNotStored()
{
    Build();
    m_list->setColumnWidth(kColSatellite, 99);
    m_list->resizeColumnToContents(kColProvider);
    QCOMPARE(m_store->ReadInt(CSortListCtrl::kWidthSection, "Column03", -1), -1);
    QCOMPARE(m_store->ReadInt(CSortListCtrl::kWidthSection, "Column18", -1), -1);
    // A click on a section is no divider drag.
    ClickHeader(kColSatellite);
    QCOMPARE(m_store->ReadInt(CSortListCtrl::kWidthSection, "Column03", -1), -1);
}

void TestSortListCtrl::dividerDoubleClickStoresWidth()
{
    Build();
    QHeaderView* h = m_list->horizontalHeader();
    m_list->setColumnWidth(kColSatellite, 300);
    const int edge = h->sectionViewportPosition(kColSatellite) + h->sectionSize(kColSatellite) - 1;
    QTest::mouseDClick(h->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(edge, h->height() / 2));
    const int fitted = m_list->columnWidth(kColSatellite);
    QVERIFY(fitted < 300);
    QVERIFY(fitted > 0);
    QCOMPARE(m_store->ReadInt(CSortListCtrl::kWidthSection, "Column03", -1), fitted);
}

void TestSortListCtrl::ctrlKeypadPlusSizesAllColumns()
{
    Build();
    m_list->setColumnWidth(kColProvider, 400);
    m_list->setColumnWidth(kColName, 5);
    m_list->setFocus();
    QTest::keyClick(m_list, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    QVERIFY(m_list->columnWidth(kColProvider) < 400);
    QVERIFY(m_list->columnWidth(kColName) > 5);
    QCOMPARE(m_store->ReadInt(CSortListCtrl::kWidthSection, "Column18", -1), -1);
    QCOMPARE(m_store->ReadInt(CSortListCtrl::kWidthSection, "Column00", -1), -1);
    // The plain plus key does not size.
    m_list->setColumnWidth(kColProvider, 400);
    QTest::keyClick(m_list, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(m_list->columnWidth(kColProvider), 400);
}

void TestSortListCtrl::dragRowsDownwards()
{
    Build();
    QSignalSpy moved(m_list, &CSortListCtrl::RowsMoved);
    QSignalSpy failed(m_list, &CSortListCtrl::DropFailed);
    CServiceData* third = m_model->ServiceAt(2);
    CServiceData* fourth = m_model->ServiceAt(3);
    CServiceData* eighth = m_model->ServiceAt(7);
    SelectRows(*m_list, {2, 3});
    DragOnViewport(m_list->viewport(), RowPoint(2), {RowPoint(5), RowPoint(7)});
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{1, 2, 5, 6, 7, 8, 3, 4, 9, 10}));
    QCOMPARE(failed.count(), 0);
    QCOMPARE(moved.count(), 1);
    const QList<QVariant> args = moved.takeFirst();
    QCOMPARE(args.at(0).value<CServiceData*>(), eighth);
    QCOMPARE(args.at(1).value<std::vector<CServiceData*>>(), (std::vector<CServiceData*>{third, fourth}));
    QCOMPARE(args.at(2).toBool(), true);
    // The moved rows stay selected.
    QCOMPARE(m_list->SelectedRows(), (std::vector<int>{6, 7}));
    QVERIFY(!m_list->DragController().IsDragging());
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestSortListCtrl::dragRowsUpwards()
{
    Build();
    QSignalSpy moved(m_list, &CSortListCtrl::RowsMoved);
    CServiceData* first = m_model->ServiceAt(0);
    SelectRows(*m_list, {2, 3});
    DragOnViewport(m_list->viewport(), RowPoint(3), {RowPoint(1), RowPoint(0)});
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{3, 4, 1, 2, 5, 6, 7, 8, 9, 10}));
    QCOMPARE(moved.count(), 1);
    const QList<QVariant> args = moved.takeFirst();
    QCOMPARE(args.at(0).value<CServiceData*>(), first);
    QCOMPARE(args.at(1).value<std::vector<CServiceData*>>().size(), size_t(2));
    QCOMPARE(args.at(2).toBool(), false);
    QCOMPARE(m_list->SelectedRows(), (std::vector<int>{0, 1}));
}

void TestSortListCtrl::dropOnSelectedRowFails()
{
    Build();
    QSignalSpy moved(m_list, &CSortListCtrl::RowsMoved);
    QSignalSpy failed(m_list, &CSortListCtrl::DropFailed);
    SelectRows(*m_list, {2, 3, 6});
    DragOnViewport(m_list->viewport(), RowPoint(2), {RowPoint(4), RowPoint(6)});
    QCOMPARE(failed.count(), 1);
    QCOMPARE(moved.count(), 0);
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    QCOMPARE(m_list->SelectedRows(), (std::vector<int>{2, 3, 6}));
}

void TestSortListCtrl::clickWithoutDragSelectsOneRow()
{
    Build();
    QSignalSpy clicked(m_list, &QAbstractItemView::clicked);
    SelectRows(*m_list, {2, 3, 6});
    // The press on a selected row keeps the selection for a drag ...
    QTest::mousePress(m_list->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(3));
    QCOMPARE(m_list->SelectedRows(), (std::vector<int>{2, 3, 6}));
    // ... and the release without a drag is an ordinary click.
    QTest::mouseRelease(m_list->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(3));
    QCOMPARE(m_list->SelectedRows(), (std::vector<int>{3}));
    QCOMPARE(m_list->currentIndex().row(), 3);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

void TestSortListCtrl::dragOntoDropTarget()
{
    Build();
    QSignalSpy moved(m_list, &CSortListCtrl::RowsMoved);
    SelectRows(*m_list, {4, 5});
    QWidget* vp = m_list->viewport();
    const QPoint over = vp->mapFromGlobal(m_target->mapToGlobal(m_target->rect().center()));
    DragOnViewport(vp, RowPoint(4), {RowPoint(6), over}, false);
    QVERIFY(m_list->DragController().IsDragging());
    QVERIFY(m_target->hovers > 0);
    QVERIFY(QApplication::overrideCursor() != nullptr);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
    QCOMPARE(m_list->DragController().DropTargetRow(), -1);
    // The drag image follows the cursor.
    QWidget* image = m_list->DragController().DragImage();
    QVERIFY(image != nullptr);
    QVERIFY(image->isVisible());
    QCOMPARE(image->pos(), vp->mapToGlobal(over) + CRowDragController::DragImageOffset());

    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, over);
    QCOMPARE(m_target->drops, 1);
    QCOMPARE(m_target->lastDrop, vp->mapToGlobal(over));
    QVERIFY(m_target->leaves >= 1);
    QCOMPARE(moved.count(), 0);
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestSortListCtrl::dropTargetThatRefusesShowsNoCursor()
{
    Build();
    m_target->accept = false;
    SelectRows(*m_list, {1});
    QWidget* vp = m_list->viewport();
    const QPoint over = vp->mapFromGlobal(m_target->mapToGlobal(m_target->rect().center()));
    DragOnViewport(vp, RowPoint(1), {RowPoint(3)}, false);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
    QCOMPARE(m_list->DragController().DropTargetRow(), 3);
    QTest::mouseMove(vp, over);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    // Back over the list: the target is told the cursor left.
    const int leavesBefore = m_target->leaves;
    QTest::mouseMove(vp, RowPoint(5));
    QCOMPARE(m_target->leaves, leavesBefore + 1);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
    QTest::mouseMove(vp, over);
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, over);
    QCOMPARE(m_target->drops, 1);
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

void TestSortListCtrl::escapeCancelsTheDrag()
{
    Build();
    QSignalSpy moved(m_list, &CSortListCtrl::RowsMoved);
    QSignalSpy failed(m_list, &CSortListCtrl::DropFailed);
    SelectRows(*m_list, {2, 3});
    QWidget* vp = m_list->viewport();
    DragOnViewport(vp, RowPoint(2), {RowPoint(8)}, false);
    QVERIFY(m_list->DragController().IsDragging());
    QCOMPARE(m_list->DragController().DropTargetRow(), 8);
    QTest::keyClick(m_list, Qt::Key_Escape);
    QVERIFY(!m_list->DragController().IsDragging());
    QVERIFY(m_list->DragController().DragImage() == nullptr);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, RowPoint(8));
    QCOMPARE(moved.count(), 0);
    QCOMPARE(failed.count(), 0);
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

void TestSortListCtrl::dragBelowTheRowsScrolls()
{
    Build();
    // Room for a few rows only.
    m_window->resize(900, m_list->horizontalHeader()->height() + 4 * m_list->rowHeight(0) + 30);
    QTest::qWait(20);
    QScrollBar* bar = m_list->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), 0);
    SelectRows(*m_list, {0});
    QWidget* vp = m_list->viewport();
    const QPoint below(30, vp->height() + 20);
    DragOnViewport(vp, RowPoint(0), {RowPoint(1), below}, false);
    QCOMPARE(m_list->DragController().AutoScrollDirection(), 1);
    QTRY_COMPARE(bar->value(), bar->maximum());
    // The target follows the last visible row.
    QCOMPARE(m_list->DragController().DropTargetRow(), 9);
    // Back over the rows the scrolling stops.
    const QPoint inside(30, vp->height() / 2);
    QTest::mouseMove(vp, inside);
    QCOMPARE(m_list->DragController().AutoScrollDirection(), 0);
    // Above the rows, over the header, it scrolls up again.
    QTest::mouseMove(vp, QPoint(30, -m_list->horizontalHeader()->height() / 2));
    QCOMPARE(m_list->DragController().AutoScrollDirection(), -1);
    QTRY_COMPARE(bar->value(), 0);
    QCOMPARE(m_list->DragController().DropTargetRow(), 0);
    QTest::mouseMove(vp, inside);
    const int target = m_list->DragController().DropTargetRow();
    QVERIFY(target > 0);
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, inside);
    QCOMPARE(m_model->NumberAt(target), 1);
}

void TestSortListCtrl::emptyListShowsText()
{
    const QColor text(255, 0, 0);
    const QColor back(0, 0, 255);
    m_model->SetColors(text, back, QColor(0, 255, 0), QColor(0, 0, 0));
    m_model->SetRows({});
    Build();
    QCOMPARE(m_list->palette().color(QPalette::Base), back);
    QCOMPARE(m_list->palette().color(QPalette::Text), text);
    const QImage image = m_list->viewport()->grab().toImage();
    int count = 0;
    int top = image.height();
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60) {
                ++count;
                top = std::min(top, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    QVERIFY2(count > 10, qPrintable(QStringLiteral("text pixels: %1").arg(count)));
    const qreal ratio = m_list->viewport()->devicePixelRatioF();
    QVERIFY(top >= int(10 * ratio));
    QVERIFY(top < int((10 + m_list->fontMetrics().height()) * ratio));
    // Centred: as much room on the left as on the right.
    QVERIFY(std::abs(left - (image.width() - 1 - right)) <= int(4 * ratio));
    // The background is the channel background.
    QCOMPARE(image.pixelColor(image.width() - 2, image.height() - 2), back);

    // With rows there is no such text.
    m_model->SetRows(SelectAllChannels(*m_doc, false));
    m_model->SetColors(QColor(0, 0, 0), back, QColor(0, 255, 0), QColor(0, 0, 0));
    const QImage rows = m_list->viewport()->grab().toImage();
    int redCount = 0;
    for (int y = 0; y < rows.height(); ++y) {
        for (int x = 0; x < rows.width(); ++x) {
            const QColor c = rows.pixelColor(x, y);
            redCount += c.red() > 200 && c.green() < 60 && c.blue() < 60 ? 1 : 0;
        }
    }
    QCOMPARE(redCount, 0);
}

// The list paints its cells itself (to look the selection up once per
// paint); what it shows must be what the table would show: selection, current
// cell with and without focus, moved and hidden columns, horizontal scroll.
void TestSortListCtrl::cellsLookAsTheTableDrawsThem()
{
    m_model->SetColors(QColor(10, 20, 30), QColor(250, 250, 240), QColor(0, 128, 0), QColor(255, 255, 255));
    Build();
    m_list->ToggleColumn(kColProvider);
    m_list->horizontalHeader()->moveSection(m_list->horizontalHeader()->visualIndex(kColName), 0);
    // Names too wide for their column are elided; one is empty.
    m_list->setColumnWidth(kColName, 60);
    m_model->ServiceAt(2)->SetNameText("");

    QTableView plain;
    plain.setModel(m_model.get());
    plain.setSelectionBehavior(QAbstractItemView::SelectRows);
    plain.setWordWrap(false);
    plain.verticalHeader()->hide();
    plain.verticalHeader()->setDefaultSectionSize(m_list->verticalHeader()->defaultSectionSize());
    plain.horizontalHeader()->restoreState(m_list->horizontalHeader()->saveState());
    plain.setPalette(m_list->palette());
    plain.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    plain.resize(m_list->size());
    plain.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plain));
    QCOMPARE(plain.viewport()->size(), m_list->viewport()->size());

    QItemSelection rows;
    for (int row : {1, 3, 4, 8})
        rows.select(m_model->index(row, 0), m_model->index(row, m_model->columnCount() - 1));
    for (QTableView* view : {static_cast<QTableView*>(m_list), &plain}) {
        view->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
        view->selectionModel()->setCurrentIndex(m_model->index(4, kColType), QItemSelectionModel::NoUpdate);
        view->horizontalScrollBar()->setValue(37);
    }
    const auto same = [&] {
        return m_list->viewport()->grab().toImage() == plain.viewport()->grab().toImage();
    };
    QVERIFY(same());

    // The current cell's focus frame, in whichever view has the focus.
    m_window->activateWindow();
    m_list->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    const QImage focused = m_list->viewport()->grab().toImage();
    plain.activateWindow();
    plain.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&plain));
    QVERIFY(plain.hasFocus());
    QCOMPARE(focused, plain.viewport()->grab().toImage());
    // The focus frame is drawn at all: without focus the list looks different.
    QVERIFY(focused != m_list->viewport()->grab().toImage());

    // The other look's style paints the same cells too.
    std::unique_ptr<QStyle> windows(QStyleFactory::create(QStringLiteral("Windows")));
    QVERIFY(windows != nullptr);
    m_list->setStyle(windows.get());
    plain.setStyle(windows.get());
    QVERIFY(plain.hasFocus());
    const QImage plainFocused = plain.viewport()->grab().toImage();
    m_window->activateWindow();
    m_list->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QCOMPARE(m_list->viewport()->grab().toImage(), plainFocused);
    m_list->setStyle(nullptr);
    plain.setStyle(nullptr);
}

QTEST_MAIN(TestSortListCtrl)
#include "tst_sortlistctrl.moc"
