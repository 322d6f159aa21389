// The About box: texts, pictures, the painted scrambled line, the 40 ms
// animation, and closing by a click on the dialog's surface.
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "DialogTestSupport.h"
#include "dialogs/AboutCtrl.h"
#include "dialogs/AboutDlg.h"
#include "document/AboutText.h"

namespace {

// Pixels of the image close to the colour.
int CountNear(const QImage& image, const QColor& colour, int tolerance = 40)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 200 && std::abs(c.red() - colour.red()) < tolerance &&
                std::abs(c.green() - colour.green()) < tolerance && std::abs(c.blue() - colour.blue()) < tolerance)
                ++n;
        }
    return n;
}

} // namespace

class TestAboutDlg : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void titleTextsAndPictures();
    void dialogTextIsPaintedInItsFont();
    void creditsPicture();
    void animationRunsAt40Milliseconds();
    void eachTickMovesTheText();
    void clickOnTheSurfaceCloses();
    void clickOnTheAnimationDoesNot();
    void okCloses();

private:
    std::unique_ptr<CAboutDlg> m_pDlg;
};

void TestAboutDlg::init()
{
    m_pDlg = std::make_unique<CAboutDlg>();
    m_pDlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pDlg.get()));
}

void TestAboutDlg::cleanup()
{
    m_pDlg.reset();
}

void TestAboutDlg::titleTextsAndPictures()
{
    QCOMPARE(m_pDlg->windowTitle(), QStringLiteral("Info über VandrelEdit2028"));
    QVERIFY(m_pDlg->isModal());
    QCOMPARE(m_pDlg->VersionLabel()->text(), QStringLiteral("VandrelEdit2028, Version " VE_VERSION));
    QCOMPARE(m_pDlg->OkButton()->text(), QStringLiteral("OK"));
    auto* icon = m_pDlg->findChild<QLabel*>(QStringLiteral("programIcon"));
    auto* strip = m_pDlg->findChild<QLabel*>(QStringLiteral("aboutStrip"));
    QVERIFY(icon && strip);
    QVERIFY(!icon->pixmap().isNull());
    QVERIFY(!strip->pixmap().isNull());
    // The strip runs along the left edge, the animation fills most of the rest.
    QCOMPARE(strip->geometry().left(), 0);
    QVERIFY(strip->geometry().height() >= m_pDlg->height() - 2);
    const QRect anim = m_pDlg->Animation()->geometry();
    QVERIFY(anim.left() > strip->geometry().right());
    QVERIFY(anim.width() * anim.height() > m_pDlg->width() * m_pDlg->height() / 2);
    QVERIFY(icon->geometry().bottom() < anim.top());
    for (QWidget* w : std::initializer_list<QWidget*>{m_pDlg.get(), m_pDlg->Animation(), m_pDlg->OkButton()})
        QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
    QTest::qWait(200);
    dlgtest::SaveShot(m_pDlg.get(), QStringLiteral("about"));
}

void TestAboutDlg::dialogTextIsPaintedInItsFont()
{
    const QFont& f = m_pDlg->TextFont();
    QCOMPARE(f.family(), QStringLiteral("Verdana"));
    QCOMPARE(f.pixelSize(), 25);
    QCOMPARE(f.weight(), QFont::Bold);
    QVERIFY(f.italic());
    const QString text = CAboutDlg::PaintedText();
    QCOMPARE(text, QString::fromStdString(AboutDialogText()));
    QVERIFY(!text.isEmpty());
    // Drawn 15 pixels from the top, centred plus 25: ink above the animation,
    // spread around the middle shifted right.
    const QImage image =
        m_pDlg->grab(QRect(0, 0, m_pDlg->width(), m_pDlg->Animation()->geometry().top())).toImage();
    const QColor ink = m_pDlg->palette().color(QPalette::WindowText);
    int left = image.width(), right = -1, top = image.height();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 70; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - ink.red()) < 60 && std::abs(c.green() - ink.green()) < 60 &&
                std::abs(c.blue() - ink.blue()) < 60 && y < 15 + QFontMetrics(f).height()) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
            }
        }
    QVERIFY(right > left);
    QVERIFY(top >= 15);
    const int textWidth = QFontMetrics(f).horizontalAdvance(text);
    const int expectedLeft = (m_pDlg->width() - textWidth) / 2 + 25;
    QVERIFY2(std::abs(left - expectedLeft) <= 4,
             qPrintable(QStringLiteral("%1 / %2").arg(left).arg(expectedLeft)));
}

void TestAboutDlg::creditsPicture()
{
    const QImage& text = m_pDlg->Animation()->TextPicture();
    QCOMPARE(text.size(), QSize(700, 283));
    // Headings in pure blue, the rest black.
    QVERIFY(CountNear(text, QColor(0, 0, 255), 30) > 50);
    QVERIFY(CountNear(text, QColor(0, 0, 0), 30) > 200);
    QVERIFY(m_pDlg->Animation()->accessibleDescription().contains(QStringLiteral("VandrelEdit2028")));
}

void TestAboutDlg::animationRunsAt40Milliseconds()
{
    CAboutCtrl* ctrl = m_pDlg->Animation();
    QCOMPARE(ctrl->Timer().interval(), 40);
    QVERIFY(ctrl->Timer().isActive());
    const int start = ctrl->TickCount();
    QTRY_VERIFY_WITH_TIMEOUT(ctrl->TickCount() >= start + 3, 2000);
    // The frame shows the background with the text and the banner over it.
    const QImage frame = ctrl->Frame().toImage();
    QVERIFY(!frame.isNull());
    QCOMPARE(frame.size(), ctrl->size());
}

void TestAboutDlg::eachTickMovesTheText()
{
    CAboutCtrl* ctrl = m_pDlg->Animation();
    const int y = ctrl->Animation().TextY();
    const int x = ctrl->Animation().OffsetX();
    const double phase = ctrl->Animation().PhaseA();
    ctrl->Tick();
    QCOMPARE(ctrl->Animation().TextY(), y - 1);
    QCOMPARE(ctrl->Animation().OffsetX(), x + 2);
    QVERIFY(ctrl->Animation().PhaseA() != phase);
    // Once text and banner have come in, frames differ from tick to tick.
    for (int i = 0; i < 60; ++i)
        ctrl->Tick();
    const QImage before = ctrl->Frame().toImage();
    ctrl->Tick();
    QVERIFY(ctrl->Frame().toImage() != before);
    for (int i = 0; i < 90; ++i)
        ctrl->Tick();
    dlgtest::SaveShot(m_pDlg.get(), QStringLiteral("about-running"));
}

void TestAboutDlg::clickOnTheSurfaceCloses()
{
    // The margin right of the OK button belongs to the dialog itself.
    const QRect ok = m_pDlg->OkButton()->geometry();
    const QPoint surface(ok.left() - 40, ok.center().y());
    QCOMPARE(m_pDlg->childAt(surface), nullptr);
    QTest::mouseClick(m_pDlg.get(), Qt::LeftButton, Qt::NoModifier, surface);
    QVERIFY(!m_pDlg->isVisible());
    QCOMPARE(m_pDlg->result(), int(QDialog::Accepted));
}

void TestAboutDlg::clickOnTheAnimationDoesNot()
{
    QTest::mouseClick(m_pDlg->Animation(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QVERIFY(m_pDlg->isVisible());
    // A right click on the surface does not close it either.
    const QRect ok = m_pDlg->OkButton()->geometry();
    QTest::mouseClick(m_pDlg.get(), Qt::RightButton, Qt::NoModifier, QPoint(ok.left() - 40, ok.center().y()));
    QVERIFY(m_pDlg->isVisible());
}

void TestAboutDlg::okCloses()
{
    QTest::mouseClick(m_pDlg->OkButton(), Qt::LeftButton);
    QVERIFY(!m_pDlg->isVisible());
    QCOMPARE(m_pDlg->result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestAboutDlg)
#include "tst_aboutdlg.moc"
