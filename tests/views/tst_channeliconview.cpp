// The channel list in list display and icon modes: the layout per mode,
// the number before the name, moving rows by dragging and the empty text.
#include <QApplication>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "ChannelListTestSupport.h"
#include "document/ChannelRows.h"
#include "model/ServiceData.h"
#include "views/ChannelIconView.h"
#include "views/RowDragController.h"

using namespace viewtest;

Q_DECLARE_METATYPE(CServiceData*)
Q_DECLARE_METATYPE(std::vector<CServiceData*>)

class TestChannelIconView : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void namesAndListMode();
    void iconModes();
    void dragRowsInListMode();
    void dragRowsInIconMode();
    void dropOnSelectedRowFails();
    void dragOntoDropTarget();
    void listModeScrollsSideways();
    void emptyListShowsText();

private:
    void Build(int width = 700, int height = 400);
    QPoint RowPoint(int row) const;

    std::unique_ptr<CVandrelEdit2028Doc> m_doc;
    std::unique_ptr<CChannelListModel> m_model;
    std::unique_ptr<QWidget> m_window;
    CChannelIconView* m_view = nullptr;
    CFakeDropTarget* m_target = nullptr;
};

void TestChannelIconView::init()
{
    qRegisterMetaType<CServiceData*>();
    qRegisterMetaType<std::vector<CServiceData*>>();
    m_doc = LoadDocument(MakeTenChannelDatabase());
    QVERIFY(m_doc != nullptr);
    m_model = std::make_unique<CChannelListModel>(*m_doc);
    m_model->SetRows(SelectAllChannels(*m_doc, false));
}

void TestChannelIconView::cleanup()
{
    m_window.reset();
    m_view = nullptr;
    m_target = nullptr;
    m_model.reset();
    m_doc.reset();
}

void TestChannelIconView::Build(int width, int height)
{
    m_window = std::make_unique<QWidget>();
    auto* layout = new QHBoxLayout(m_window.get());
    m_target = new CFakeDropTarget;
    m_target->setMinimumWidth(150);
    m_view = new CChannelIconView(*m_model);
    layout->addWidget(m_target);
    layout->addWidget(m_view, 1);
    m_window->resize(width, height);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

QPoint TestChannelIconView::RowPoint(int row) const
{
    return m_view->visualRect(m_model->index(row, 0)).center();
}

void TestChannelIconView::namesAndListMode()
{
    Build();
    QCOMPARE(m_view->objectName(), QStringLiteral("channelIconList"));
    QCOMPARE(m_view->accessibleName(), QStringLiteral("Kanalliste"));
    QCOMPARE(m_view->GetDisplayMode(), CChannelIconView::DisplayMode::List);
    QCOMPARE(m_view->viewMode(), QListView::ListMode);
    QCOMPARE(m_view->flow(), QListView::TopToBottom);
    QVERIFY(m_view->isWrapping());
    QCOMPARE(m_view->modelColumn(), 0);
    QCOMPARE(m_view->selectionMode(), QAbstractItemView::ExtendedSelection);
    QVERIFY(!m_view->dragEnabled());
    QVERIFY(m_model->IsListDisplay());
    QCOMPARE(m_model->data(m_model->index(2, 0), Qt::DisplayRole).toString(), QStringLiteral("   3 Bayern"));
    QCOMPARE(m_view->DragController().ScrollOrientation(), Qt::Horizontal);
    // Top to bottom: the second row stands below the first.
    QVERIFY(RowPoint(1).y() > RowPoint(0).y());
    QCOMPARE(RowPoint(1).x(), RowPoint(0).x());
}

void TestChannelIconView::iconModes()
{
    Build();
    m_view->SetDisplayMode(CChannelIconView::DisplayMode::LargeIcons);
    QCOMPARE(m_view->viewMode(), QListView::IconMode);
    QCOMPARE(m_view->iconSize(), QSize(32, 32));
    QCOMPARE(m_view->movement(), QListView::Static);
    QVERIFY(!m_view->dragEnabled());
    QCOMPARE(m_view->dragDropMode(), QAbstractItemView::NoDragDrop);
    QVERIFY(!m_model->IsListDisplay());
    QCOMPARE(m_model->CellText(2, 0), QStringLiteral("Bayern"));
    QCOMPARE(m_view->DragController().ScrollOrientation(), Qt::Vertical);
    // Left to right: the second icon stands beside the first.
    QCOMPARE(RowPoint(1).y(), RowPoint(0).y());
    QVERIFY(RowPoint(1).x() > RowPoint(0).x());

    m_view->SetDisplayMode(CChannelIconView::DisplayMode::SmallIcons);
    QCOMPARE(m_view->viewMode(), QListView::IconMode);
    QCOMPARE(m_view->iconSize(), QSize(16, 16));
    m_view->SetDisplayMode(CChannelIconView::DisplayMode::List);
    QVERIFY(m_model->IsListDisplay());
    QCOMPARE(m_view->viewMode(), QListView::ListMode);
}

void TestChannelIconView::dragRowsInListMode()
{
    Build();
    QSignalSpy moved(m_view, &CChannelIconView::RowsMoved);
    CServiceData* eighth = m_model->ServiceAt(7);
    SelectRows(*m_view, {2, 3});
    DragOnViewport(m_view->viewport(), RowPoint(2), {RowPoint(5), RowPoint(7)});
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{1, 2, 5, 6, 7, 8, 3, 4, 9, 10}));
    QCOMPARE(moved.count(), 1);
    const QList<QVariant> args = moved.takeFirst();
    QCOMPARE(args.at(0).value<CServiceData*>(), eighth);
    QCOMPARE(args.at(2).toBool(), true);
    QCOMPARE(m_view->SelectedRows(), (std::vector<int>{6, 7}));

    SelectRows(*m_view, {6, 7});
    DragOnViewport(m_view->viewport(), RowPoint(7), {RowPoint(3), RowPoint(0)});
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{3, 4, 1, 2, 5, 6, 7, 8, 9, 10}));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.takeFirst().at(2).toBool(), false);
}

void TestChannelIconView::dragRowsInIconMode()
{
    Build();
    m_view->SetDisplayMode(CChannelIconView::DisplayMode::LargeIcons);
    QSignalSpy moved(m_view, &CChannelIconView::RowsMoved);
    SelectRows(*m_view, {2, 3});
    DragOnViewport(m_view->viewport(), RowPoint(3), {RowPoint(5), RowPoint(7)});
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{1, 2, 5, 6, 7, 8, 3, 4, 9, 10}));
    QCOMPARE(moved.count(), 1);
}

void TestChannelIconView::dropOnSelectedRowFails()
{
    Build();
    QSignalSpy moved(m_view, &CChannelIconView::RowsMoved);
    QSignalSpy failed(m_view, &CChannelIconView::DropFailed);
    SelectRows(*m_view, {1, 5});
    DragOnViewport(m_view->viewport(), RowPoint(1), {RowPoint(3), RowPoint(5)});
    QCOMPARE(failed.count(), 1);
    QCOMPARE(moved.count(), 0);
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

void TestChannelIconView::dragOntoDropTarget()
{
    Build();
    QSignalSpy moved(m_view, &CChannelIconView::RowsMoved);
    SelectRows(*m_view, {4});
    QWidget* vp = m_view->viewport();
    const QPoint over = vp->mapFromGlobal(m_target->mapToGlobal(m_target->rect().center()));
    DragOnViewport(vp, RowPoint(4), {RowPoint(6), over}, false);
    QVERIFY(m_target->hovers > 0);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, over);
    QCOMPARE(m_target->drops, 1);
    QCOMPARE(moved.count(), 0);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestChannelIconView::listModeScrollsSideways()
{
    // Three names per column: the columns run off to the right.
    Build(300, 10);
    const int rowHeight = m_view->visualRect(m_model->index(0, 0)).height();
    m_window->resize(300, 3 * rowHeight + m_view->horizontalScrollBar()->sizeHint().height() + 40);
    QTest::qWait(20);
    QScrollBar* bar = m_view->horizontalScrollBar();
    QVERIFY(bar->maximum() > 0);
    SelectRows(*m_view, {0});
    QWidget* vp = m_view->viewport();
    const QPoint right(vp->width() + 30, vp->height() / 2);
    DragOnViewport(vp, RowPoint(0), {RowPoint(0) + QPoint(0, 15), right}, false);
    QCOMPARE(m_view->DragController().AutoScrollDirection(), 1);
    QTRY_COMPARE(bar->value(), bar->maximum());
    QCOMPARE(m_view->verticalScrollBar()->value(), 0);
    QTest::mouseMove(vp, QPoint(-10, vp->height() / 2));
    QCOMPARE(m_view->DragController().AutoScrollDirection(), -1);
    QTRY_COMPARE(bar->value(), 0);
    QTest::keyClick(m_view, Qt::Key_Escape);
    QVERIFY(!m_view->DragController().IsDragging());
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, QPoint(-10, vp->height() / 2));
}

void TestChannelIconView::emptyListShowsText()
{
    const QColor text(255, 0, 0);
    const QColor back(0, 0, 255);
    m_model->SetColors(text, back, QColor(0, 255, 0), QColor(0, 0, 0));
    m_model->SetRows({});
    Build();
    const QImage image = m_view->viewport()->grab().toImage();
    int count = 0;
    int top = image.height();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60) {
                ++count;
                top = std::min(top, y);
            }
        }
    }
    QVERIFY(count > 10);
    QVERIFY(top >= int(10 * m_view->viewport()->devicePixelRatioF()));
    QCOMPARE(image.pixelColor(image.width() - 2, image.height() - 2), back);
}

QTEST_MAIN(TestChannelIconView)
#include "tst_channeliconview.moc"
