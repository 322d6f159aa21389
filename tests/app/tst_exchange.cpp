// Channel exchange through the real main window: copy, cut and paste
// between documents and within one, each paste and cut one undoable step;
// the stored sort order and the CSV export from their commands.
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QTest>
#include <QUndoStack>

#include "ChildFrame.h"
#include "DesktopAlert.h"
#include "uibase/Document.h"
#include "GuiTestSupport.h"
#include "DocumentWindows.h"
#include "MainFrame.h"
#include "VandrelEdit2028App.h"
#include "dialogs/ExchangeCommands.h"
#include "document/VandrelEdit2028Doc.h"
#include "model/ClipPayload.h"
#include "model/ServiceData.h"
#include "views/ChannelListModel.h"
#include "views/VandrelEdit2028View.h"
#include "uibase/CommandIds.h"
#include "uibase/ViewMessages.h"
#include "uibase/CommandIds.h"

namespace {
const QString kCopy = QStringLiteral("cmd_57634");
const QString kCut = QStringLiteral("cmd_57635");
const QString kPaste = QStringLiteral("cmd_57637");
const QString kUndo = QStringLiteral("cmd_57643");
const QString kRadio = QStringLiteral("cmd_32772");
const QString kStoreOrder = QStringLiteral("cmd_32857");
const QString kApplyOrder = QStringLiteral("cmd_32859");
const QString kExportAll = QStringLiteral("cmd_32862");

const QString kTele5 = QString::fromUtf8("T\xC3\xA9l\xC3\xA9 5");

QStringList ListNames(const CVandrelEdit2028View& list)
{
    QStringList names;
    for (int i = 0; i < list.Model().rowCount(); ++i)
        names << QString::fromStdString(list.Model().ServiceAt(i)->GetNameText());
    return names;
}

QStringList Names(const std::vector<CServiceData*>& services)
{
    QStringList names;
    for (const CServiceData* s : services)
        names << QString::fromStdString(s->GetNameText());
    return names;
}

// The channels of one kind in the receiver's order.
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

std::vector<CServiceData*> Named(CDocument* doc, const QStringList& names)
{
    std::vector<CServiceData*> found;
    CServiceDataArray& services = doc->Core().m_services;
    for (const QString& name : names)
        for (int i = 0; i < services.GetSize(); ++i)
            if (CServiceData* s = services.GetAt(i); s && s->GetNumber() != 0 &&
                                                     QString::fromStdString(s->GetNameText()) == name) {
                found.push_back(s);
                break;
            }
    return found;
}

CDesktopAlert* ShownAlert()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* alert = qobject_cast<CDesktopAlert*>(w); alert && alert->isVisible())
            return alert;
    return nullptr;
}
} // namespace

class TestExchange : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void copyAndPasteBetweenDocuments();
    void cutAndPasteWithinOneDocument();
    void pasteWithoutSelectionAppendsAfterTheLastChannel();
    void otherWindowOfTheDocumentFollows();
    void pasteRefusalsChangeNothing();
    void commandStatesFollowSelectionAndClipboard();
    void copyReportsChannelsWithoutTransponder();
    void storeAndApplySortOrder();
    void storeReportsAFileThatCannotBeCreated();
    void applyWithoutStoredOrderNamesTheCause();
    void exportAllWritesTheCsvFile();

private:
    CDocument* Open(const QString& name);
    CVandrelEdit2028View* List(CDocument* doc);
    void Select(CDocument* doc, const QStringList& names);
    std::unique_ptr<CGuiFixture> m_f;
    QTemporaryDir m_data;
};

void TestExchange::init()
{
    // The stored sort order goes to the application data directory.
    QVERIFY(m_data.isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.path()));
    QGuiApplication::clipboard()->clear();
    m_f = std::make_unique<CGuiFixture>();
    QVERIFY(m_f->Start());
}

void TestExchange::cleanup()
{
    if (m_f)
        for (CDocument* doc : m_f->App().Documents())
            doc->SetModifiedFlag(false);
    m_f.reset();
    QFile::remove(SortOrderFilePath());
    // A popup outlives its window for a few seconds; the next test starts without one.
    while (CDesktopAlert* alert = ShownAlert())
        alert->close();
}

CDocument* TestExchange::Open(const QString& name)
{
    return m_f->App().OpenDocumentFile(m_f->WriteFile(name, GoodDatabase()));
}

CVandrelEdit2028View* TestExchange::List(CDocument* doc)
{
    return m_f->Frame().Windows().FramesOf(doc).front()->ListView();
}

void TestExchange::Select(CDocument* doc, const QStringList& names)
{
    m_f->Frame().Windows().ActivateFrame(m_f->Frame().Windows().FramesOf(doc).front());
    List(doc)->SelectServices(Named(doc, names));
    List(doc)->ActiveItemView()->setFocus();
    QCoreApplication::processEvents(); // the command states follow the selection
}

void TestExchange::copyAndPasteBetweenDocuments()
{
    CDocument* a = Open(QStringLiteral("a.ndb"));
    CDocument* b = Open(QStringLiteral("b.ndb"));
    const auto originalA = a->Core().Save();
    const auto originalB = b->Core().Save();

    Select(a, {QStringLiteral("Sky Cinema"), QStringLiteral("Rai 1")});
    QVERIFY(m_f->Trigger(kCopy));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasFormat(QString::fromLatin1(kClipMimeType)));
    // Two channels: their records, two satellites and two transponders.
    QCOMPARE(data->data(QString::fromLatin1(kClipMimeType)).size(), 12 + 2 * (145 + 52 + 24));
    // Only the last copied row stays selected; copying changes nothing.
    QCOMPARE(Names(List(a)->SelectedServices()), QStringList{QStringLiteral("Rai 1")});
    QVERIFY(!a->IsModified());
    QCOMPARE(a->UndoStack()->count(), 0);

    Select(b, {QStringLiteral("ZDF HD")});
    QVERIFY(m_f->Trigger(kPaste));
    const QStringList pasted = {QStringLiteral("Das Erste HD"), QStringLiteral("Sky Cinema"),
                                QStringLiteral("Rai 1"),        QStringLiteral("ZDF HD"),
                                QStringLiteral("Sky Cinema"),   QStringLiteral("Rai 1"),
                                kTele5};
    QCOMPARE(TableNames(b), pasted);
    QCOMPARE(ListNames(*List(b)), pasted);
    QCOMPARE(Names(List(b)->SelectedServices()), (QStringList{QStringLiteral("Sky Cinema"), QStringLiteral("Rai 1")}));
    // The pasted rows carry their new positions.
    QCOMPARE(List(b)->Model().NumberAt(1), 2);
    QCOMPARE(List(b)->Model().NumberAt(6), 7);
    QVERIFY(b->IsModified());
    QCOMPARE(b->UndoStack()->count(), 1);
    QCOMPARE(b->UndoStack()->undoText(), QString::fromUtf8(viewmsg::kUndoPaste));
    QVERIFY(m_f->Prompts().records.isEmpty());

    QVERIFY(m_f->Trigger(kUndo));
    QCOMPARE(b->Core().Save(), originalB);
    QVERIFY(!b->IsModified());
    QCOMPARE(ListNames(*List(b)).size(), 5);
    QCOMPARE(a->Core().Save(), originalA);
}

void TestExchange::cutAndPasteWithinOneDocument()
{
    CDocument* a = Open(QStringLiteral("a.ndb"));
    const auto original = a->Core().Save();
    Select(a, {QStringLiteral("ZDF HD"), QStringLiteral("Sky Cinema")});
    QVERIFY(m_f->Trigger(kCut));
    const QStringList afterCut = {QStringLiteral("Das Erste HD"), QStringLiteral("Rai 1"), kTele5};
    QCOMPARE(TableNames(a), afterCut);
    QCOMPARE(ListNames(*List(a)), afterCut);
    // The row that took the first cut row's place is selected.
    QCOMPARE(Names(List(a)->SelectedServices()), QStringList{QStringLiteral("Rai 1")});
    QCOMPARE(List(a)->Model().NumberAt(1), 2);
    QCOMPARE(a->UndoStack()->undoText(), QString::fromUtf8(viewmsg::kUndoCut));

    Select(a, {kTele5});
    QVERIFY(m_f->Trigger(kPaste));
    const QStringList afterPaste = {QStringLiteral("Das Erste HD"), QStringLiteral("Rai 1"),
                                    QStringLiteral("ZDF HD"), QStringLiteral("Sky Cinema"), kTele5};
    QCOMPARE(TableNames(a), afterPaste);
    QCOMPARE(ListNames(*List(a)), afterPaste);
    QCOMPARE(a->UndoStack()->count(), 2);

    // Pasting the same channels again duplicates them.
    Select(a, {QStringLiteral("Das Erste HD")});
    QVERIFY(m_f->Trigger(kPaste));
    QCOMPARE(TableNames(a).size(), 7);
    QCOMPARE(TableNames(a).mid(0, 3), (QStringList{QStringLiteral("ZDF HD"), QStringLiteral("Sky Cinema"),
                                                   QStringLiteral("Das Erste HD")}));

    QVERIFY(m_f->Trigger(kUndo));
    QCOMPARE(TableNames(a), afterPaste);
    QVERIFY(m_f->Trigger(kUndo));
    QCOMPARE(TableNames(a), afterCut);
    QVERIFY(m_f->Trigger(kUndo));
    QCOMPARE(a->Core().Save(), original);
    QCOMPARE(ListNames(*List(a)).size(), 5);
}

void TestExchange::pasteWithoutSelectionAppendsAfterTheLastChannel()
{
    CDocument* a = Open(QStringLiteral("a.ndb"));
    Select(a, {QStringLiteral("Das Erste HD"), QStringLiteral("ZDF HD")});
    QVERIFY(m_f->Trigger(kCopy));
    Select(a, {});
    QVERIFY(m_f->Trigger(kPaste));
    const QStringList names = TableNames(a);
    QCOMPARE(names.size(), 7);
    QCOMPARE(names.mid(5), (QStringList{QStringLiteral("Das Erste HD"), QStringLiteral("ZDF HD")}));
    QCOMPARE(ListNames(*List(a)), names);
    // The radio block is untouched.
    QCOMPARE(TableNames(a, true).size(), 3);
}

void TestExchange::otherWindowOfTheDocumentFollows()
{
    CDocument* a = Open(QStringLiteral("a.ndb"));
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57648"))); // "Neues Fenster"
    const auto frames = m_f->Frame().Windows().FramesOf(a);
    QCOMPARE(frames.size(), size_t(2));
    CVandrelEdit2028View* first = frames.front()->ListView();
    CVandrelEdit2028View* second = frames.back()->ListView();
    m_f->Frame().Windows().ActivateFrame(frames.front());
    first->SelectServices(Named(a, {QStringLiteral("Sky Cinema")}));
    first->ActiveItemView()->setFocus();
    QCoreApplication::processEvents();
    QVERIFY(m_f->Trigger(kCut));
    QCOMPARE(ListNames(*second), TableNames(a));
    first->SelectServices({});
    QCoreApplication::processEvents();
    QVERIFY(m_f->Trigger(kPaste));
    QCOMPARE(ListNames(*second), TableNames(a));
    QCOMPARE(ListNames(*second).last(), QStringLiteral("Sky Cinema"));
}

void TestExchange::pasteRefusalsChangeNothing()
{
    CDocument* a = Open(QStringLiteral("a.ndb"));
    const auto original = a->Core().Save();

    // Text of another program.
    QGuiApplication::clipboard()->setText(QStringLiteral("ZDF HD"));
    QCoreApplication::processEvents();
    QVERIFY(!m_f->Action(kPaste)->isEnabled());
    List(a)->PasteChannels(); // the command's route when the state lags behind
    QCOMPARE(m_f->Prompts().OfKind(QStringLiteral("warning")).size(), 1);
    QCOMPARE(m_f->Prompts().records.last().caption, QStringLiteral("Falsche Daten..."));
    QCOMPARE(m_f->Prompts().records.last().text,
             QStringLiteral("Die im Clipboard vorhandenen Daten sind keine VandrelEdit Informationen."));

    // Television channels into the radio list.
    Select(a, {QStringLiteral("Rai 1")});
    QVERIFY(m_f->Trigger(kCopy));
    QVERIFY(m_f->Trigger(kRadio));
    QVERIFY(m_f->Trigger(kPaste));
    QCOMPARE(m_f->Prompts().records.last().caption, QStringLiteral("VandrelEditor"));
    QCOMPARE(m_f->Prompts().records.last().text,
             QString::fromUtf8("Es können nur Kanäle vom gleichen Typ eingefügt werden. (Ansicht wechseln: Radio/TV)"));
    QCOMPARE(ListNames(*List(a)).size(), 3);

    // A payload whose sequences are empty.
    auto* empty = new QMimeData;
    empty->setData(QString::fromLatin1(kClipMimeType), QByteArray(12, '\0'));
    QGuiApplication::clipboard()->setMimeData(empty);
    QCoreApplication::processEvents();
    QVERIFY(m_f->Trigger(kPaste));
    QCOMPARE(m_f->Prompts().records.last().caption, QStringLiteral("No usable information"));

    // A truncated payload is read as far as it goes, never beyond.
    auto* truncated = new QMimeData;
    truncated->setData(QString::fromLatin1(kClipMimeType), QByteArray("\xff\xff\xff\x7f\x01", 5));
    QGuiApplication::clipboard()->setMimeData(truncated);
    QCoreApplication::processEvents();
    QVERIFY(m_f->Trigger(kPaste));
    QCOMPARE(m_f->Prompts().records.last().caption, QStringLiteral("No usable information"));

    QCOMPARE(a->Core().Save(), original);
    QCOMPARE(a->UndoStack()->count(), 0);
    QVERIFY(!a->IsModified());
}

void TestExchange::commandStatesFollowSelectionAndClipboard()
{
    CDocument* a = Open(QStringLiteral("a.ndb"));
    Select(a, {});
    QVERIFY(!m_f->Action(kCopy)->isEnabled());
    QVERIFY(!m_f->Action(kCut)->isEnabled());
    QVERIFY(!m_f->Action(kPaste)->isEnabled());
    Select(a, {QStringLiteral("ZDF HD")});
    QVERIFY(m_f->Action(kCopy)->isEnabled());
    QVERIFY(m_f->Action(kCut)->isEnabled());
    QVERIFY(!m_f->Action(kPaste)->isEnabled());
    QVERIFY(m_f->Trigger(kCopy));
    QVERIFY(m_f->Action(kPaste)->isEnabled());

    // In a favourite group the channels can be copied, not cut or pasted into it.
    CVandrelEdit2028View* list = List(a);
    list->FillFavouriteGroup(0, 0);
    list->ActiveItemView()->selectAll();
    CommandState copy, cut, paste;
    QVERIFY(list->UpdateCommand(cmd::kEditCopy, copy));
    QVERIFY(list->UpdateCommand(cmd::kEditCut, cut));
    QVERIFY(list->UpdateCommand(cmd::kEditPaste, paste));
    QCOMPARE(copy.enabled, list->Model().rowCount() > 0);
    QVERIFY(!cut.enabled);
    QVERIFY(!paste.enabled);
}

void TestExchange::storeAndApplySortOrder()
{
    CDocument* a = Open(QStringLiteral("a.ndb"));
    const QStringList stored = TableNames(a);
    m_f->Prompts().answers << QMessageBox::Yes;
    QVERIFY(m_f->Trigger(kStoreOrder));
    QCOMPARE(m_f->Prompts().OfKind(QStringLiteral("question")).size(), 1);
    QCOMPARE(m_f->Prompts().records.last().caption, QStringLiteral("Sicherheitsabfrage..."));
    QVERIFY(SortOrderFilePath().startsWith(m_data.path() + QLatin1Char('/')));
    QFile f(SortOrderFilePath());
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
    const QByteArray written = f.readAll();
    f.close();
    // Version 1, eight described channels, five television and three radio.
    QCOMPARE(written.size(), 20 + 8 * 24);
    QCOMPARE(written.left(20), QByteArray("\1\0\0\0\10\0\0\0\10\0\0\0\5\0\0\0\3\0\0\0", 20));

    // Answering No keeps the stored file as it is.
    Select(a, {kTele5});
    List(a)->MoveSelectedToPosition(1);
    QCOMPARE(TableNames(a).front(), kTele5);
    QVERIFY(m_f->Trigger(kStoreOrder));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), written);
    f.close();

    QVERIFY(m_f->Trigger(kApplyOrder));
    QCOMPARE(TableNames(a), stored);
    QCOMPARE(ListNames(*List(a)), stored);
    CDesktopAlert* alert = ShownAlert();
    QVERIFY(alert);
    QVERIFY(alert->BodyText().endsWith(QStringLiteral("Es konnten 8 von 8 Services sortiert werden.")));
    QCOMPARE(a->UndoStack()->undoText(), QString::fromUtf8(viewmsg::kUndoApplyOrder));

    QVERIFY(m_f->Trigger(kUndo));
    QCOMPARE(TableNames(a).front(), kTele5);
}

void TestExchange::copyReportsChannelsWithoutTransponder()
{
    ndbtest::TestDatabase db = ndbtest::MakeSmallDatabase();
    db.services.records[3].Transponder(99); // Rai 1 points at no transponder
    CDocument* a = m_f->App().OpenDocumentFile(m_f->WriteFile(QStringLiteral("a.ndb"), db.Build()));
    QVERIFY(a);
    Select(a, {QStringLiteral("Sky Cinema"), QStringLiteral("Rai 1")});
    QVERIFY(m_f->Trigger(kCopy));
    QCOMPARE(m_f->Prompts().OfKind(QStringLiteral("warning")).size(), 1);
    QVERIFY(m_f->Prompts().records.last().text.contains(QStringLiteral("Rai 1")));
    // The other channel is on the clipboard all the same.
    QCOMPARE(QGuiApplication::clipboard()->mimeData()->data(QString::fromLatin1(kClipMimeType)).size(),
             12 + 145 + 52 + 24);
}

void TestExchange::storeReportsAFileThatCannotBeCreated()
{
    CDocument* a = Open(QStringLiteral("a.ndb"));
    QVERIFY(a);
    // A plain file where the data directory should be.
    const QString blocker = m_f->WriteFile(QStringLiteral("kein-ordner"), {1, 2, 3});
    qputenv("XDG_DATA_HOME", QFile::encodeName(blocker));
    m_f->Prompts().answers << QMessageBox::Yes;
    QVERIFY(m_f->Trigger(kStoreOrder));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.path()));
    QCOMPARE(m_f->Prompts().OfKind(QStringLiteral("warning")).size(), 1);
    QVERIFY(m_f->Prompts().records.last().text.startsWith(
        QStringLiteral("Die Datei mit der Sortierung konnte nicht angelegt werden.")));
}

void TestExchange::applyWithoutStoredOrderNamesTheCause()
{
    CDocument* a = Open(QStringLiteral("a.ndb"));
    const auto original = a->Core().Save();
    QVERIFY(m_f->Trigger(kApplyOrder));
    QCOMPARE(m_f->Prompts().OfKind(QStringLiteral("warning")).size(), 1);
    QCOMPARE(m_f->Prompts().records.last().text,
             QStringLiteral("Bitte erst die Datei mit der Sortierung erstellen.\nFehlercode: 2"));
    QCOMPARE(a->Core().Save(), original);
    QCOMPARE(a->UndoStack()->count(), 0);
    QVERIFY(!ShownAlert());
}

void TestExchange::exportAllWritesTheCsvFile()
{
    Open(QStringLiteral("a.ndb"));
    // Cancelling the file dialog writes nothing.
    QVERIFY(m_f->Trigger(kExportAll));
    QCOMPARE(m_f->Prompts().OfKind(QStringLiteral("save")).size(), 1);
    QCOMPARE(m_f->Prompts().OfKind(QStringLiteral("information")).size(), 0);

    m_f->Prompts().saveNames << m_f->Dir() + QStringLiteral("/kanaele");
    QVERIFY(m_f->Trigger(kExportAll));
    QCOMPARE(m_f->Prompts().OfKind(QStringLiteral("information")).size(), 1);
    QCOMPARE(m_f->Prompts().records.last().text, QStringLiteral("Datei wurde erstellt."));
    QFile csv(m_f->Dir() + QStringLiteral("/kanaele.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    QCOMPARE(lines.size(), 10); // header, eight channels, the empty rest after the last CR LF
    QVERIFY(lines.front().startsWith("Nr;Kanalname;ServiceID;"));
    QVERIFY(lines[5].startsWith("   5;T\xE9l\xE9 5;"));
    QVERIFY(lines[6].startsWith("   6;Bayern 3;"));

    // A folder that does not exist cannot take the file.
    m_f->Prompts().saveNames << m_f->Dir() + QStringLiteral("/fehlt/kanaele.csv");
    QVERIFY(m_f->Trigger(kExportAll));
    QCOMPARE(m_f->Prompts().records.last().text, QStringLiteral("konnte die Datei nicht anlegen."));
}

QTEST_MAIN(TestExchange)
#include "tst_exchange.moc"
