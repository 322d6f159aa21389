// The property grid on its own: groups and rows, the two orders, the
// toolbar, the value editors, modified marks, read-only rows, the font and
// what it tells assistive tools.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "panes/ComboBoxExProp.h"
#include "panes/PropertiesToolBar.h"
#include "panes/PropertiesWnd.h"
#include "panes/PropertyGrid.h"
#include "panes/SatelliteWnd.h"
#include "panes/TransponderWnd.h"

namespace {
QStringList TopTexts(const QTreeWidget* tree)
{
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        texts << tree->topLevelItem(i)->text(0);
    return texts;
}

QStringList ChildTexts(const QTreeWidgetItem* item)
{
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts << item->child(i)->text(0);
    return texts;
}
} // namespace

class TestPropertyGrid : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void groupsRowsAndColumns();
    void alphabeticalOrderAndExpandAll();
    void toolbarCommands();
    void comboSelectValueAndValueOfText();
    void dropDownEditorCommitsChoice();
    void maskedTextEditorTakesDigitsOnly();
    void freeTextDropDownIsEditable();
    void readOnlyRowsRefuseEdits();
    void modifiedValuesInBold();
    void lateCommitForAnotherRecordIsDropped();
    void removingRowsOfAGroup();
    void fontFollowsTheSystemFont();
    void accessibleTreeWithNamedRows();
    void paneColours();

private:
    CPropertyGrid* m_pGrid = nullptr;
    CComboBoxExProp* m_pCombo = nullptr;
    CPropertyGridRow* m_pNumber = nullptr;
    CPropertyGridRow* m_pText = nullptr;
    CPropertyGridRow* m_pYesNo = nullptr;
    int m_nFirst = -1;
    int m_nSecond = -1;
};

void TestPropertyGrid::init()
{
    m_pGrid = new CPropertyGrid;
    m_pGrid->resize(320, 400);
    m_nFirst = m_pGrid->AddGroup(QStringLiteral("Erste"));
    m_nSecond = m_pGrid->AddGroup(QStringLiteral("Zweite"));
    m_pCombo = new CComboBoxExProp(QStringLiteral("Satellit"), QString(), 14);
    m_pCombo->AddOption(QStringLiteral("Astra"), 3);
    m_pCombo->AddOption(QStringLiteral("Hotbird"), 5);
    m_pCombo->AddOption(QStringLiteral("Thor"), 9);
    m_pCombo->SetEditMode(CPropertyGridRow::Edit::ChooseOnly);
    m_pGrid->AddRow(m_nFirst, m_pCombo);
    m_pNumber = new CPropertyGridRow(QStringLiteral("Frequency"), QStringLiteral("11494"), 15);
    m_pNumber->SetMask(QStringLiteral("ddddd"), QStringLiteral("_____"));
    m_pGrid->AddRow(m_nSecond, m_pNumber);
    m_pText = new CPropertyGridRow(QStringLiteral("Kanalname"), QStringLiteral("ZDF"), 11);
    m_pText->SetDescription(QStringLiteral("Der Name"));
    m_pGrid->AddRow(m_nSecond, m_pText);
    m_pYesNo = CPropertyGridRow::YesNo(QStringLiteral("Gesperrt"), true, 22);
    m_pGrid->AddRow(m_nSecond, m_pYesNo);
    m_pGrid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pGrid));
}

void TestPropertyGrid::cleanup()
{
    delete m_pGrid;
    m_pGrid = nullptr;
}

void TestPropertyGrid::groupsRowsAndColumns()
{
    QTreeWidget* tree = m_pGrid->Tree();
    QCOMPARE(tree->headerItem()->text(0), QStringLiteral("Property"));
    QCOMPARE(tree->headerItem()->text(1), QStringLiteral("Value"));
    QVERIFY(!tree->isHeaderHidden());
    QCOMPARE(TopTexts(tree), (QStringList{QStringLiteral("Erste"), QStringLiteral("Zweite")}));
    QCOMPARE(ChildTexts(tree->topLevelItem(1)),
             (QStringList{QStringLiteral("Frequency"), QStringLiteral("Kanalname"), QStringLiteral("Gesperrt")}));
    QTreeWidgetItem* item = m_pGrid->ItemOf(m_pYesNo);
    QCOMPARE(item->text(1), QStringLiteral("Ja"));
    QCOMPARE(item->data(0, Qt::UserRole).toInt(), 22);
    QCOMPARE(m_pGrid->Row(22), m_pYesNo);
    QCOMPARE(m_pGrid->Row(99), nullptr);
    m_pYesNo->SetYes(false);
    QCOMPARE(item->text(1), QStringLiteral("Nein"));
    QVERIFY(!m_pYesNo->IsYes());

    // Setting a value shows it at once; the description area follows the current row.
    m_pText->SetValue(QStringLiteral("Arte"));
    QCOMPARE(m_pGrid->ItemOf(m_pText)->text(1), QStringLiteral("Arte"));
    tree->setCurrentItem(m_pGrid->ItemOf(m_pText));
    QVERIFY(m_pGrid->DescriptionArea()->text().contains(QStringLiteral("Der Name")));
    QVERIFY(m_pGrid->DescriptionArea()->text().contains(QStringLiteral("Kanalname")));
}

void TestPropertyGrid::alphabeticalOrderAndExpandAll()
{
    QTreeWidget* tree = m_pGrid->Tree();
    m_pGrid->SetAlphabetic(true);
    QCOMPARE(TopTexts(tree), (QStringList{QStringLiteral("Frequency"), QStringLiteral("Gesperrt"),
                                          QStringLiteral("Kanalname"), QStringLiteral("Satellit")}));
    QCOMPARE(m_pGrid->ItemOf(m_pText)->text(1), QStringLiteral("ZDF"));
    m_pGrid->SetAlphabetic(false);
    QCOMPARE(TopTexts(tree), (QStringList{QStringLiteral("Erste"), QStringLiteral("Zweite")}));

    tree->topLevelItem(0)->setExpanded(false);
    tree->topLevelItem(1)->setExpanded(false);
    QVERIFY(!m_pGrid->IsGroupExpanded(m_nFirst));
    // A collapsed group stays collapsed through a change of order.
    m_pGrid->SetAlphabetic(true);
    m_pGrid->SetAlphabetic(false);
    QVERIFY(!tree->topLevelItem(1)->isExpanded());
    m_pGrid->ExpandAll();
    QVERIFY(tree->topLevelItem(0)->isExpanded());
    QVERIFY(tree->topLevelItem(1)->isExpanded());
}

void TestPropertyGrid::toolbarCommands()
{
    CPropertiesWnd pane;
    pane.show();
    CPropertiesToolBar* bar = pane.ToolBar();
    QAction* expand = bar->findChild<QAction*>(QStringLiteral("paneCmd_154"));
    QAction* alpha = bar->findChild<QAction*>(QStringLiteral("paneCmd_151"));
    QVERIFY(expand && alpha);
    QCOMPARE(bar->actions(), (QList<QAction*>{expand, alpha}));
    QVERIFY(alpha->isCheckable());
    QVERIFY(!alpha->isChecked());
    QTreeWidget* tree = pane.Grid()->Tree();
    QCOMPARE(tree->topLevelItemCount(), 3); // the three groups
    alpha->trigger();
    QVERIFY(alpha->isChecked()); // pressed while alphabetical
    QVERIFY(pane.Grid()->IsAlphabetic());
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("Audio PId"));
    alpha->trigger();
    QVERIFY(!alpha->isChecked());
    QVERIFY(!pane.Grid()->IsAlphabetic());
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("Satellit / Transponder"));
    tree->topLevelItem(1)->setExpanded(false);
    expand->trigger();
    QVERIFY(tree->topLevelItem(1)->isExpanded());
    QVERIFY(bar->findChild<QWidget*>(QStringLiteral("paneCmd_151_button")) != nullptr);
}

void TestPropertyGrid::comboSelectValueAndValueOfText()
{
    m_pCombo->AddOption(QStringLiteral("Astra"), 7); // the same text again
    m_pCombo->AddOption(QStringLiteral("Leer"), 5);  // the same value again
    QCOMPARE(m_pCombo->OptionTexts(), (QStringList{QStringLiteral("Astra"), QStringLiteral("Hotbird"),
                                                   QStringLiteral("Thor"), QStringLiteral("Astra"),
                                                   QStringLiteral("Leer")}));
    QCOMPARE(m_pCombo->OptionValues(), (QList<int>{3, 5, 9, 7, 5}));
    m_pCombo->SelectValue(5);
    QCOMPARE(m_pCombo->Value(), QStringLiteral("Leer"));
    QCOMPARE(m_pGrid->ItemOf(m_pCombo)->text(1), QStringLiteral("Leer"));
    m_pCombo->SelectValue(-1);
    QCOMPARE(m_pCombo->Value(), QStringLiteral("Astra"));
    m_pCombo->SelectValue(42);
    QCOMPARE(m_pCombo->Value(), QString());
    QCOMPARE(m_pCombo->ValueOfText(QStringLiteral("Astra")), 7);
    QCOMPARE(m_pCombo->ValueOfText(QStringLiteral("astra")), 0);
    QCOMPARE(m_pCombo->ValueOfText(QStringLiteral("Thor")), 9);
    m_pCombo->RemoveAllOptions();
    QVERIFY(m_pCombo->OptionTexts().isEmpty());
    m_pCombo->SelectValue(-1);
    QCOMPARE(m_pCombo->Value(), QString());
}

void TestPropertyGrid::dropDownEditorCommitsChoice()
{
    QSignalSpy committed(m_pGrid, &CPropertyGrid::RowCommitted);
    m_pCombo->SelectValue(3);
    QVERIFY(m_pGrid->EditRow(14));
    auto* combo = qobject_cast<QComboBox*>(m_pGrid->Tree()->itemWidget(m_pGrid->ItemOf(m_pCombo), 1));
    QVERIFY(combo != nullptr);
    QCOMPARE(combo->objectName(), QStringLiteral("propertyEditor_14"));
    QVERIFY(!combo->isEditable()); // choose only
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->currentText(), QStringLiteral("Astra"));
    QVERIFY(combo->view()->maximumHeight() <= CComboBoxExProp::kDropDownHeight);
    QCOMPARE(CComboBoxExProp::kDropDownHeight, 400);

    combo->setCurrentIndex(2);
    emit combo->activated(2);
    QTRY_COMPARE(committed.count(), 1);
    QCOMPARE(committed.at(0).at(0).value<CPropertyGridRow*>(), static_cast<CPropertyGridRow*>(m_pCombo));
    QCOMPARE(m_pCombo->Value(), QStringLiteral("Thor"));
    QCOMPARE(m_pCombo->ValueOfText(m_pCombo->Value()), 9);
    QVERIFY(m_pCombo->IsModified());
    QTRY_VERIFY(m_pGrid->Tree()->itemWidget(m_pGrid->ItemOf(m_pCombo), 1) == nullptr); // closed

    // The yes/no row offers "Ja" and "Nein".
    QVERIFY(m_pGrid->EditRow(22));
    auto* yesNo = qobject_cast<QComboBox*>(m_pGrid->Tree()->itemWidget(m_pGrid->ItemOf(m_pYesNo), 1));
    QVERIFY(yesNo != nullptr);
    QCOMPARE(yesNo->count(), 2);
    QCOMPARE(yesNo->itemText(0), QStringLiteral("Ja"));
    QCOMPARE(yesNo->itemText(1), QStringLiteral("Nein"));
    yesNo->setCurrentIndex(1);
    emit yesNo->activated(1);
    QTRY_COMPARE(committed.count(), 2);
    QVERIFY(!m_pYesNo->IsYes());
}

void TestPropertyGrid::maskedTextEditorTakesDigitsOnly()
{
    QSignalSpy committed(m_pGrid, &CPropertyGrid::RowCommitted);
    QVERIFY(m_pGrid->EditRow(15));
    auto* edit = qobject_cast<QLineEdit*>(m_pGrid->Tree()->itemWidget(m_pGrid->ItemOf(m_pNumber), 1));
    QVERIFY(edit != nullptr);
    QCOMPARE(edit->text(), QStringLiteral("11494"));
    QCOMPARE(edit->maxLength(), 5);
    QCOMPARE(edit->placeholderText(), QStringLiteral("_____"));
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("12a6x03999"));
    QCOMPARE(edit->text(), QStringLiteral("12603")); // letters refused, five places
    QTest::keyClick(edit, Qt::Key_Return);
    QTRY_COMPARE(committed.count(), 1);
    QCOMPARE(m_pNumber->Value(), QStringLiteral("12603"));

    // An unchanged value is no commit.
    QVERIFY(m_pGrid->EditRow(15));
    edit = qobject_cast<QLineEdit*>(m_pGrid->Tree()->itemWidget(m_pGrid->ItemOf(m_pNumber), 1));
    QVERIFY(edit != nullptr);
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(committed.count(), 1);

    // A free text row takes any text.
    QVERIFY(m_pGrid->EditRow(11));
    edit = qobject_cast<QLineEdit*>(m_pGrid->Tree()->itemWidget(m_pGrid->ItemOf(m_pText), 1));
    QVERIFY(edit != nullptr);
    QVERIFY(edit->validator() == nullptr);
    edit->setText(QStringLiteral("Das Erste"));
    QTest::keyClick(edit, Qt::Key_Return);
    QTRY_COMPARE(committed.count(), 2);
    QCOMPARE(m_pText->Value(), QStringLiteral("Das Erste"));
}

void TestPropertyGrid::freeTextDropDownIsEditable()
{
    auto* provider = new CComboBoxExProp(QStringLiteral("Provider"), QStringLiteral("ARD"), 28);
    provider->AddOption(QString(), 0);
    provider->SetEditMode(CPropertyGridRow::Edit::FreeText);
    m_pGrid->AddRow(m_nSecond, provider);
    QSignalSpy committed(m_pGrid, &CPropertyGrid::RowCommitted);
    QVERIFY(m_pGrid->EditRow(28));
    auto* combo = qobject_cast<QComboBox*>(m_pGrid->Tree()->itemWidget(m_pGrid->ItemOf(provider), 1));
    QVERIFY(combo != nullptr);
    QVERIFY(combo->isEditable());
    QCOMPARE(combo->currentText(), QStringLiteral("ARD"));
    combo->setEditText(QStringLiteral("ZDFvision"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QTRY_COMPARE(committed.count(), 1);
    QCOMPARE(provider->Value(), QStringLiteral("ZDFvision"));
}

void TestPropertyGrid::readOnlyRowsRefuseEdits()
{
    QSignalSpy committed(m_pGrid, &CPropertyGrid::RowCommitted);
    m_pText->SetEditMode(CPropertyGridRow::Edit::ReadOnly);
    QVERIFY(!(m_pGrid->ItemOf(m_pText)->flags() & Qt::ItemIsEditable));
    QVERIFY(!m_pGrid->EditRow(11));
    QVERIFY(m_pGrid->Tree()->itemWidget(m_pGrid->ItemOf(m_pText), 1) == nullptr);
    m_pGrid->CommitValue(m_pText, QStringLiteral("anders"));
    QCOMPARE(m_pText->Value(), QStringLiteral("ZDF"));
    QCOMPARE(committed.count(), 0);
    // Shown lighter than the editable values.
    QVERIFY(m_pGrid->ItemOf(m_pText)->foreground(1).color() != m_pGrid->ItemOf(m_pNumber)->foreground(1).color());
    m_pText->SetEditMode(CPropertyGridRow::Edit::FreeText);
    QVERIFY(m_pGrid->ItemOf(m_pText)->flags() & Qt::ItemIsEditable);
}

void TestPropertyGrid::modifiedValuesInBold()
{
    QTreeWidgetItem* item = m_pGrid->ItemOf(m_pNumber);
    QVERIFY(!item->font(1).bold());
    m_pNumber->SetValue(QStringLiteral("10700")); // set by the program: no mark
    QVERIFY(!m_pNumber->IsModified());
    m_pGrid->CommitValue(m_pNumber, QStringLiteral("12000"));
    QVERIFY(m_pNumber->IsModified());
    QVERIFY(item->font(1).bold());
    QVERIFY(!item->font(0).bold());
    m_pGrid->SetAlphabetic(true); // the mark survives the new order
    QVERIFY(m_pGrid->ItemOf(m_pNumber)->font(1).bold());
    m_pGrid->ClearModified();
    QVERIFY(!m_pGrid->ItemOf(m_pNumber)->font(1).bold());
}

void TestPropertyGrid::lateCommitForAnotherRecordIsDropped()
{
    QSignalSpy committed(m_pGrid, &CPropertyGrid::RowCommitted);
    int first = 1, second = 2;
    m_pGrid->SetRecordKey(&first);
    m_pGrid->CommitLater(11, QStringLiteral("Erster"));
    m_pGrid->SetRecordKey(&second); // another record shown before the commit ran
    QCoreApplication::processEvents();
    QCOMPARE(committed.count(), 0);
    QCOMPARE(m_pText->Value(), QStringLiteral("ZDF"));
    m_pGrid->CommitLater(11, QStringLiteral("Zweiter"));
    QTRY_COMPARE(committed.count(), 1);
    QCOMPARE(m_pText->Value(), QStringLiteral("Zweiter"));
}

void TestPropertyGrid::removingRowsOfAGroup()
{
    m_pGrid->Tree()->setCurrentItem(m_pGrid->ItemOf(m_pText));
    m_pGrid->RemoveRowsOfGroup(m_nSecond);
    QVERIFY(m_pGrid->RowsOfGroup(m_nSecond).isEmpty());
    QCOMPARE(m_pGrid->Row(11), nullptr);
    QCOMPARE(m_pGrid->Tree()->topLevelItem(1)->childCount(), 0);
    QCOMPARE(m_pGrid->Rows().size(), 1);
    m_pGrid->AddRow(m_nSecond, CPropertyGridRow::YesNo(QStringLiteral("Dokus"), true, 84));
    QCOMPARE(ChildTexts(m_pGrid->Tree()->topLevelItem(1)), QStringList{QStringLiteral("Dokus")});
}

void TestPropertyGrid::fontFollowsTheSystemFont()
{
    // A change of the system's fonts reaches the widgets as a new
    // application font; the grid takes the message font's size and slant.
    const QFont before = QApplication::font();
    QFont bigger = before;
    bigger.setPointSize(before.pointSize() > 0 ? before.pointSize() + 5 : 17);
    bigger.setItalic(true);
    QApplication::setFont(bigger);
    const QFont message = QApplication::font("QMessageBox");
    if (message.pointSize() != bigger.pointSize()) {
        QApplication::setFont(before);
        QSKIP("the platform keeps its own message font");
    }
    QTRY_COMPARE(m_pGrid->Tree()->font().pointSize(), bigger.pointSize());
    QVERIFY(m_pGrid->Tree()->font().italic());
    QCOMPARE(m_pGrid->DescriptionArea()->font().pointSize(), bigger.pointSize());
    QApplication::setFont(before);
    QTRY_COMPARE(m_pGrid->Tree()->font().pointSize(), before.pointSize());
    QVERIFY(!m_pGrid->Tree()->font().italic());
}

void TestPropertyGrid::accessibleTreeWithNamedRows()
{
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(m_pGrid->Tree());
    QVERIFY(tree != nullptr);
    QCOMPARE(tree->role(), QAccessible::Tree);
    QTreeWidgetItem* item = m_pGrid->ItemOf(m_pText);
    QCOMPARE(item->data(0, Qt::AccessibleTextRole).toString(), QStringLiteral("Kanalname"));
    QCOMPARE(item->data(1, Qt::AccessibleTextRole).toString(), QStringLiteral("ZDF"));
    QCOMPARE(item->data(0, Qt::AccessibleDescriptionRole).toString(), QStringLiteral("Der Name"));
    m_pText->SetValue(QStringLiteral("Arte"));
    QCOMPARE(item->data(1, Qt::AccessibleTextRole).toString(), QStringLiteral("Arte"));
    QCOMPARE(m_pGrid->Tree()->objectName(), QStringLiteral("propertyGridRows"));
    QCOMPARE(m_pGrid->DescriptionArea()->objectName(), QStringLiteral("propertyGridDescription"));
    QVERIFY(!m_pGrid->DescriptionArea()->accessibleName().isEmpty());
}

void TestPropertyGrid::paneColours()
{
    CPropertiesWnd channel;
    CSatelliteWnd satellite;
    CTransponderWnd transponder;
    for (CPropertyPane* pane : {static_cast<CPropertyPane*>(&channel), static_cast<CPropertyPane*>(&satellite),
                                static_cast<CPropertyPane*>(&transponder)}) {
        const GridColours& c = pane->Grid()->Colours();
        QCOMPARE(c.back, QColor(228, 243, 254));
        QCOMPARE(c.text, QColor(46, 70, 165));
        QCOMPARE(c.groupText, QColor(33, 102, 49));
        QCOMPARE(c.descriptionBack, QColor(228, 243, 254));
        QCOMPARE(c.descriptionText, QColor(128, 0, 0));
        QCOMPARE(c.lines, QColor(255, 159, 159));
        QCOMPARE(pane->Grid()->Tree()->palette().color(QPalette::Base), QColor(228, 243, 254));
        QTreeWidgetItem* group = pane->Grid()->Tree()->topLevelItem(0);
        QCOMPARE(group->background(0).color(), c.groupBack);
        QCOMPARE(group->foreground(0).color(), c.groupText);
        QVERIFY(!pane->accessibleName().isEmpty());
        QVERIFY(!pane->objectName().isEmpty());
    }
    QCOMPARE(channel.Grid()->Colours().groupBack, QColor(200, 236, 209));
    QCOMPARE(satellite.Grid()->Colours().groupBack, QColor(254, 237, 187));
    QCOMPARE(transponder.Grid()->Colours().groupBack, QColor(255, 229, 216));
    QCOMPARE(channel.Grid()->DescriptionArea()->palette().color(QPalette::WindowText), QColor(128, 0, 0));
}

QTEST_MAIN(TestPropertyGrid)
#include "tst_propertygrid.moc"
