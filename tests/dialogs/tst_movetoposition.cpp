// The move-to-position dialog on its own: bounds, the two refusals and their
// texts, the spin steps from the held value, the keys and the buttons.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "GuiTestSupport.h"
#include "dialogs/VerschiebenAufPosDlg.h"

namespace {
const QString kRangeMessage = QStringLiteral("Geben Sie eine ganze Zahl zwischen 1 und 250 ein.");
const QString kIntegerMessage = QStringLiteral("Geben Sie eine ganze Zahl ein.");
} // namespace

class TestMoveToPosition : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layoutAndTexts();
    void acceptsTheWholeRange_data();
    void acceptsTheWholeRange();
    void refusesOutOfRange_data();
    void refusesOutOfRange();
    void refusesNonIntegers_data();
    void refusesNonIntegers();
    void refusedEntryCanBeCorrected();
    void spinningBelowOneStaysOne();
    void spinningAboveUpperStaysUpper();
    void spinAfterTypingStartsFromTheHeldValue();
    void arrowKeysSpin();
    void enterPressesOk();
    void cancelGivesRejected();

private:
    QLineEdit* Edit() { return m_pDlg->findChild<QLineEdit*>(QStringLiteral("positionEdit")); }
    QToolButton* Up() { return m_pDlg->findChild<QToolButton*>(QStringLiteral("spinUpButton")); }
    QToolButton* Down() { return m_pDlg->findChild<QToolButton*>(QStringLiteral("spinDownButton")); }
    QPushButton* Ok() { return m_pDlg->findChild<QPushButton*>(QStringLiteral("okButton")); }
    QPushButton* Cancel() { return m_pDlg->findChild<QPushButton*>(QStringLiteral("cancelButton")); }
    // Replaces the field's text as the user would: select all, type.
    void Type(const QString& text);
    void MakeDialog(int upper);

    std::unique_ptr<CFakePrompts> m_pPrompts;
    std::unique_ptr<CVerschiebenAufPosDlg> m_pDlg;
};

void TestMoveToPosition::init()
{
    m_pPrompts = std::make_unique<CFakePrompts>();
    MakeDialog(250);
}

void TestMoveToPosition::cleanup()
{
    m_pDlg.reset();
    m_pPrompts.reset();
}

void TestMoveToPosition::MakeDialog(int upper)
{
    m_pDlg = std::make_unique<CVerschiebenAufPosDlg>(*m_pPrompts, upper);
    m_pDlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pDlg.get()));
    QVERIFY(Edit() && Up() && Down() && Ok() && Cancel());
}

void TestMoveToPosition::Type(const QString& text)
{
    Edit()->setFocus();
    Edit()->selectAll();
    QTest::keyClick(Edit(), Qt::Key_Delete);
    QTest::keyClicks(Edit(), text);
    QCOMPARE(Edit()->text(), text);
}

void TestMoveToPosition::layoutAndTexts()
{
    QCOMPARE(m_pDlg->objectName(), QStringLiteral("moveToPositionDialog"));
    QCOMPARE(m_pDlg->windowTitle(), QStringLiteral("Verschieben auf Pos..."));
    QVERIFY(m_pDlg->isModal());
    QStringList labels;
    for (QLabel* l : m_pDlg->findChildren<QLabel*>())
        labels << l->text();
    QVERIFY2(labels.contains(QStringLiteral("Verschieben auf Pos  .  .  . ")), qPrintable(labels.join(u'|')));
    QCOMPARE(Ok()->text(), QStringLiteral("&OK"));
    QCOMPARE(Cancel()->text(), QStringLiteral("&Abbrechen"));
    QVERIFY(Ok()->isDefault());
    QCOMPARE(Edit()->text(), QStringLiteral("1"));
    QCOMPARE(Edit()->selectedText(), QStringLiteral("1")); // typing replaces the start value
    QCOMPARE(m_pDlg->Lower(), 1);
    QCOMPARE(m_pDlg->Upper(), 250);
    for (QWidget* w : std::initializer_list<QWidget*>{m_pDlg.get(), Edit(), Up(), Down(), Ok(), Cancel()})
        QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
    QCOMPARE(Up()->arrowType(), Qt::UpArrow);
    QCOMPARE(Down()->arrowType(), Qt::DownArrow);
    // The arrows stand at the field's right edge, up above down.
    QVERIFY(Up()->geometry().left() >= Edit()->geometry().right());
    QVERIFY(Up()->geometry().top() < Down()->geometry().top());
}

void TestMoveToPosition::acceptsTheWholeRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::newRow("1") << QStringLiteral("1") << 1;
    QTest::newRow("2") << QStringLiteral("2") << 2;
    QTest::newRow("125") << QStringLiteral("125") << 125;
    QTest::newRow("249") << QStringLiteral("249") << 249;
    QTest::newRow("250") << QStringLiteral("250") << 250;
    QTest::newRow("spaces") << QStringLiteral(" 17 ") << 17;
    QTest::newRow("leading zeros") << QStringLiteral("007") << 7;
}

void TestMoveToPosition::acceptsTheWholeRange()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    Type(text);
    QTest::mouseClick(Ok(), Qt::LeftButton);
    QVERIFY(m_pPrompts->records.isEmpty());
    QCOMPARE(m_pDlg->result(), int(QDialog::Accepted));
    QVERIFY(!m_pDlg->isVisible());
    QCOMPARE(m_pDlg->Position(), position);
}

void TestMoveToPosition::refusesOutOfRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << QStringLiteral("0");
    QTest::newRow("251") << QStringLiteral("251");
    QTest::newRow("-1") << QStringLiteral("-1");
    QTest::newRow("huge") << QStringLiteral("99999999999999999999");
}

void TestMoveToPosition::refusesOutOfRange()
{
    QFETCH(QString, text);
    Type(text);
    QTest::mouseClick(Ok(), Qt::LeftButton);
    const QList<PromptRecord> shown = m_pPrompts->records;
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, QStringLiteral("warning"));
    QCOMPARE(shown[0].text, kRangeMessage);
    QCOMPARE(shown[0].caption, QStringLiteral("VandrelEdit2028"));
    QVERIFY(shown[0].hasParent);
    // The dialog stays open with the entry selected for retyping.
    QVERIFY(m_pDlg->isVisible());
    QCOMPARE(m_pDlg->result(), int(QDialog::Rejected));
    QCOMPARE(Edit()->text(), text);
    QCOMPARE(Edit()->selectedText(), text);
    QVERIFY(Edit()->hasFocus());
}

void TestMoveToPosition::refusesNonIntegers_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("abc") << QStringLiteral("abc");
    QTest::newRow("empty") << QString();
    QTest::newRow("1.5") << QStringLiteral("1.5");
    QTest::newRow("12a") << QStringLiteral("12a");
    QTest::newRow("sign only") << QStringLiteral("-");
}

void TestMoveToPosition::refusesNonIntegers()
{
    QFETCH(QString, text);
    if (text.isEmpty()) {
        Edit()->selectAll();
        QTest::keyClick(Edit(), Qt::Key_Delete);
    } else {
        Type(text);
    }
    QTest::mouseClick(Ok(), Qt::LeftButton);
    QCOMPARE(m_pPrompts->records.size(), 1);
    QCOMPARE(m_pPrompts->records[0].kind, QStringLiteral("warning"));
    QCOMPARE(m_pPrompts->records[0].text, kIntegerMessage);
    QVERIFY(m_pDlg->isVisible());
    QCOMPARE(Edit()->selectedText(), text);
}

void TestMoveToPosition::refusedEntryCanBeCorrected()
{
    Type(QStringLiteral("0"));
    QTest::mouseClick(Ok(), Qt::LeftButton);
    QVERIFY(m_pDlg->isVisible());
    // The selection is replaced by what is typed next.
    QTest::keyClicks(Edit(), QStringLiteral("42"));
    QCOMPARE(Edit()->text(), QStringLiteral("42"));
    QTest::mouseClick(Ok(), Qt::LeftButton);
    QCOMPARE(m_pPrompts->records.size(), 1);
    QCOMPARE(m_pDlg->result(), int(QDialog::Accepted));
    QCOMPARE(m_pDlg->Position(), 42);
}

void TestMoveToPosition::spinningBelowOneStaysOne()
{
    QTest::mouseClick(Down(), Qt::LeftButton);
    QCOMPARE(Edit()->text(), QStringLiteral("1"));
    QTest::mouseClick(Up(), Qt::LeftButton);
    QTest::mouseClick(Up(), Qt::LeftButton);
    QCOMPARE(Edit()->text(), QStringLiteral("3"));
    for (int i = 0; i < 5; ++i)
        QTest::mouseClick(Down(), Qt::LeftButton);
    QCOMPARE(Edit()->text(), QStringLiteral("1"));
    QTest::mouseClick(Up(), Qt::LeftButton);
    QCOMPARE(Edit()->text(), QStringLiteral("2")); // no steps were banked below 1
    QTest::mouseClick(Ok(), Qt::LeftButton);
    QCOMPARE(m_pDlg->Position(), 2);
}

void TestMoveToPosition::spinningAboveUpperStaysUpper()
{
    MakeDialog(3);
    for (int i = 0; i < 6; ++i)
        QTest::mouseClick(Up(), Qt::LeftButton);
    QCOMPARE(Edit()->text(), QStringLiteral("3"));
    QTest::mouseClick(Down(), Qt::LeftButton);
    QCOMPARE(Edit()->text(), QStringLiteral("2"));

    // The full range: from 250 up stays 250.
    MakeDialog(250);
    for (int i = 0; i < 249; ++i)
        m_pDlg->Step(+1);
    QCOMPARE(Edit()->text(), QStringLiteral("250"));
    QTest::mouseClick(Up(), Qt::LeftButton);
    QCOMPARE(Edit()->text(), QStringLiteral("250"));
    QTest::mouseClick(Ok(), Qt::LeftButton);
    QVERIFY(m_pPrompts->records.isEmpty());
    QCOMPARE(m_pDlg->Position(), 250);
}

void TestMoveToPosition::spinAfterTypingStartsFromTheHeldValue()
{
    QTest::mouseClick(Up(), Qt::LeftButton);
    QTest::mouseClick(Up(), Qt::LeftButton); // held 3
    Type(QStringLiteral("100"));
    QTest::mouseClick(Up(), Qt::LeftButton);
    QCOMPARE(Edit()->text(), QStringLiteral("4")); // not 101: the typed text is replaced
    Type(QStringLiteral("abc"));
    QTest::mouseClick(Down(), Qt::LeftButton);
    QCOMPARE(Edit()->text(), QStringLiteral("3"));
    // Typed but not spun: OK takes the text.
    Type(QStringLiteral("77"));
    QTest::mouseClick(Ok(), Qt::LeftButton);
    QCOMPARE(m_pDlg->Position(), 77);
}

void TestMoveToPosition::arrowKeysSpin()
{
    Edit()->setFocus();
    QTest::keyClick(Edit(), Qt::Key_Up);
    QTest::keyClick(Edit(), Qt::Key_Up);
    QCOMPARE(Edit()->text(), QStringLiteral("3"));
    QTest::keyClick(Edit(), Qt::Key_Down);
    QCOMPARE(Edit()->text(), QStringLiteral("2"));
}

void TestMoveToPosition::enterPressesOk()
{
    Type(QStringLiteral("12"));
    QTest::keyClick(Edit(), Qt::Key_Return);
    QCOMPARE(m_pDlg->result(), int(QDialog::Accepted));
    QCOMPARE(m_pDlg->Position(), 12);

    MakeDialog(250);
    Type(QStringLiteral("300"));
    QTest::keyClick(Edit(), Qt::Key_Return);
    QVERIFY(m_pDlg->isVisible());
    QCOMPARE(m_pPrompts->records.value(0).text, kRangeMessage);
}

void TestMoveToPosition::cancelGivesRejected()
{
    Type(QStringLiteral("7"));
    QTest::mouseClick(Cancel(), Qt::LeftButton);
    QVERIFY(!m_pDlg->isVisible());
    QCOMPARE(m_pDlg->result(), int(QDialog::Rejected));
    QVERIFY(m_pPrompts->records.isEmpty());
    QCOMPARE(m_pDlg->Position(), 1); // nothing entered was taken

    // Escape cancels too, even with an invalid entry.
    MakeDialog(250);
    Type(QStringLiteral("abc"));
    QTest::keyClick(Edit(), Qt::Key_Escape);
    QVERIFY(!m_pDlg->isVisible());
    QCOMPARE(m_pDlg->result(), int(QDialog::Rejected));
    QVERIFY(m_pPrompts->records.isEmpty());
}

QTEST_MAIN(TestMoveToPosition)
#include "tst_movetoposition.moc"
