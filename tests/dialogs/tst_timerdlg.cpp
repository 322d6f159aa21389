// The timer dialog on a loaded database: columns, rows, icons, the header
// sort, the empty-list message, and that it changes nothing.
#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>
#include <QPushButton>
#include <QTest>

#include "DialogTestSupport.h"
#include "dialogs/TimerDlg.h"
#include "dialogs/TimerListCtrl.h"

using namespace ndbtest;

namespace {

// Four timers in slots 1, 4, 5 and 9, dates not in order; slot 3 carries
// bytes but no in-use word.
TestDatabase FourTimers()
{
    TestDatabase db = MakeSmallDatabase();
    db.timers = TimerBody();
    db.timers.records[1].InUseWords(3, 0, 0).Mode(2).Icon(0).Date(2013, 3, 1).StartBcd(0x21, 0x05).Duration(150).Name("Nachrichten");
    db.timers.records[3].Kept(7).Mode(1);
    db.timers.records[4].InUseWords(0, 5, 0).Mode(1).Icon(1).Date(2014, 2, 1).StartBcd(0x09, 0x30).Duration(1439).Name("arte Doku");
    db.timers.records[5]
        .InUseWords(0, 0, 1)
        .Mode(7)
        .Icon(1)
        .Date(2014, 2, 1)
        .StartBcd(0x08, 0x00)
        .Duration(0)
        .Name("Zapping am Vormittag");
    db.timers.records[9].InUseWords(9, 9, 9).Mode(4).Icon(0).Date(2012, 12, 24).StartBcd(0x18, 0x45).Duration(90).Name("BBC");
    return db;
}

QStringList ColumnTexts(const CTimerListCtrl* list, int column)
{
    QStringList out;
    for (int r = 0; r < list->rowCount(); ++r)
        out << list->item(r, column)->text();
    return out;
}

void ClickHeader(CTimerListCtrl* list, int column)
{
    QHeaderView* header = list->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

// Pixels of the viewport's top area that differ from its background.
int InkPixels(QWidget* viewport)
{
    const QImage image = viewport->grab().toImage();
    const QRgb background = image.pixel(2, image.height() - 3);
    int ink = 0;
    for (int y = 0; y < std::min(image.height(), 60); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += image.pixel(x, y) != background;
    return ink;
}

} // namespace

class TestTimerDlg : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void titleColumnsAndButton();
    void rowsOfTheTimersInUse();
    void firstRowSelectedAndGridShown();
    void headerSortsAndReverses();
    void numberColumnSortsAsIntegers();
    void emptyListShowsTheMessage();
    void changesNothing();

private:
    void Open(const TestDatabase& db);
    CTimerListCtrl* List() const { return m_pDlg->List(); }

    CFakePrompts m_prompts;
    std::unique_ptr<CDocument> m_pDoc;
    std::unique_ptr<CTimerDlg> m_pDlg;
};

void TestTimerDlg::init()
{
    Open(FourTimers());
}

void TestTimerDlg::cleanup()
{
    m_pDlg.reset();
    m_pDoc.reset();
}

void TestTimerDlg::Open(const TestDatabase& db)
{
    m_pDlg.reset();
    m_pDoc = dlgtest::LoadDocument(m_prompts, db);
    QVERIFY(m_pDoc);
    m_pDlg = std::make_unique<CTimerDlg>(&m_pDoc->Core().m_timers);
    m_pDlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pDlg.get()));
}

void TestTimerDlg::titleColumnsAndButton()
{
    QCOMPARE(m_pDlg->windowTitle(), QStringLiteral("Timer"));
    QVERIFY(m_pDlg->isModal());
    QCOMPARE(m_pDlg->objectName(), QStringLiteral("timerDialog"));
    const QList<QPushButton*> buttons = m_pDlg->findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), 1);
    QCOMPARE(buttons[0]->text(), QStringLiteral("OK"));
    QCOMPARE(List()->columnCount(), 6);
    const QStringList captions = {QStringLiteral("#"),     QStringLiteral("Modus"),    QStringLiteral("Zeit"),
                                  QStringLiteral("Datum"), QStringLiteral("Laufzeit"), QStringLiteral("Programm")};
    // The widths of the columns, widened where a text needs more room
    // (a twenty-letter programme name, "Wöchentlich").
    const int widths[] = {50, 75, 45, 90, 85, 90};
    for (int c = 0; c < 6; ++c) {
        QCOMPARE(List()->horizontalHeaderItem(c)->text(), captions[c]);
        QVERIFY(List()->columnWidth(c) >= widths[c]);
        QVERIFY2(List()->columnWidth(c) >= static_cast<QAbstractItemView*>(List())->sizeHintForColumn(c),
                 qPrintable(captions[c]));
        const Qt::Alignment h = Qt::Alignment(List()->horizontalHeaderItem(c)->textAlignment()) & Qt::AlignHorizontal_Mask;
        QCOMPARE(h, c == 0 ? Qt::AlignRight : Qt::AlignLeft);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{m_pDlg.get(), List(), m_pDlg->OkButton()})
        QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
    // The six columns fit without scrolling sideways.
    QVERIFY(!List()->horizontalScrollBar()->isVisible());
    dlgtest::SaveShot(m_pDlg.get(), QStringLiteral("timer"));
}

void TestTimerDlg::rowsOfTheTimersInUse()
{
    QCOMPARE(List()->rowCount(), 4);
    QCOMPARE(ColumnTexts(List(), 0),
             (QStringList{QStringLiteral("    1"), QStringLiteral("    2"), QStringLiteral("    3"), QStringLiteral("    4")}));
    QCOMPARE(ColumnTexts(List(), 1), (QStringList{QStringLiteral("Täglich"), QStringLiteral("Einmal"),
                                                  QStringLiteral("Unbekannt"), QStringLiteral("Mo - Fr")}));
    QCOMPARE(ColumnTexts(List(), 2), (QStringList{QStringLiteral("21:05"), QStringLiteral("09:30"),
                                                  QStringLiteral("08:00"), QStringLiteral("18:45")}));
    QCOMPARE(ColumnTexts(List(), 3), (QStringList{QStringLiteral("01.03.2013"), QStringLiteral("01.02.2014"),
                                                  QStringLiteral("01.02.2014"), QStringLiteral("24.12.2012")}));
    QCOMPARE(ColumnTexts(List(), 4), (QStringList{QStringLiteral("02:30"), QStringLiteral("23:59"),
                                                  QStringLiteral("00:00"), QStringLiteral("01:30")}));
    QCOMPARE(ColumnTexts(List(), 5), (QStringList{QStringLiteral("Nachrichten"), QStringLiteral("arte Doku"),
                                                  QStringLiteral("Zapping am Vormittag"), QStringLiteral("BBC")}));
    // Item data: the record's index in the array (slot 3 is skipped).
    QCOMPARE(List()->RecordIndexOfRow(0), 1);
    QCOMPARE(List()->RecordIndexOfRow(1), 4);
    QCOMPARE(List()->RecordIndexOfRow(2), 5);
    QCOMPARE(List()->RecordIndexOfRow(3), 9);
    // Icons by index: rows 2 and 3 share icon 1, rows 1 and 4 icon 0.
    const auto iconImage = [this](int row) { return List()->item(row, 0)->icon().pixmap(16, 16).toImage(); };
    QVERIFY(!iconImage(0).isNull());
    QCOMPARE(iconImage(0), iconImage(3));
    QCOMPARE(iconImage(1), iconImage(2));
    QVERIFY(iconImage(0) != iconImage(1));
    QVERIFY2(List()->item(0, 1)->icon().isNull(), "only the first column carries the icon");
}

void TestTimerDlg::firstRowSelectedAndGridShown()
{
    QCOMPARE(List()->currentRow(), 0);
    QCOMPARE(List()->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(List()->selectionModel()->selectedRows().first().row(), 0);
    QVERIFY(List()->hasFocus());
    QVERIFY(List()->showGrid());
    QCOMPARE(List()->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(List()->editTriggers(), QAbstractItemView::NoEditTriggers);
}

void TestTimerDlg::headerSortsAndReverses()
{
    ClickHeader(List(), 3);
    QCOMPARE(List()->SortColumn(), 3);
    QVERIFY(List()->SortAscending());
    // By the text, day first; the two on 01.02.2014 by their times.
    QCOMPARE(ColumnTexts(List(), 3), (QStringList{QStringLiteral("01.02.2014"), QStringLiteral("01.02.2014"),
                                                  QStringLiteral("01.03.2013"), QStringLiteral("24.12.2012")}));
    QCOMPARE(ColumnTexts(List(), 2).mid(0, 2), (QStringList{QStringLiteral("08:00"), QStringLiteral("09:30")}));
    // The selected timer (slot 1) stays selected.
    QCOMPARE(List()->RecordIndexOfRow(List()->currentRow()), 1);

    ClickHeader(List(), 3);
    QVERIFY(!List()->SortAscending());
    QCOMPARE(ColumnTexts(List(), 3), (QStringList{QStringLiteral("24.12.2012"), QStringLiteral("01.03.2013"),
                                                  QStringLiteral("01.02.2014"), QStringLiteral("01.02.2014")}));
    QCOMPARE(ColumnTexts(List(), 2).mid(2), (QStringList{QStringLiteral("09:30"), QStringLiteral("08:00")}));

    // Another column starts ascending; text without regard to case.
    ClickHeader(List(), 5);
    QVERIFY(List()->SortAscending());
    QCOMPARE(ColumnTexts(List(), 5),
             (QStringList{QStringLiteral("arte Doku"), QStringLiteral("BBC"), QStringLiteral("Nachrichten"),
                          QStringLiteral("Zapping am Vormittag")}));
    // The cells of a row travel together.
    QCOMPARE(List()->RecordIndexOfRow(0), 4);
    QCOMPARE(List()->item(0, 2)->text(), QStringLiteral("09:30"));
    dlgtest::SaveShot(m_pDlg.get(), QStringLiteral("timer-sorted"));
}

void TestTimerDlg::numberColumnSortsAsIntegers()
{
    // Twelve timers: "   10" and "    9" must sort as numbers.
    TestDatabase db = MakeSmallDatabase();
    db.timers = TimerBody();
    for (int i = 0; i < 12; ++i) {
        db.timers.records[static_cast<size_t>(i)].InUseWords(1, 0, 0).Mode(1).Date(2014, 1, 12 - i).Name("T" + std::to_string(i));
    }
    Open(db);
    QCOMPARE(List()->rowCount(), 12);
    ClickHeader(List(), 3); // by date: reverses the rows
    QCOMPARE(List()->item(0, 0)->text(), QStringLiteral("   12"));
    ClickHeader(List(), 0);
    QVERIFY(List()->SortAscending());
    QStringList expected;
    for (int i = 1; i <= 12; ++i)
        expected << QStringLiteral("%1").arg(i, 5);
    QCOMPARE(ColumnTexts(List(), 0), expected);
    ClickHeader(List(), 0);
    std::reverse(expected.begin(), expected.end());
    QCOMPARE(ColumnTexts(List(), 0), expected);
}

void TestTimerDlg::emptyListShowsTheMessage()
{
    TestDatabase db = MakeSmallDatabase();
    db.timers = TimerBody();
    db.timers.records[0].Kept(3); // bytes, but not in use
    Open(db);
    QCOMPARE(List()->rowCount(), 0);
    QVERIFY2(InkPixels(List()->viewport()) > 20, "the message is painted below the header");
    dlgtest::SaveShot(m_pDlg.get(), QStringLiteral("timer-empty"));

    // Without an array at all, the same.
    CTimerDlg none(nullptr);
    none.show();
    QVERIFY(QTest::qWaitForWindowExposed(&none));
    QCOMPARE(none.List()->rowCount(), 0);
    QVERIFY(InkPixels(none.List()->viewport()) > 20);

    // A list with rows paints no message: the rows' area below them stays blank.
    Open(FourTimers());
    const QImage image = List()->viewport()->grab().toImage();
    const int belowRows = List()->rowViewportPosition(3) + List()->rowHeight(3) + 12;
    const QRgb background = image.pixel(image.width() / 2, image.height() - 3);
    for (int x = 0; x < image.width(); ++x)
        QCOMPARE(image.pixel(x, belowRows), background);
}

void TestTimerDlg::changesNothing()
{
    const Bytes before = m_pDoc->Core().Save();
    ClickHeader(List(), 3);
    ClickHeader(List(), 5);
    QTest::mouseClick(m_pDlg->OkButton(), Qt::LeftButton);
    QCOMPARE(m_pDlg->result(), int(QDialog::Accepted));
    QVERIFY(!m_pDlg->isVisible());
    QVERIFY(!m_pDoc->IsModified());
    QVERIFY(m_pDoc->Core().Save() == before);
}

QTEST_MAIN(TestTimerDlg)
#include "tst_timerdlg.moc"
