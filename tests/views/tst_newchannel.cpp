// Adding a channel by hand through the real main window: the command bar's
// command opens the dialog, the new channel lands after the selected row as
// one undoable step, and the saved file carries it on its chain there.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include "ChildFrame.h"
#include "GuiTestSupport.h"
#include "MainFrame.h"
#include "dialogs/NewChannelDlg.h"
#include "document/VandrelEdit2028Doc.h"
#include "uibase/Document.h"
#include "uibase/InputRuleEdit.h"
#include "views/ChannelListModel.h"
#include "views/VandrelEdit2028View.h"

using namespace ndbtest;

namespace {
const QString kNewChannel = QStringLiteral("cmd_32844");

QStringList TvNames(const CVandrelEdit2028Doc& doc)
{
    QStringList names;
    for (uint32_t i = 0; i < doc.m_services.GetTvCount(); ++i)
        names << QString::fromStdString(doc.m_services.GetAt(static_cast<int>(i))->GetNameText());
    return names;
}
// Types the text key by key, as a keyboard layout with these characters would.
void Type(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}
} // namespace

class TestNewChannel : public QObject {
    Q_OBJECT
private slots:
    void addedThroughTheDialogAndSavedOnItsChain();
};

void TestNewChannel::addedThroughTheDialogAndSavedOnItsChain()
{
    CGuiFixture f;
    const QString path = f.WriteFile(QStringLiteral("small.ndb"), GoodDatabase());
    QVERIFY(f.Start({path}));
    CChildFrame* frame = f.Frame().ActiveChildFrame();
    QVERIFY(frame);
    CDocument* doc = frame->GetDocument();
    CVandrelEdit2028View* list = frame->ListView();
    const QStringList before = TvNames(doc->Core());
    list->SelectServices({doc->Core().m_services.GetAt(1)}); // "ZDF HD"
    list->ActiveItemView()->setFocus();
    QCoreApplication::processEvents();

    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<CNewChannelDlg*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Neuer Fernsehkanal"));
        QCOMPARE(dialog->TemplateLabel()->text(), QStringLiteral("ZDF HD (Nr. 2)"));
        // The name field refuses what the record cannot hold while it is typed.
        Type(dialog->NameEdit(), QString::fromUtf8("Arte \xE2\x82\xAC HD 12345678901234"));
        QCOMPARE(dialog->NameEdit()->text(), QStringLiteral("Arte  HD 1234567890"));
        QCOMPARE(dialog->NameEdit()->Hint(), QStringLiteral("„Kanalname“ fasst höchstens 19 Zeichen."));
        dialog->NameEdit()->setText(QStringLiteral("Arte HD"));
        // Hotbird's unused transponder 4.
        dialog->SatelliteBox()->setCurrentIndex(dialog->SatelliteBox()->findData(1));
        dialog->TransponderBox()->setCurrentIndex(dialog->TransponderBox()->findData(3));
        dialog->ServiceIdEdit()->setText(QStringLiteral("10302"));
        dialog->PmtPidEdit()->setText(QStringLiteral("1100"));
        dialog->VideoPidEdit()->setText(QStringLiteral("9000"));
        // Leaving the field keeps what was typed and names the range.
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(dialog->VideoPidEdit(), &leave);
        QCOMPARE(dialog->VideoPidEdit()->text(), QStringLiteral("9000"));
        QCOMPARE(dialog->VideoPidEdit()->Hint(),
                 QStringLiteral("„Video PId“ nimmt nur ganze Zahlen von 0 bis 8191 an."));
        dialog->AudioPidEdit()->setText(QStringLiteral("1102"));
        dialog->PcrPidEdit()->setText(QStringLiteral("1101"));
        dialog->GroupBox()->setCurrentIndex(dialog->GroupBox()->findData(4));
        dialog->SkipBox()->setChecked(true);
        auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("okButton"));
        ok->click();
        // Out of range: a message naming the range, the dialog stays open.
        QVERIFY(dialog->isVisible());
        QCOMPARE(f.Prompts().OfKind(QStringLiteral("warning")).back().text,
                 QStringLiteral("„Video PId“ nimmt nur ganze Zahlen von 0 bis 8191 an."));
        dialog->VideoPidEdit()->setText(QStringLiteral("1101"));
        ok->click();
        seen = true;
    });
    QVERIFY(f.Trigger(kNewChannel));
    QVERIFY(seen);

    // After the selected row, selected, and the current channel of the panes.
    QStringList expected = before;
    expected.insert(2, QStringLiteral("Arte HD"));
    QCOMPARE(TvNames(doc->Core()), expected);
    CServiceData* added = doc->Core().m_services.GetAt(2);
    QCOMPARE(list->SelectedServices(), std::vector<CServiceData*>{added});
    QCOMPARE(list->Model().CellText(2, 1), QStringLiteral("3"));
    QCOMPARE(list->Model().CellText(3, 1), QStringLiteral("4"));
    QCOMPARE(doc->Core().m_pCurrentService, added);
    QCOMPARE(doc->UndoStack()->count(), 1);
    QCOMPARE(doc->UndoStack()->undoText(), QStringLiteral("Neuer Fernsehkanal"));
    doc->UndoStack()->undo();
    QCOMPARE(TvNames(doc->Core()), before);
    doc->UndoStack()->redo();

    // In radio mode the dialog asks for no video PID; cancelling adds nothing.
    QVERIFY(f.Trigger(QStringLiteral("cmd_32772")));
    bool radioSeen = false;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<CNewChannelDlg*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Neuer Radiokanal"));
        QVERIFY(dialog->VideoPidEdit() == nullptr);
        dialog->reject();
        radioSeen = true;
    });
    QVERIFY(f.Trigger(kNewChannel));
    QVERIFY(radioSeen);
    QCOMPARE(doc->UndoStack()->count(), 1);

    // The saved file, read by the independent parser: on the television
    // chain after "ZDF HD", with the typed fields.
    const QString saved = f.Dir() + QStringLiteral("/saved.ndb");
    QVERIFY(doc->DoSave(saved, &f.Frame()));
    const ParsedFile file = ParseFile(CGuiFixture::ReadFile(saved));
    QVERIFY(file.containerOk);
    const Bytes body = BodyOf(file, kTagServices);
    const std::vector<std::string> chain = ChainNames(body, false);
    QCOMPARE(chain.size(), size_t(6));
    QCOMPARE(chain[1], std::string("ZDF HD"));
    QCOMPARE(chain[2], std::string("Arte HD"));
    const Bytes record = ChainRecords(body, false)[2];
    QCOMPARE(GetU16(record, 6), uint16_t(4));     // transponder
    QCOMPARE(GetU16(record, 8), uint16_t(10302)); // service id
    QCOMPARE(GetU16(record, 12), uint16_t(1101)); // video PID
    QCOMPARE(int(record[30]), 4);                 // favourite group
    QCOMPARE(int(record[31]) & 0x38, 0x10);       // television, skipped, not locked
    QCOMPARE(ChainNames(body, true).size(), size_t(3));
    f.Quit();
}

QTEST_MAIN(TestNewChannel)
#include "tst_newchannel.moc"
