// Opening and saving through the real main window: the messages of a refused
// and a partly read file, the modified mark, the backup, atomic saving and
// the questions before saving and closing.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTest>
#include <fcntl.h>
#include <unistd.h>

#include "ChildFrame.h"
#include "uibase/Document.h"
#include "GuiTestSupport.h"
#include "DocumentWindows.h"
#include "MainFrame.h"
#include "VandrelEdit2028App.h"
#include "document/FileLayer.h"

namespace {
const QString kApp = QStringLiteral("VandrelEdit2028");

// Writes the new file completely, then fails to put it in place.
class CFailingRename : public CFileLayer {
public:
    int renames = 0;

protected:
    bool Rename(const std::string&, const std::string&, std::string& error) override
    {
        ++renames;
        error = "Die Datei kann nicht ersetzt werden: Keine Berechtigung.";
        return false;
    }
};

// Every write goes to a device that is always full, as on a full disk.
class CFullDisk : public CFileLayer {
protected:
    bool WriteAll(int, const uint8_t* data, size_t size, std::string& error) override
    {
        const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
        if (full < 0) {
            error = "no /dev/full";
            return false;
        }
        const bool ok = CFileLayer::WriteAll(full, data, size, error);
        ::close(full);
        return ok;
    }
};

// The files of a directory except the test's settings file.
QStringList FilesIn(const QString& dir)
{
    QStringList files = QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    files.removeAll(QStringLiteral("settings.ini"));
    return files;
}
} // namespace

class TestDocuments : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void openGoodFile();
    void openDamagedFileIsRefused();
    void openPartlyReadableFile();
    void openMissingFile();
    void openingTheSameFileTwiceActivatesIt();
    void modifiedMarkInTitles();
    void saveUnchangedIsByteIdenticalAndKeepsBackupOnce();
    void existingBackupIsNeverReplaced();
    void saveAsWritesNewFileWithoutBackup();
    void failedSaveKeepsOriginalAndModifiedFlag();
    void saveInReadOnlyDirectoryFails();
    void fullDiskMessagesNameTheCause();
    void partlyReadDocumentAsksBeforeSaving();
    void newDocumentSaveIsRefused();
    void closingModifiedDocumentAsks();
    void quittingWithModifiedDocumentAsks();
    void secondWindowClosesWithoutQuestion();

private:
    CDocument* OnlyDocument();
    std::unique_ptr<CGuiFixture> m_f;
};

void TestDocuments::init()
{
    m_f = std::make_unique<CGuiFixture>();
    QVERIFY(m_f->Start());
}

void TestDocuments::cleanup()
{
    m_f.reset();
}

CDocument* TestDocuments::OnlyDocument()
{
    const auto& docs = m_f->App().Documents();
    return docs.size() == 1 ? docs.front() : nullptr;
}

void TestDocuments::openGoodFile()
{
    const QString path = m_f->WriteFile(QStringLiteral("good.ndb"), GoodDatabase());
    m_f->Prompts().openNames << path;
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57601")));

    const auto open = m_f->Prompts().OfKind(QStringLiteral("open"));
    QCOMPARE(open.size(), 1);
    QCOMPARE(open[0].caption, QStringLiteral("Öffnen"));
    QVERIFY(open[0].text.startsWith(QStringLiteral("VandrelEdit2028 Files (*.ndb)")));
    QCOMPARE(m_f->Prompts().records.size(), 1); // nothing but the dialog

    QCOMPARE(m_f->Frame().Windows().ChildFrames().size(), 1);
    CDocument* doc = OnlyDocument();
    QVERIFY(doc);
    QCOMPARE(doc->Title(), QStringLiteral("good.ndb"));
    QVERIFY(!doc->IsModified());
    QCOMPARE(doc->Core().m_services.GetSize() > 0, true);
    QCOMPARE(m_f->Frame().windowTitle(), QStringLiteral("good.ndb[*] - VandrelEdit2028"));
    QVERIFY(!m_f->Frame().isWindowModified());
    QCOMPARE(m_f->App().RecentFilePaths().value(0), QFileInfo(path).absoluteFilePath());
    QVERIFY(m_f->Action(QStringLiteral("cmd_57603"))->isEnabled());
    QVERIFY(m_f->Action(QStringLiteral("cmd_57602"))->isEnabled());
}

void TestDocuments::openDamagedFileIsRefused()
{
    const QString path = m_f->WriteFile(QStringLiteral("damaged.ndb"), DamagedDatabase());
    QVERIFY(!m_f->App().OpenDocumentFile(path));
    const auto warnings = m_f->Prompts().OfKind(QStringLiteral("warning"));
    QCOMPARE(warnings.size(), 1);
    QCOMPARE(warnings[0].text, QStringLiteral("Unerwartetes Dateiformat."));
    QCOMPARE(warnings[0].caption, kApp);
    QCOMPARE(m_f->Frame().Windows().ChildFrames().size(), 0);
    QVERIFY(m_f->App().Documents().empty());
    QCOMPARE(m_f->Frame().windowTitle(), kApp);
    QVERIFY(m_f->App().RecentFilePaths().isEmpty());
}

void TestDocuments::openPartlyReadableFile()
{
    const QString path = m_f->WriteFile(QStringLiteral("partly.ndb"), PartlyReadableDatabase());
    QVERIFY(m_f->App().OpenDocumentFile(path));
    const auto infos = m_f->Prompts().OfKind(QStringLiteral("information"));
    QCOMPARE(infos.size(), 1);
    QCOMPARE(infos[0].caption, QStringLiteral("unknown Data found"));
    QCOMPARE(infos[0].text, QStringLiteral("Nicht alle gefundenen Datenblöcke konnten ausgewertet werden.\n\n"
                                           "Data: 77 DB 0 0 1 0 0 0\n"));
    QVERIFY(!infos[0].hasParent);
    QCOMPARE(m_f->Prompts().records.size(), 1);
    QCOMPARE(m_f->Frame().Windows().ChildFrames().size(), 1);
    CDocument* doc = OnlyDocument();
    QVERIFY(doc && doc->Core().LoadStoppedEarly());
    QCOMPARE(doc->Core().m_satellites.GetSize(), 0); // behind the unknown block
}

void TestDocuments::openMissingFile()
{
    const QString path = m_f->Dir() + QStringLiteral("/gone.ndb");
    QVERIFY(!m_f->App().OpenDocumentFile(path));
    const auto warnings = m_f->Prompts().OfKind(QStringLiteral("warning"));
    QCOMPARE(warnings.size(), 1);
    QVERIFY(warnings[0].text.contains(path));
    QVERIFY(m_f->Frame().Windows().ChildFrames().isEmpty());
}

void TestDocuments::openingTheSameFileTwiceActivatesIt()
{
    const QString a = m_f->WriteFile(QStringLiteral("a.ndb"), GoodDatabase());
    const QString b = m_f->WriteFile(QStringLiteral("b.ndb"), GoodDatabase());
    CDocument* docA = m_f->App().OpenDocumentFile(a);
    m_f->App().OpenDocumentFile(b);
    QCOMPARE(m_f->Frame().ActiveDocument()->Title(), QStringLiteral("b.ndb"));
    QCOMPARE(m_f->App().OpenDocumentFile(a), docA);
    QCOMPARE(m_f->App().Documents().size(), size_t(2));
    QCOMPARE(m_f->Frame().ActiveDocument(), docA);
    QCOMPARE(m_f->Frame().windowTitle(), QStringLiteral("a.ndb[*] - VandrelEdit2028"));
}

void TestDocuments::modifiedMarkInTitles()
{
    const QString path = m_f->WriteFile(QStringLiteral("good.ndb"), GoodDatabase());
    CDocument* doc = m_f->App().OpenDocumentFile(path);
    QVERIFY(doc);
    QMdiSubWindow* sub = m_f->Frame().Windows().MdiArea()->activeSubWindow();
    QVERIFY(sub);
    QVERIFY(!sub->isWindowModified());
    doc->SetModifiedFlag(true);
    QVERIFY(m_f->Frame().isWindowModified());
    QVERIFY(sub->isWindowModified());
    QCOMPARE(sub->windowTitle(), QStringLiteral("good.ndb[*]"));
    m_f->Prompts().answers.clear();
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57603")));
    QVERIFY(!doc->IsModified());
    QVERIFY(!m_f->Frame().isWindowModified());
    QVERIFY(!sub->isWindowModified());
}

void TestDocuments::saveUnchangedIsByteIdenticalAndKeepsBackupOnce()
{
    const ndbtest::Bytes original = GoodDatabase();
    const QString path = m_f->WriteFile(QStringLiteral("chan.ndb"), original);
    CDocument* doc = m_f->App().OpenDocumentFile(path);
    QVERIFY(doc);
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57603")));
    QVERIFY(m_f->Prompts().records.isEmpty());
    QVERIFY(CGuiFixture::ReadFile(path) == original);
    const QString backup = path + QStringLiteral(".bak");
    QVERIFY(QFileInfo::exists(backup));
    QVERIFY(CGuiFixture::ReadFile(backup) == original);

    // Change something and save again: the backup still holds the original.
    CServiceData* first = doc->Core().m_services.GetAt(0);
    QVERIFY(first);
    first->SetNameText("Geaendert");
    doc->SetModifiedFlag(true);
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57603")));
    QVERIFY(CGuiFixture::ReadFile(path) != original);
    QVERIFY(CGuiFixture::ReadFile(backup) == original);
    QCOMPARE(FilesIn(m_f->Dir()), (QStringList{QStringLiteral("chan.ndb"), QStringLiteral("chan.ndb.bak")}));
}

void TestDocuments::existingBackupIsNeverReplaced()
{
    const QString path = m_f->WriteFile(QStringLiteral("chan.ndb"), GoodDatabase());
    const ndbtest::Bytes older = {'o', 'l', 'd'};
    const QString backup = m_f->WriteFile(QStringLiteral("chan.ndb.bak"), older);
    CDocument* doc = m_f->App().OpenDocumentFile(path);
    doc->SetModifiedFlag(true);
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57603")));
    QVERIFY(!doc->IsModified());
    QVERIFY(CGuiFixture::ReadFile(backup) == older);
}

void TestDocuments::saveAsWritesNewFileWithoutBackup()
{
    const ndbtest::Bytes original = GoodDatabase();
    const QString path = m_f->WriteFile(QStringLiteral("chan.ndb"), original);
    m_f->App().OpenDocumentFile(path);
    const QString target = m_f->Dir() + QStringLiteral("/kopie"); // no extension: ".ndb" is added
    m_f->Prompts().saveNames << target;
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57604")));
    const auto save = m_f->Prompts().OfKind(QStringLiteral("save"));
    QCOMPARE(save.size(), 1);
    QCOMPARE(save[0].caption, QStringLiteral("Speichern unter"));
    QVERIFY(CGuiFixture::ReadFile(target + QStringLiteral(".ndb")) == original);
    QVERIFY(!QFileInfo::exists(target + QStringLiteral(".ndb.bak")));
    QVERIFY(!QFileInfo::exists(path + QStringLiteral(".bak")));
    QCOMPARE(OnlyDocument()->Title(), QStringLiteral("kopie.ndb"));
    QCOMPARE(m_f->Frame().windowTitle(), QStringLiteral("kopie.ndb[*] - VandrelEdit2028"));
    QCOMPARE(m_f->App().RecentFilePaths().value(0), QFileInfo(target + QStringLiteral(".ndb")).absoluteFilePath());
}

void TestDocuments::failedSaveKeepsOriginalAndModifiedFlag()
{
    const ndbtest::Bytes original = GoodDatabase();
    const QString path = m_f->WriteFile(QStringLiteral("chan.ndb"), original);
    CDocument* doc = m_f->App().OpenDocumentFile(path);
    CFailingRename files;
    doc->SetFileLayer(&files);
    doc->Core().m_services.GetAt(0)->SetNameText("Neu");
    doc->SetModifiedFlag(true);
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57603")));
    QCOMPARE(files.renames, 1);
    const auto errors = m_f->Prompts().OfKind(QStringLiteral("critical"));
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors[0].caption, kApp);
    QVERIFY(errors[0].text.contains(QStringLiteral("konnte nicht gespeichert werden")));
    QVERIFY(errors[0].text.contains(QStringLiteral("Keine Berechtigung")));
    QVERIFY(errors[0].text.contains(path));
    QVERIFY(doc->IsModified());
    QVERIFY(m_f->Frame().isWindowModified());
    QVERIFY(CGuiFixture::ReadFile(path) == original);
    // Only the backup is new; no temporary file is left behind.
    QCOMPARE(FilesIn(m_f->Dir()), (QStringList{QStringLiteral("chan.ndb"), QStringLiteral("chan.ndb.bak")}));
}

void TestDocuments::fullDiskMessagesNameTheCause()
{
    const ndbtest::Bytes original = GoodDatabase();
    const QString path = m_f->WriteFile(QStringLiteral("chan.ndb"), original);
    CDocument* doc = m_f->App().OpenDocumentFile(path);
    QVERIFY(doc);
    CFullDisk files;
    doc->SetFileLayer(&files);

    // The first save of the unchanged document stops at the backup copy.
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57603")));
    auto errors = m_f->Prompts().OfKind(QStringLiteral("critical"));
    QCOMPARE(errors.size(), 1);
    QVERIFY(errors[0].text.contains(QStringLiteral("Sicherungskopie")));
    QVERIFY2(errors[0].text.contains(QStringLiteral("Kein Speicherplatz")), qPrintable(errors[0].text));
    QCOMPARE(FilesIn(m_f->Dir()), QStringList{QStringLiteral("chan.ndb")});

    // With a backup in place the save itself fails; the document was not
    // changed, and the message does not say it stays changed.
    m_f->WriteFile(QStringLiteral("chan.ndb.bak"), original);
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57603")));
    errors = m_f->Prompts().OfKind(QStringLiteral("critical"));
    QCOMPARE(errors.size(), 2);
    QVERIFY2(errors[1].text.contains(QStringLiteral("Kein Speicherplatz")), qPrintable(errors[1].text));
    QVERIFY2(!errors[1].text.contains(QStringLiteral("geändert")), qPrintable(errors[1].text));
    QVERIFY(!doc->IsModified());

    doc->SetModifiedFlag(true);
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57603")));
    errors = m_f->Prompts().OfKind(QStringLiteral("critical"));
    QCOMPARE(errors.size(), 3);
    QVERIFY(errors[2].text.contains(QStringLiteral("das Dokument bleibt geändert")));
    QVERIFY(doc->IsModified());
    QVERIFY(CGuiFixture::ReadFile(path) == original);
}

void TestDocuments::saveInReadOnlyDirectoryFails()
{
    if (::geteuid() == 0)
        QSKIP("running as root: directory permissions do not stop writes (the failing-rename case covers it)");
    const ndbtest::Bytes original = GoodDatabase();
    const QString sub = m_f->Dir() + QStringLiteral("/ro");
    QVERIFY(QDir().mkpath(sub));
    const QString path = sub + QStringLiteral("/chan.ndb");
    QVERIFY(QFile::copy(m_f->WriteFile(QStringLiteral("src.ndb"), original), path));
    CDocument* doc = m_f->App().OpenDocumentFile(path);
    QVERIFY(doc);
    QVERIFY(QFile::setPermissions(sub, QFile::ReadOwner | QFile::ExeOwner));
    doc->SetModifiedFlag(true);
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57603")));
    QFile::setPermissions(sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const auto errors = m_f->Prompts().OfKind(QStringLiteral("critical"));
    QCOMPARE(errors.size(), 1);
    QVERIFY(doc->IsModified());
    QVERIFY(CGuiFixture::ReadFile(path) == original);
    QCOMPARE(FilesIn(sub), QStringList{QStringLiteral("chan.ndb")});
}

void TestDocuments::partlyReadDocumentAsksBeforeSaving()
{
    const ndbtest::Bytes original = PartlyReadableDatabase();
    const QString path = m_f->WriteFile(QStringLiteral("partly.ndb"), original);
    CDocument* doc = m_f->App().OpenDocumentFile(path);
    QVERIFY(doc);
    m_f->Prompts().records.clear();
    doc->SetModifiedFlag(true);

    m_f->Prompts().answers << QMessageBox::No;
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57603")));
    auto questions = m_f->Prompts().OfKind(QStringLiteral("question"));
    QCOMPARE(questions.size(), 1);
    QCOMPARE(questions[0].buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(questions[0].defaultButton, QMessageBox::No);
    QCOMPARE(questions[0].caption, kApp);
    QVERIFY(questions[0].text.contains(QStringLiteral("verloren")));
    QVERIFY(CGuiFixture::ReadFile(path) == original);
    QVERIFY(doc->IsModified());

    m_f->Prompts().answers << QMessageBox::Yes;
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57603")));
    QCOMPARE(m_f->Prompts().OfKind(QStringLiteral("question")).size(), 2);
    QVERIFY(!doc->IsModified());
    const ndbtest::Bytes saved = CGuiFixture::ReadFile(path);
    QVERIFY(saved != original);
    // Only what was read is written: header and configuration, no satellites.
    const ndbtest::ParsedFile parsed = ndbtest::ParseFile(saved);
    QVERIFY(parsed.containerOk);
    QVERIFY(ndbtest::BlockOf(parsed, ndbtest::kTagConfig));
    QVERIFY(CGuiFixture::ReadFile(path + QStringLiteral(".bak")) == original);
    QCOMPARE(m_f->Prompts().unscripted, 0);
}

void TestDocuments::newDocumentSaveIsRefused()
{
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57600")));
    CDocument* doc = OnlyDocument();
    QVERIFY(doc);
    QCOMPARE(doc->Title(), QStringLiteral("VandrelEdit20281"));
    QCOMPARE(m_f->Frame().windowTitle(), QStringLiteral("VandrelEdit20281[*] - VandrelEdit2028"));
    doc->SetModifiedFlag(true);
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57603")));
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57604")));
    const auto warnings = m_f->Prompts().OfKind(QStringLiteral("warning"));
    QCOMPARE(warnings.size(), 2);
    QVERIFY(warnings[0].text.contains(QStringLiteral("„Neu“")));
    QVERIFY(warnings[0].text.contains(QStringLiteral("nicht gespeichert")));
    QVERIFY(m_f->Prompts().OfKind(QStringLiteral("save")).isEmpty()); // no dialog before the refusal
    QVERIFY(doc->IsModified());
    QVERIFY(FilesIn(m_f->Dir()).isEmpty());
}

void TestDocuments::closingModifiedDocumentAsks()
{
    const ndbtest::Bytes original = GoodDatabase();
    const QString path = m_f->WriteFile(QStringLiteral("chan.ndb"), original);
    CDocument* doc = m_f->App().OpenDocumentFile(path);
    doc->Core().m_services.GetAt(0)->SetNameText("Neu");
    doc->SetModifiedFlag(true);

    m_f->Prompts().answers << QMessageBox::Cancel;
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57602")));
    auto q = m_f->Prompts().OfKind(QStringLiteral("question"));
    QCOMPARE(q.size(), 1);
    QCOMPARE(q[0].text, QStringLiteral("Änderungen in „chan.ndb“ speichern?"));
    QCOMPARE(q[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(m_f->Frame().Windows().ChildFrames().size(), 1);

    // The tab's close button asks the same way.
    m_f->Prompts().answers << QMessageBox::Cancel;
    QVERIFY(!m_f->Frame().Windows().MdiArea()->activeSubWindow()->close());
    QCOMPARE(m_f->Frame().Windows().ChildFrames().size(), 1);

    m_f->Prompts().answers << QMessageBox::No;
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57602")));
    QTRY_COMPARE(m_f->Frame().Windows().ChildFrames().size(), 0);
    QTRY_VERIFY(m_f->App().Documents().empty());
    QVERIFY(CGuiFixture::ReadFile(path) == original);
    QCOMPARE(m_f->Frame().windowTitle(), kApp);

    // Yes saves, then closes.
    doc = m_f->App().OpenDocumentFile(path);
    doc->Core().m_services.GetAt(0)->SetNameText("Neu");
    doc->SetModifiedFlag(true);
    m_f->Prompts().answers << QMessageBox::Yes;
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57602")));
    QTRY_COMPARE(m_f->Frame().Windows().ChildFrames().size(), 0);
    QVERIFY(CGuiFixture::ReadFile(path) != original);
    QCOMPARE(m_f->Prompts().unscripted, 0);
}

void TestDocuments::quittingWithModifiedDocumentAsks()
{
    const QString path = m_f->WriteFile(QStringLiteral("chan.ndb"), GoodDatabase());
    CDocument* doc = m_f->App().OpenDocumentFile(path);
    doc->SetModifiedFlag(true);
    m_f->Prompts().answers << QMessageBox::Cancel;
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57665")));
    QVERIFY(m_f->Frame().isVisible());
    QCOMPARE(m_f->Frame().Windows().ChildFrames().size(), 1);
    QCOMPARE(m_f->Prompts().OfKind(QStringLiteral("question")).size(), 1);
    // Nothing is written while the program keeps running.
    QVERIFY(!QSettings(m_f->SettingsPath(), QSettings::IniFormat).contains(QStringLiteral("Workspace/ListWidth")));

    m_f->Prompts().answers << QMessageBox::No;
    QVERIFY(m_f->Quit());
    QSettings ini(m_f->SettingsPath(), QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("Workspace/ListWidth")).toInt(), 100);
    QCOMPARE(ini.value(QStringLiteral("Recent File List/File1")).toString(), QFileInfo(path).absoluteFilePath());
}

void TestDocuments::secondWindowClosesWithoutQuestion()
{
    const QString path = m_f->WriteFile(QStringLiteral("chan.ndb"), GoodDatabase());
    CDocument* doc = m_f->App().OpenDocumentFile(path);
    doc->SetModifiedFlag(true);
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57648")));
    const QList<CChildFrame*> frames = m_f->Frame().Windows().ChildFrames();
    QCOMPARE(frames.size(), 2);
    QCOMPARE(frames[0]->GetDocument(), frames[1]->GetDocument());
    QCOMPARE(m_f->Frame().Windows().FrameTitle(frames[0]), QStringLiteral("chan.ndb:1"));
    QCOMPARE(m_f->Frame().Windows().FrameTitle(frames[1]), QStringLiteral("chan.ndb:2"));
    QCOMPARE(m_f->Frame().windowTitle(), QStringLiteral("chan.ndb:2[*] - VandrelEdit2028"));
    QVERIFY(m_f->Frame().Windows().CloseFrame(frames[1]));
    QTRY_COMPARE(m_f->Frame().Windows().ChildFrames().size(), 1);
    QVERIFY(m_f->Prompts().records.isEmpty());
    QCOMPARE(m_f->Frame().Windows().FrameTitle(m_f->Frame().Windows().ChildFrames().front()), QStringLiteral("chan.ndb"));
    QCOMPARE(m_f->App().Documents().size(), size_t(1));
}

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
