// Reference lists and the comparison through the real main window: the
// export, the application with its report, the marks of the new channels
// and "alle neuen", the order of another open document, and "Vergleichen
// mit..." with an open document and a file.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>

#include "ChildFrame.h"
#include "DocumentWindows.h"
#include "GuiTestSupport.h"
#include "MainFrame.h"
#include "VandrelEdit2028App.h"
#include "dialogs/CompareDlg.h"
#include "dialogs/ReferenceReportDlg.h"
#include "document/VandrelEdit2028Doc.h"
#include "model/ServiceData.h"
#include "uibase/Document.h"
#include "views/ChannelListModel.h"
#include "views/VandrelEdit2028View.h"

namespace {
const QString kExport = QStringLiteral("cmd_32880");
const QString kApply = QStringLiteral("cmd_32881");
const QString kCompare = QStringLiteral("cmd_32882");
const QString kUndo = QStringLiteral("cmd_57643");
const QString kRedo = QStringLiteral("cmd_57644");
const QString kOrderFrom = QStringLiteral("cmd_32884");

QStringList TableNames(CDocument* doc, bool radio = false)
{
    CServiceDataArray& services = doc->Core().m_services;
    const int first = radio ? static_cast<int>(services.GetTvCount()) : 0;
    const int count = static_cast<int>(radio ? services.GetRadioCount() : services.GetTvCount());
    QStringList names;
    for (int i = first; i < first + count; ++i)
        names << QString::fromStdString(services.GetAt(i)->GetNameText());
    return names;
}

QStringList Names(const std::vector<CServiceData*>& services)
{
    QStringList names;
    for (const CServiceData* s : services)
        names << QString::fromStdString(s->GetNameText());
    return names;
}

// The rows of the list that carry the mark of a new channel.
QStringList MarkedRows(const CVandrelEdit2028View& list)
{
    QStringList names;
    const CChannelListModel& model = list.Model();
    for (int row = 0; row < model.rowCount(); ++row)
        if (!model.data(model.index(row, kColNumber), Qt::DecorationRole).isNull())
            names << QString::fromStdString(model.ServiceAt(row)->GetNameText());
    return names;
}

QStringList RowTexts(const QTreeWidgetItem* item)
{
    QStringList texts;
    for (int c = 0; c < item->columnCount(); ++c)
        texts << item->text(c);
    return texts;
}

template <class Dialog> Dialog* Shown()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<Dialog*>(w); d && d->isVisible())
            return d;
    return nullptr;
}

// The small database with its channels in another order within each kind.
ndbtest::TestDatabase Reordered()
{
    ndbtest::TestDatabase db = ndbtest::MakeSmallDatabase();
    const auto& r = db.services.records;
    const std::vector<ndbtest::ServiceRecord> tv = {r[3], r[0], r[4], r[1], r[2]};
    const std::vector<ndbtest::ServiceRecord> radio = {r[7], r[5], r[6]};
    db.services.PlaceInArrayOrder(tv, radio);
    return db;
}

bool MenuHolds(CMainFrame& frame, const char* menu, const QString& action)
{
    const auto* m = frame.findChild<QMenu*>(QString::fromLatin1(menu));
    return m && m->actions().contains(frame.ActionByName(action));
}
} // namespace

class TestReference : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void exportWritesTheListForASpreadsheet();
    void applyReordersReportsAndMarksTheNewChannels();
    void orderFromAnOpenDocumentIsOneStep();
    void compareShowsTheDifferencesWithADocumentOrAFile();

private:
    CDocument* Open(const QString& name, const ndbtest::Bytes& bytes = GoodDatabase());
    CVandrelEdit2028View* List(CDocument* doc);
    std::unique_ptr<CGuiFixture> m_f;
};

void TestReference::init()
{
    m_f = std::make_unique<CGuiFixture>();
    QVERIFY(m_f->Start());
}

void TestReference::cleanup()
{
    if (m_f)
        for (CDocument* doc : m_f->App().Documents())
            doc->SetModifiedFlag(false);
    m_f.reset();
}

CDocument* TestReference::Open(const QString& name, const ndbtest::Bytes& bytes)
{
    return m_f->App().OpenDocumentFile(m_f->WriteFile(name, bytes));
}

CVandrelEdit2028View* TestReference::List(CDocument* doc)
{
    return m_f->Frame().Windows().FramesOf(doc).front()->ListView();
}

void TestReference::exportWritesTheListForASpreadsheet()
{
    QVERIFY(MenuHolds(m_f->Frame(), "exportMenu", kExport));
    QVERIFY(MenuHolds(m_f->Frame(), "sortMenu", kExport));
    QVERIFY(!m_f->Action(kExport)->isEnabled());
    Open(QStringLiteral("a.ndb"));
    QVERIFY(m_f->Trigger(kExport)); // cancelled: nothing written
    QCOMPARE(m_f->Prompts().OfKind(QStringLiteral("information")).size(), 0);

    m_f->Prompts().saveNames << m_f->Dir() + QStringLiteral("/liste");
    QVERIFY(m_f->Trigger(kExport));
    QCOMPARE(m_f->Prompts().records.last().text, QStringLiteral("Datei wurde erstellt."));
    QFile file(m_f->Dir() + QStringLiteral("/liste.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 10); // header, eight channels, the empty rest after the last CR LF
    QCOMPARE(lines[0],
             QByteArray("\xEF\xBB\xBFNr;Typ;Kanalname;Satellit;Frequenz;Polarit\xC3\xA4t;Symbolrate;ONID;"
                        "TSID;SID;Favorit;Gesperrt;\xC3\x9C"
                        "berspringen\r"));
    QCOMPARE(lines[6], QByteArray("1;Radio;Bayern 3;19.2E;11494;H;22000;1;1019;28400;4;;\r"));
}

void TestReference::applyReordersReportsAndMarksTheNewChannels()
{
    QVERIFY(MenuHolds(m_f->Frame(), "sortMenu", kApply));
    QVERIFY(MenuHolds(m_f->Frame(), "applicationMenu", kApply));
    CDocument* a = Open(QStringLiteral("a.ndb"));
    const auto original = a->Core().Save();
    CVandrelEdit2028View* list = List(a);
    list->SelectServices({a->Core().m_services.GetAt(1)});

    // A list without the columns it needs changes nothing.
    m_f->Prompts().openNames << m_f->WriteFile(QStringLiteral("ohne.csv"), {'N', 'r', ';', 'S', 'I', 'D', '\n'});
    QVERIFY(m_f->Trigger(kApply));
    QVERIFY(m_f->Prompts().records.last().text.startsWith(
        QStringLiteral("In der Referenzliste fehlen Spalten: Typ.")));
    QCOMPARE(a->UndoStack()->count(), 0);
    QVERIFY(!Shown<CReferenceReportDlg>());

    const std::string text = "Nr;Typ;Kanalname;SID;Favorit\n"
                             "1;TV;Rai 1;3401;3\n"
                             "2;TV;das erste hd;10301;\n"
                             "3;TV;Gibt es nicht;999;\n"
                             "x;Radio;Kaputt;1;\n"
                             "1;Radio;Radio Svizzera;3901;\n";
    m_f->Prompts().openNames << m_f->WriteFile(QStringLiteral("liste.csv"),
                                               ndbtest::Bytes(text.begin(), text.end()));
    QVERIFY(m_f->Trigger(kApply));
    const QStringList tv = {QStringLiteral("Rai 1"), QStringLiteral("Das Erste HD"), QStringLiteral("ZDF HD"),
                            QStringLiteral("Sky Cinema"), QString::fromUtf8("T\xC3\xA9l\xC3\xA9 5")};
    QCOMPARE(TableNames(a), tv);
    QCOMPARE(TableNames(a, true), (QStringList{QStringLiteral("Radio Svizzera"), QStringLiteral("Bayern 3"),
                                               QStringLiteral("Antenne Bayern")}));
    QCOMPARE(a->UndoStack()->count(), 1);
    QCOMPARE(a->UndoStack()->undoText(), QStringLiteral("Referenzliste anwenden"));

    CReferenceReportDlg* report = Shown<CReferenceReportDlg>();
    QVERIFY(report);
    QCOMPARE(report->CountLabel(3)->text(), QStringLiteral("Zugeordnet über den Namen: 3"));
    QCOMPARE(report->CountLabel(4)->text(), QStringLiteral("Nicht gefunden: 1"));
    QCOMPARE(report->CountLabel(5)->text(), QStringLiteral("Neu (nicht in der Liste): 5"));
    QTreeWidget* lines = report->Lines();
    QCOMPARE(lines->topLevelItemCount(), 2);
    QCOMPARE(RowTexts(lines->topLevelItem(0)),
             (QStringList{QStringLiteral("4"), QStringLiteral("TV"), QStringLiteral("3"),
                          QStringLiteral("Gibt es nicht"), QStringLiteral("nicht gefunden")}));
    QCOMPARE(lines->topLevelItem(1)->text(0), QStringLiteral("5"));
    QVERIFY(lines->topLevelItem(1)->text(4).startsWith(QStringLiteral("nicht lesbar")));
    // The lines matched by name stand for review: line, Nr, name in the list, channel now.
    QVERIFY(report->Hint()->isHidden());
    QTreeWidget* reviewed = report->Reviewed();
    QCOMPARE(reviewed->topLevelItemCount(), 3);
    QCOMPARE(RowTexts(reviewed->topLevelItem(1)),
             (QStringList{QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("das erste hd"),
                          QStringLiteral("Das Erste HD"), QString::fromUtf8("über den Namen")}));

    // Saved as text, under a name taken from the document.
    m_f->Prompts().saveNames << m_f->Dir() + QStringLiteral("/bericht");
    report->SaveAsText();
    QVERIFY(m_f->Prompts().OfKind(QStringLiteral("save")).last().text.endsWith(QStringLiteral("/a.txt")));
    QFile saved(m_f->Dir() + QStringLiteral("/bericht.txt"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QString savedText = QString::fromUtf8(saved.readAll());
    QVERIFY(savedText.startsWith(QString::fromUtf8("Zugeordnet über Satellit, ONID, TSID und SID: 0\n")));
    QVERIFY(
        savedText.contains(QString::fromUtf8("Zeile 3, Nr 2: das erste hd → Das Erste HD (über den Namen)\n")));
    QCOMPARE(savedText, report->Text());

    // The list shows the new order, the new channels marked; the report's
    // button selects them.
    QCOMPARE(list->Model().ServiceAt(0)->GetNameText(), std::string("Rai 1"));
    const QStringList fresh = {QStringLiteral("ZDF HD"), QStringLiteral("Sky Cinema"),
                               QString::fromUtf8("T\xC3\xA9l\xC3\xA9 5")};
    QCOMPARE(MarkedRows(*list), fresh);
    list->SelectServices({a->Core().m_services.GetAt(0)});
    QVERIFY(report->SelectNewButton()->isEnabled());
    report->SelectNewButton()->click();
    QCOMPARE(Names(list->SelectedServices()), fresh);
    report->close();
    QMenu* menu = list->CreateServiceMenu(list);
    QAction* selectNew = menu->findChild<QAction*>(QStringLiteral("listCmd_32883"));
    QVERIFY(selectNew && selectNew->isEnabled());
    QCOMPARE(selectNew->text().remove(QLatin1Char('&')), QStringLiteral("alle neuen"));
    selectNew->trigger();
    delete menu;
    QCOMPARE(Names(list->SelectedServices()), fresh);

    // Undone, the marks go with the step and the selection before it is back;
    // done again, the marks return. Saved, they go.
    QVERIFY(m_f->Trigger(kUndo));
    QCOMPARE(a->Core().Save(), original);
    QVERIFY(MarkedRows(*list).isEmpty());
    QCOMPARE(Names(list->SelectedServices()), QStringList{QStringLiteral("ZDF HD")});
    QVERIFY(m_f->Trigger(kRedo));
    QCOMPARE(MarkedRows(*list), fresh);
    QVERIFY(m_f->Trigger(kUndo));
    m_f->Prompts().openNames << m_f->Dir() + QStringLiteral("/liste.csv");
    QVERIFY(m_f->Trigger(kApply));
    QCOMPARE(MarkedRows(*list).size(), 3);
    QVERIFY(a->DoSave(m_f->Dir() + QStringLiteral("/gespeichert.ndb"), nullptr));
    QVERIFY(MarkedRows(*list).isEmpty());
}

void TestReference::orderFromAnOpenDocumentIsOneStep()
{
    QVERIFY(MenuHolds(m_f->Frame(), "sortMenu", kOrderFrom));
    CDocument* a = Open(QStringLiteral("a.ndb"));
    const auto original = a->Core().Save();
    QVERIFY(m_f->Trigger(kOrderFrom)); // no other document: said so, nothing changes
    QCOMPARE(m_f->Prompts().OfKind(QStringLiteral("information")).size(), 1);
    QCOMPARE(a->UndoStack()->count(), 0);

    // b holds the same channels in another order; c is a third document.
    CDocument* b = Open(QStringLiteral("b.ndb"), Reordered().Build());
    QVERIFY(Open(QStringLiteral("c.ndb")));
    CChildFrame* frameA = m_f->Frame().Windows().FramesOf(a).front();
    m_f->Frame().Windows().ActivateFrame(frameA);
    CVandrelEdit2028View* list = List(a);
    list->SelectServices({a->Core().m_services.GetAt(2)});

    // Two others: the user chooses; cancelled, nothing changes.
    QVERIFY(m_f->Trigger(kOrderFrom));
    QCOMPARE(m_f->Prompts().records.last().kind, QStringLiteral("choice"));
    QVERIFY(m_f->Prompts().records.last().text.endsWith(QStringLiteral("|b.ndb|c.ndb")));
    QCOMPARE(a->UndoStack()->count(), 0);

    m_f->Prompts().choices << 0;
    QVERIFY(m_f->Trigger(kOrderFrom));
    QCOMPARE(TableNames(a), TableNames(b));
    QCOMPARE(TableNames(a, true), TableNames(b, true));
    QVERIFY(a->Core().Save() != original);
    QCOMPARE(a->UndoStack()->count(), 1);
    CReferenceReportDlg* report = Shown<CReferenceReportDlg>();
    QVERIFY(report);
    QCOMPARE(report->CountLabel(0)->text(), QString::fromUtf8("Zugeordnet über Satellit, ONID, TSID und SID: 8"));
    QCOMPARE(report->CountLabel(5)->text(), QStringLiteral("Neu (nicht in der Liste): 0"));
    QVERIFY(!report->SelectNewButton()->isEnabled());
    report->close();

    QVERIFY(m_f->Trigger(kUndo));
    QCOMPARE(a->Core().Save(), original);
    QCOMPARE(Names(list->SelectedServices()), QStringList{QStringLiteral("Sky Cinema")});
}

void TestReference::compareShowsTheDifferencesWithADocumentOrAFile()
{
    auto* button = m_f->Frame().findChild<QToolButton*>(QStringLiteral("button_") + kCompare);
    QVERIFY(button);
    QCOMPARE(button->accessibleName(), QStringLiteral("Vergleichen mit..."));
    CDocument* a = Open(QStringLiteral("a.ndb"));
    ndbtest::TestDatabase changed = ndbtest::MakeSmallDatabase();
    changed.services.records[1].FavGroup(0);
    changed.services.records[6].Flags(0x08 | 0x10);
    CDocument* b = Open(QStringLiteral("b.ndb"), changed.Build());
    QVERIFY(b);

    // From a: b is the other open document and is compared at once (old b, new a).
    m_f->Frame().Windows().ActivateFrame(m_f->Frame().Windows().FramesOf(a).front());
    QVERIFY(m_f->Trigger(kCompare));
    CCompareDlg* dialog = Shown<CCompareDlg>();
    QVERIFY(dialog);
    QTreeWidget* table = dialog->Table();
    QCOMPARE(table->topLevelItemCount(), 2);
    QCOMPARE(RowTexts(table->topLevelItem(0)),
             (QStringList{QStringLiteral("TV"), QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("ZDF HD"),
                          QString::fromUtf8("Favorit 0→2")}));
    QCOMPARE(dialog->Summary()->text(),
             QString::fromUtf8("Von „b.ndb“ nach „a.ndb“: 0 neu, 0 entfallen, 2 geändert."));
    table->sortByColumn(0, Qt::AscendingOrder);
    QCOMPARE(table->topLevelItem(0)->text(3), QStringLiteral("Antenne Bayern"));

    // A double click selects the channel in a's list, in radio mode.
    dialog->ShowRow(table->topLevelItem(0));
    CChildFrame* frameA = m_f->Frame().Windows().FramesOf(a).front();
    QCOMPARE(m_f->Frame().ActiveChildFrame(), frameA);
    QVERIFY(!frameA->IsTelevisionMode());
    QCOMPARE(Names(frameA->ListView()->SelectedServices()), QStringList{QStringLiteral("Antenne Bayern")});

    m_f->Prompts().saveNames << m_f->Dir() + QStringLiteral("/unterschiede");
    dialog->SaveAsText();
    QFile saved(m_f->Dir() + QStringLiteral("/unterschiede.txt"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()),
             QString::fromUtf8("Alt: b.ndb\n"
                               "Neu: a.ndb\n"
                               "0 neu, 0 entfallen, 2 geändert\n"
                               "\n"
                               "~ TV 2 ZDF HD: Favorit 0→2\n"
                               "~ Radio 2 Antenne Bayern: Überspringen ja→nein\n"));

    // Swapped, b is the new side; swapped back, as before.
    dialog->SwapButton()->click();
    QVERIFY(dialog->IsSwapped());
    QCOMPARE(dialog->Summary()->text(),
             QString::fromUtf8("Von „a.ndb“ nach „b.ndb“: 0 neu, 0 entfallen, 2 geändert."));
    table->sortByColumn(3, Qt::DescendingOrder);
    QCOMPARE(table->topLevelItem(0)->text(4), QString::fromUtf8("Favorit 2→0"));
    dialog->SwapButton()->click();
    QVERIFY(!dialog->IsSwapped());

    // A file the same as a: nothing differs. A damaged one is refused.
    m_f->Prompts().openNames << m_f->WriteFile(QStringLiteral("c.ndb"), GoodDatabase());
    QVERIFY(dialog->ChooseFile());
    QCOMPARE(table->topLevelItemCount(), 0);
    QCOMPARE(dialog->Summary()->text(),
             QString::fromUtf8("„c.ndb“ und „a.ndb“ enthalten dieselben Kanäle mit denselben Daten."));
    m_f->Prompts().openNames << m_f->WriteFile(QStringLiteral("kaputt.ndb"), DamagedDatabase());
    QVERIFY(!dialog->ChooseFile());
    QCOMPARE(m_f->Prompts().records.last().text, QString::fromUtf8("„kaputt.ndb“: Unerwartetes Dateiformat."));

    // A partly read one would show its unread channels as new: compared only when the user agrees.
    const QString partly = m_f->WriteFile(QStringLiteral("teil.ndb"), PartlyReadableDatabase());
    m_f->Prompts().openNames << partly;
    m_f->Prompts().answers << QMessageBox::No;
    QVERIFY(!dialog->ChooseFile());
    QCOMPARE(m_f->Prompts().records.last().kind, QStringLiteral("question"));
    QVERIFY(
        m_f->Prompts().records.last().text.contains(QStringLiteral("\"teil.ndb\" wurde nur teilweise gelesen")));
    QCOMPARE(table->topLevelItemCount(), 0);
    m_f->Prompts().openNames << partly;
    m_f->Prompts().answers << QMessageBox::Yes;
    QVERIFY(dialog->ChooseFile());
    QVERIFY(table->topLevelItemCount() > 0);

    // After a rescan most entries only say that the number moved; the check
    // box, off at first, hides them, and the saved text leaves them out too.
    ndbtest::TestDatabase rescan = Reordered();
    rescan.services.records[1].FavGroup(0); // Das Erste HD: moved and out of its group
    QVERIFY(dialog->CompareWithFile(m_f->WriteFile(QStringLiteral("d.ndb"), rescan.Build())));
    QVERIFY(!dialog->IgnoreNumber()->isChecked());
    QCOMPARE(table->topLevelItemCount(), 8);
    dialog->IgnoreNumber()->setChecked(true);
    QCOMPARE(table->topLevelItemCount(), 1);
    QCOMPARE(table->topLevelItem(0)->text(4), QString::fromUtf8("Nr, Favorit 0→1"));
    m_f->Prompts().saveNames << m_f->Dir() + QStringLiteral("/rescan.txt");
    dialog->SaveAsText();
    QFile rescanText(m_f->Dir() + QStringLiteral("/rescan.txt"));
    QVERIFY(rescanText.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(rescanText.readAll())
                .endsWith(QString::fromUtf8(
                    "0 neu, 0 entfallen, 8 geändert\n\n~ TV 2→1 Das Erste HD: Nr, Favorit 0→1\n")));
    dialog->IgnoreNumber()->setChecked(false);
    QCOMPARE(table->topLevelItemCount(), 8);

    // Back to b, then b closes: the table lets go of its records.
    dialog->CompareWithDocument(b);
    QCOMPARE(table->topLevelItemCount(), 2);
    m_f->Frame().Windows().CloseFramesOf(b);
    QTRY_COMPARE(table->topLevelItemCount(), 0);
    QVERIFY(!dialog->Source()->isEnabled());
    dialog->close();
}

QTEST_MAIN(TestReference)
#include "tst_reference.moc"
