// The statistics dialog and its pie chart: counts, header line, slices,
// sliders, placement, drawing and the accessible chart.
#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <cmath>
#include <numbers>

#include "DialogTestSupport.h"
#include "dialogs/PieChartWnd.h"
#include "dialogs/StatistikDlg.h"

using namespace ndbtest;

class TestStatistikDlg : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void titleLabelsAndValues();
    void headerLine();
    void chartSlicesAndLook();
    void chartFollowsTheDialogSize();
    void slidersSteerTheChart();
    void thePieIsDrawnInTheSliceColours();
    void chartIsAccessible();
    void theTwelveHundredChannelExample();
    void noChannelsGiveZerosAndAnEmptyChart();
    void legendScrollsOnlyWhenNeeded();
    void changesNothing();

private:
    CFakePrompts m_prompts;
    std::unique_ptr<CDocument> m_pDoc;
    std::unique_ptr<CStatistikDlg> m_pDlg;
};

void TestStatistikDlg::init()
{
    m_pDoc = dlgtest::LoadDocument(m_prompts, MakeSmallDatabase());
    QVERIFY(m_pDoc);
    m_pDlg = std::make_unique<CStatistikDlg>(m_pDoc->Core());
    m_pDlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pDlg.get()));
}

void TestStatistikDlg::cleanup()
{
    m_pDlg.reset();
    m_pDoc.reset();
}

void TestStatistikDlg::titleLabelsAndValues()
{
    QCOMPARE(m_pDlg->windowTitle(), QStringLiteral("Statistik - Informationen"));
    QVERIFY(m_pDlg->isModal());
    const QStringList captions = {QStringLiteral("Fernsehkanäle .  ."), QStringLiteral("Radiokanäle  .  .  ."),
                                  QStringLiteral("Gesamt  .  .  .  .  ."), QStringLiteral("Transponder.  .  ."),
                                  QStringLiteral("Satelliten  .  .  .  .")};
    // Five television and three radio channels; every slot of the tables
    // is a record.
    const QStringList values = {QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("8"),
                                QStringLiteral("7000"), QStringLiteral("250")};
    for (int r = 0; r < CStatistikDlg::kRowCount; ++r) {
        QCOMPARE(m_pDlg->CaptionLabel(r)->text(), captions[r]);
        QCOMPARE(m_pDlg->ValueLabel(r)->text(), values[r]);
        QVERIFY(!m_pDlg->ValueLabel(r)->accessibleName().isEmpty());
        // A screen reader reads the value, not only what it stands for.
        QAccessibleInterface* value = QAccessible::queryAccessibleInterface(m_pDlg->ValueLabel(r));
        QCOMPARE(value->text(QAccessible::Value), values[r]);
        QVERIFY(value->text(QAccessible::Name).endsWith(values[r]));
        // Label and value stand side by side in the left column.
        QCOMPARE(m_pDlg->ValueLabel(r)->geometry().top(), m_pDlg->CaptionLabel(r)->geometry().top());
        QVERIFY(m_pDlg->ValueLabel(r)->geometry().right() < m_pDlg->Chart()->geometry().left());
    }
    const QList<QPushButton*> buttons = m_pDlg->findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), 1);
    QCOMPARE(buttons[0]->text(), QStringLiteral("OK"));
    dlgtest::SaveShot(m_pDlg.get(), QStringLiteral("statistik"));
}

void TestStatistikDlg::headerLine()
{
    const QStringList expected = {QStringLiteral("V260.17 (P1.2.3) 05.03.2014"), QStringLiteral("10.0.0.255"),
                                  QStringLiteral("1.2 / 300.4"), QStringLiteral("K5-6 / M7.1024")};
    int lastRight = -1;
    for (int i = 0; i < 4; ++i) {
        QLabel* label = m_pDlg->HeaderLabel(i);
        QCOMPARE(label->text(), expected[i]);
        // One line at the bottom, left to right, below the chart.
        QCOMPARE(label->geometry().top(), m_pDlg->HeaderLabel(0)->geometry().top());
        QVERIFY(label->geometry().left() > lastRight);
        QVERIFY(label->geometry().top() >= m_pDlg->Chart()->geometry().bottom());
        QVERIFY(label->geometry().bottom() < m_pDlg->height());
        lastRight = label->geometry().right();
    }
    QVERIFY(lastRight < m_pDlg->OkButton()->geometry().left());
}

void TestStatistikDlg::chartSlicesAndLook()
{
    CPieChartWnd* chart = m_pDlg->Chart();
    QCOMPARE(chart->Title(), QStringLiteral("Kanalverteilung"));
    QCOMPARE(chart->BackgroundColor(), m_pDlg->palette().color(QPalette::Button));
    QCOMPARE(chart->PieOffset(), 35);
    const CPieChartData& data = chart->Data();
    QCOMPARE(data.GetCount(), 4);
    // Sky Cinema scrambled on television; Antenne Bayern on radio.
    const char* keys[] = {"TV fta", "TV €", "Radio", "Radio €"};
    const double values[] = {4, 1, 2, 1};
    const uint32_t colours[] = {0xFF6495ED, 0xFF006400, 0xFFCD5C5C, 0xFFDC143C};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(QString::fromStdString(data.Slices()[size_t(i)].key), QString::fromUtf8(keys[i]));
        QCOMPARE(data.Slices()[size_t(i)].value, values[i]);
        QCOMPARE(data.Slices()[size_t(i)].color, colours[i]);
    }
    QCOMPARE(data.StartAngle(), 70);
}

void TestStatistikDlg::chartFollowsTheDialogSize()
{
    for (const QSize size : {QSize(860, 540), QSize(1000, 700), QSize(600, 420)}) {
        m_pDlg->resize(size);
        const QSize client = m_pDlg->size();
        const ChartRect expected = StatisticsChartRect(client.width(), client.height());
        const QRect g = m_pDlg->Chart()->geometry();
        QCOMPARE(g, QRect(expected.left, expected.top, expected.Width(), expected.Height()));
        // The pie's square in the chart follows the chart's own size.
        const PieChartLayout layout = ComputePieChartLayout(g.width(), g.height(), 35);
        QCOMPARE(m_pDlg->Chart()->Layout().pie, layout.pie);
    }
    m_pDlg->resize(860, 540);
    QCOMPARE(m_pDlg->Chart()->geometry(), QRect(220, 20, 620, 540 - 70 - 20));
}

void TestStatistikDlg::slidersSteerTheChart()
{
    QSlider* angle = m_pDlg->AngleSlider();
    QSlider* separation = m_pDlg->SeparationSlider();
    QCOMPARE(angle->minimum(), 0);
    QCOMPARE(angle->maximum(), 360);
    QCOMPARE(angle->value(), 70);
    QCOMPARE(separation->minimum(), 0);
    QCOMPARE(separation->maximum(), 20);
    QCOMPARE(separation->value(), 7);
    // The sliders stand below the left column.
    QVERIFY(angle->geometry().top() > m_pDlg->ValueLabel(CStatistikDlg::kRowSatellites)->geometry().bottom());
    QVERIFY(separation->geometry().top() > angle->geometry().bottom());
    QVERIFY(separation->geometry().right() < m_pDlg->Chart()->geometry().left());
    QVERIFY(!angle->accessibleName().isEmpty() && !separation->accessibleName().isEmpty());

    // Opens with 10 percent although the slider shows 7.
    QCOMPARE(m_pDlg->Chart()->Data().Separation(), 10);
    separation->setFocus();
    QTest::keyClick(separation, Qt::Key_Right);
    QCOMPARE(separation->value(), 8);
    QCOMPARE(m_pDlg->Chart()->Data().Separation(), 8);
    QTest::keyClick(separation, Qt::Key_Left);
    QCOMPARE(m_pDlg->Chart()->Data().Separation(), 7);

    angle->setValue(200);
    QCOMPARE(m_pDlg->Chart()->Data().StartAngle(), 200);
    QCOMPARE(m_pDlg->Chart()->Data().Angles()[0].start, 200.0);
    // 360 draws like 0.
    angle->setValue(360);
    QCOMPARE(m_pDlg->Chart()->Data().StartAngle(), 0);
    const QImage at360 = m_pDlg->Chart()->grab().toImage();
    angle->setValue(0);
    QCOMPARE(m_pDlg->Chart()->grab().toImage(), at360);
    angle->setValue(90);
    QVERIFY(m_pDlg->Chart()->grab().toImage() != at360);
}

void TestStatistikDlg::thePieIsDrawnInTheSliceColours()
{
    CPieChartWnd* chart = m_pDlg->Chart();
    const QImage image = chart->grab().toImage();
    const QColor background = chart->BackgroundColor();
    const PieGeometry g = ComputePieGeometry(chart->Layout().pie, chart->Data().Separation());
    const std::vector<SliceAngles> angles = chart->Data().Angles();
    for (size_t i = 0; i < angles.size(); ++i) {
        // Half way out along the slice's middle, on its top face.
        const double mid = angles[i].Middle() * std::numbers::pi / 180;
        const int x = int(g.centerX + g.OffsetX(angles[i]) + std::cos(mid) * g.width / 4);
        const int y = int(g.centerY + g.OffsetY(angles[i]) + std::sin(mid) * g.height / 4);
        const QColor seen = image.pixelColor(x, y);
        const QColor base = QColor::fromRgba(chart->Data().Slices()[i].color);
        const QColor light = QColor::fromRgba(chart->Data().Slices()[i].lighter);
        QVERIFY2(seen != background, qPrintable(QStringLiteral("slice %1").arg(i)));
        // The top face is shaded between the lighter shade and the colour.
        const auto between = [](int v, int a, int b) { return v >= std::min(a, b) - 2 && v <= std::max(a, b) + 2; };
        QVERIFY2(between(seen.red(), base.red(), light.red()) && between(seen.green(), base.green(), light.green()) &&
                     between(seen.blue(), base.blue(), light.blue()),
                 qPrintable(QStringLiteral("slice %1: %2").arg(i).arg(seen.name())));
    }
    // The side wall below the front of the pie carries a darker shade.
    const int below = int(g.centerY + g.height / 2 + g.depth / 2 + g.displacement * 0.55);
    const QColor wall = image.pixelColor(int(g.centerX), below);
    QVERIFY2(wall != background, qPrintable(wall.name()));
    // Anti-aliased: the pie's edge has pixels between slice and background.
    QSet<QRgb> edge;
    for (int x = chart->Layout().pie.left; x < chart->Layout().pie.right; ++x)
        edge.insert(image.pixel(x, int(g.centerY)));
    QVERIFY(edge.size() > 8);
    dlgtest::SaveShot(chart, QStringLiteral("statistik-chart"));
}

void TestStatistikDlg::chartIsAccessible()
{
    CPieChartWnd* chart = m_pDlg->Chart();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(chart);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Chart);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Kanalverteilung"));
    QCOMPARE(iface->text(QAccessible::Description),
             QStringLiteral("TV fta 50.00%, TV € 12.50%, Radio 25.00%, Radio € 12.50%"));
}

void TestStatistikDlg::theTwelveHundredChannelExample()
{
    StatisticsCounts c;
    c.tv = 1200;
    c.scrambledTv = 300;
    c.radio = 400;
    c.transponders = 7000;
    c.satellites = 250;
    CStatistikDlg dlg(c, {"a", "b", "c", "d"});
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(dlg.ValueLabel(CStatistikDlg::kRowTotal)->text(), QStringLiteral("1600"));
    QCOMPARE(dlg.ValueLabel(CStatistikDlg::kRowTv)->text(), QStringLiteral("1200"));
    QCOMPARE(dlg.Chart()->Data().GetCount(), 3);
    QCOMPARE(dlg.Chart()->LegendSummary(), QStringLiteral("TV fta 56.25%, TV € 18.75%, Radio 25.00%"));
    QCOMPARE(dlg.HeaderLabel(3)->text(), QStringLiteral("d"));
    dlgtest::SaveShot(&dlg, QStringLiteral("statistik-1600"));
}

void TestStatistikDlg::noChannelsGiveZerosAndAnEmptyChart()
{
    TestDatabase db = MakeSmallDatabase();
    db.services = ServiceBody();
    db.services.PlaceInArrayOrder({}, {});
    auto doc = dlgtest::LoadDocument(m_prompts, db);
    QVERIFY(doc);
    CStatistikDlg dlg(doc->Core());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    for (int r : {CStatistikDlg::kRowTv, CStatistikDlg::kRowRadio, CStatistikDlg::kRowTotal})
        QCOMPARE(dlg.ValueLabel(r)->text(), QStringLiteral("0"));
    QCOMPARE(dlg.Chart()->Data().GetCount(), 0);
    // Nothing but background (and the title) in the pie's square.
    const QImage image = dlg.Chart()->grab().toImage();
    const ChartRect pie = dlg.Chart()->Layout().pie;
    const QRgb background = dlg.Chart()->BackgroundColor().rgb();
    for (int y = pie.top; y < std::min(pie.bottom, image.height()); y += 3)
        for (int x = pie.left; x < std::min(pie.right, image.width()); x += 3)
            QCOMPARE(image.pixel(x, y), background);
}

void TestStatistikDlg::legendScrollsOnlyWhenNeeded()
{
    QVERIFY(!m_pDlg->Chart()->LegendScrollBar()->isVisible());
    CPieChartWnd chart(QStringLiteral("Viele"), QRect(0, 0, 500, 260));
    for (int i = 0; i < 30; ++i)
        chart.AddSlice(QStringLiteral("S%1").arg(i), QString(), 1 + i, 0xFF000000u + QRgb(i * 0x070503));
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QScrollBar* bar = chart.LegendScrollBar();
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->width(), 20);
    QCOMPARE(bar->geometry().right(), chart.Layout().legend.right - 1);
    QVERIFY(bar->maximum() > 0);
    // Growing the window until all rows fit hides it again.
    chart.resize(500, 100 + 30 * chart.LegendRowHeight() + 40);
    QTRY_VERIFY(!bar->isVisible());
}

void TestStatistikDlg::changesNothing()
{
    const Bytes before = m_pDoc->Core().Save();
    m_pDlg->AngleSlider()->setValue(5);
    m_pDlg->SeparationSlider()->setValue(20);
    QTest::mouseClick(m_pDlg->OkButton(), Qt::LeftButton);
    QCOMPARE(m_pDlg->result(), int(QDialog::Accepted));
    QVERIFY(!m_pDoc->IsModified());
    QVERIFY(m_pDoc->Core().Save() == before);
}

QTEST_MAIN(TestStatistikDlg)
#include "tst_statistikdlg.moc"
