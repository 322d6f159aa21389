// The option sheet ("Informationen", "AppOptionen") and the system settings
// sheet ("Spracheinstellungen"): texts, the tooltip entry, the status bar
// toggle, the colour pickers with cancel, and the language choices with
// their undo step.
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPointer>
#include <QScreen>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <QUndoStack>

#include "DialogTestSupport.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/AppOptionPage.h"
#include "dialogs/ColourPicker.h"
#include "dialogs/MakerLink.h"
#include "dialogs/OptionsPropSheet.h"
#include "dialogs/ReceiverConfigLanguage.h"
#include "dialogs/ResourcePage.h"
#include "dialogs/SettingsOptionsPropSheet.h"

using namespace ndbtest;

namespace {

QStringList Texts(const QComboBox* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->itemText(i);
    return out;
}

QStringList LabelTexts(const QWidget* w)
{
    QStringList out;
    for (const QLabel* l : w->findChildren<QLabel*>())
        out << l->text();
    return out;
}

// Colour of the first swatch that is not one of the four colours in play.
QColor OtherPaletteColour(int index)
{
    return CColourPopup::Palette()[size_t(index)];
}

} // namespace

class TestOptionSheets : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // option sheet
    void sheetTitlePagesAndButtons();
    void resourcePageTexts();
    void infoButtonOpensTheAboutBox();
    void appOptionTexts();
    void tooltipEntryOpensFromTheSettings_data();
    void tooltipEntryOpensFromTheSettings();
    void tooltipEntryIsStoredOnOk_data();
    void tooltipEntryIsStoredOnOk();
    void statusBarButton();
    void pickersOpenWithStandardAndCurrentColours();
    void paletteHasTenColumns();
    void pickedColourIsStoredAtOnce();
    void standardThenCancelRestores();
    void moreColours();
    void okKeepsPickedColours();
    void escapeCancelsToo();
    // system settings sheet
    void languageSheetTexts();
    void languageListsShowTheStoredCodes();
    void languageOkStoresTheChoicesAsOneStep();
    void languageOkWithoutChangeLeavesNoStep();
    void languageCancelChangesNothing();
    void languageWithoutDocument();

private:
    void OpenOptions(bool statusBarVisible = true, int startPage = 0);
    CAppOptionPage* AppPage() const { return m_pOptions->AppOptionPage(); }
    // Opens the picker's drop-down and returns it.
    CColourPopup* OpenPopup(int colour);

    AppSettings m_settings;
    std::unique_ptr<COptionsPropSheet> m_pOptions;
    CFakePrompts m_prompts;
};

void TestOptionSheets::init()
{
    m_settings = AppSettings();
    m_settings.m_clrChannelBack = Rgb(1, 2, 3);
    m_settings.m_clrChannelText = Rgb(250, 240, 230);
    m_settings.m_clrTreeBack = Rgb(10, 20, 30);
    m_settings.m_clrTreeText = Rgb(40, 50, 60);
    OpenOptions();
}

void TestOptionSheets::cleanup()
{
    m_pOptions.reset();
}

void TestOptionSheets::OpenOptions(bool statusBarVisible, int startPage)
{
    m_pOptions.reset();
    m_pOptions = std::make_unique<COptionsPropSheet>(m_settings, statusBarVisible, nullptr, startPage);
    m_pOptions->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pOptions.get()));
}

CColourPopup* TestOptionSheets::OpenPopup(int colour)
{
    m_pOptions->SetActivePage(COptionsPropSheet::kPageAppOptionen);
    QApplication::processEvents(); // the page lays itself out when first shown
    CColourPicker* picker = AppPage()->Picker(colour);
    QTest::mouseClick(picker, Qt::LeftButton);
    CColourPopup* popup = picker->Popup();
    if (popup != nullptr)
        (void)QTest::qWaitForWindowExposed(popup);
    return popup;
}

void TestOptionSheets::sheetTitlePagesAndButtons()
{
    QCOMPARE(m_pOptions->windowTitle(), QStringLiteral("Weitere interessante Informationen"));
    QVERIFY(m_pOptions->isModal());
    QCOMPARE(m_pOptions->PageCount(), 2);
    QListWidget* list = m_pOptions->PageList();
    QCOMPARE(list->width(), 124);
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), QStringLiteral("Informationen"));
    QCOMPARE(list->item(1)->text(), QStringLiteral("AppOptionen"));
    QCOMPARE(list->iconSize(), QSize(32, 32));
    for (int i = 0; i < 2; ++i)
        QVERIFY(!list->item(i)->icon().pixmap(32, 32).isNull());
    QVERIFY(list->item(0)->icon().pixmap(32, 32).toImage() != list->item(1)->icon().pixmap(32, 32).toImage());
    // The list stands at the left of the page.
    QVERIFY(list->geometry().right() < m_pOptions->ResourcePage()->mapTo(m_pOptions.get(), QPoint(0, 0)).x());
    QCOMPARE(m_pOptions->ActivePageIndex(), 0);
    QStringList buttons;
    for (QAbstractButton* b : m_pOptions->Buttons()->buttons())
        buttons << b->text();
    QCOMPARE(buttons.size(), 2);
    QVERIFY(buttons.contains(QStringLiteral("OK")));
    QVERIFY(buttons.contains(QStringLiteral("Abbrechen")));
    // A click in the page list switches the page.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(1)).center());
    QCOMPARE(m_pOptions->ActivePageIndex(), 1);
    QVERIFY(AppPage()->isVisible());
    // The sheet stays on the screen.
    QVERIFY(m_pOptions->screen()->availableGeometry().contains(m_pOptions->frameGeometry()));

    OpenOptions(true, COptionsPropSheet::kPageAppOptionen);
    QCOMPARE(m_pOptions->ActivePageIndex(), 1);
    dlgtest::SaveShot(m_pOptions.get(), QStringLiteral("options-appoptionen"));
}

void TestOptionSheets::resourcePageTexts()
{
    CResourcePage* page = m_pOptions->ResourcePage();
    QCOMPARE(page->Caption(), QStringLiteral("Informationen"));
    QCOMPARE(page->InfoLine()->text(), QStringLiteral("Info über VandrelEditor"));
    QCOMPARE(page->InfoButton()->text(), QStringLiteral("&Info"));
    QCOMPARE(page->VersionLine()->text(), QStringLiteral("Versionsinformationen und Release Date."));
    QCOMPARE(page->Maker()->Caption()->text(), QStringLiteral("Mit freundlicher Unterstützung der Firma:"));
    for (QLabel* line : {page->InfoLine(), page->VersionLine(), page->Maker()->Caption()}) {
        QCOMPARE(line->font().weight(), QFont::Black);
        QCOMPARE(line->font().family(), page->font().family());
    }
    QVERIFY(!page->Maker()->Logo()->pixmap().isNull());
    QCOMPARE(page->Maker()->LinkButton()->toolTip(), QStringLiteral("Visit Rudevoz site"));
    QVERIFY(page->Maker()->LinkButton()->text().startsWith(QStringLiteral("https://")));
    // The button follows its line.
    QVERIFY(page->InfoButton()->geometry().left() > page->InfoLine()->geometry().left());
    dlgtest::SaveShot(m_pOptions.get(), QStringLiteral("options-informationen"));
}

void TestOptionSheets::infoButtonOpensTheAboutBox()
{
    QString seenTitle;
    bool seenModal = false;
    QTimer::singleShot(0, this, [&] {
        auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        if (about != nullptr) {
            seenTitle = about->windowTitle();
            seenModal = about->isModal();
            about->reject();
        }
    });
    QTest::mouseClick(m_pOptions->ResourcePage()->InfoButton(), Qt::LeftButton);
    QCOMPARE(seenTitle, QStringLiteral("Info über VandrelEdit2028"));
    QVERIFY(seenModal);
    QVERIFY(m_pOptions->isVisible()); // the sheet stays open
}

void TestOptionSheets::appOptionTexts()
{
    CAppOptionPage* page = AppPage();
    QCOMPARE(page->Caption(), QStringLiteral("AppOptionen"));
    const QStringList labels = LabelTexts(page);
    for (const char* text : {"Eigenschaftsbeschreibungen:", "Kanalhintergundfarbe .  .  .",
                             "Kanaltextfarbe   .  .  .  .  .  .", "Baumhintergrundfarbe   .  .",
                             "Baumtextfarbe   .  .  .  .  .  .", "Mit freundlicher Unterstützung der Firma:"})
        QVERIFY2(labels.contains(QString::fromUtf8(text)), text);
    QCOMPARE(Texts(page->ToolTipList()),
             (QStringList{QStringLiteral("Zeige die Eigenschaftsbeschreibungen in den Screentips."),
                          QStringLiteral("Zeige nur die Screentips."), QStringLiteral("Keine Screentips anzeigen.")}));
    QCOMPARE(page->StatusBarButton()->text(), QStringLiteral("Statusleiste"));
    QStringList groups;
    for (const QGroupBox* g : page->findChildren<QGroupBox*>())
        groups << g->title();
    QVERIFY(groups.contains(QStringLiteral("Optionale Fenster")));
    QVERIFY(groups.contains(QStringLiteral("Farben")));
    for (int c = 0; c < CAppOptionPage::kColourCount; ++c)
        QVERIFY(!page->Picker(c)->accessibleName().isEmpty());
    QVERIFY(!page->ToolTipList()->accessibleName().isEmpty());
}

void TestOptionSheets::tooltipEntryOpensFromTheSettings_data()
{
    QTest::addColumn<int>("tips");
    QTest::addColumn<int>("descr");
    QTest::addColumn<QString>("shown");
    QTest::newRow("off, descriptions on") << 0 << 1 << QStringLiteral("Keine Screentips anzeigen.");
    QTest::newRow("off") << 0 << 0 << QStringLiteral("Keine Screentips anzeigen.");
    QTest::newRow("on with descriptions") << 1 << 1
                                          << QStringLiteral("Zeige die Eigenschaftsbeschreibungen in den Screentips.");
    QTest::newRow("on without") << 1 << 0 << QStringLiteral("Zeige nur die Screentips.");
}

void TestOptionSheets::tooltipEntryOpensFromTheSettings()
{
    QFETCH(int, tips);
    QFETCH(int, descr);
    QFETCH(QString, shown);
    m_settings.m_nShowToolTips = tips;
    m_settings.m_nShowToolTipDescr = descr;
    OpenOptions();
    QCOMPARE(AppPage()->ToolTipList()->currentText(), shown);
}

void TestOptionSheets::tooltipEntryIsStoredOnOk_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("tips");
    QTest::addColumn<int>("descr");
    QTest::newRow("0") << 0 << 1 << 1;
    QTest::newRow("1") << 1 << 1 << 0;
    QTest::newRow("2") << 2 << 0 << 0;
}

void TestOptionSheets::tooltipEntryIsStoredOnOk()
{
    QFETCH(int, entry);
    QFETCH(int, tips);
    QFETCH(int, descr);
    m_settings.m_nShowToolTips = 7;
    m_settings.m_nShowToolTipDescr = 7;
    OpenOptions();
    AppPage()->ToolTipList()->setCurrentIndex(entry);
    QCOMPARE(m_settings.m_nShowToolTips, 7); // not before OK
    QTest::mouseClick(m_pOptions->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    QCOMPARE(m_pOptions->result(), int(QDialog::Accepted));
    QCOMPARE(m_settings.m_nShowToolTips, tips);
    QCOMPARE(m_settings.m_nShowToolTipDescr, descr);

    // Cancel stores nothing.
    m_settings.m_nShowToolTips = 1;
    m_settings.m_nShowToolTipDescr = 1;
    OpenOptions();
    AppPage()->ToolTipList()->setCurrentIndex(2);
    QTest::mouseClick(m_pOptions->findChild<QPushButton*>(QStringLiteral("cancelButton")), Qt::LeftButton);
    QCOMPARE(m_settings.m_nShowToolTips, 1);
    QCOMPARE(m_settings.m_nShowToolTipDescr, 1);
}

void TestOptionSheets::statusBarButton()
{
    m_pOptions->SetActivePage(COptionsPropSheet::kPageAppOptionen);
    QPushButton* button = AppPage()->StatusBarButton();
    QVERIFY(button->isCheckable());
    QVERIFY(button->isChecked());
    QSignalSpy toggled(m_pOptions.get(), &COptionsPropSheet::StatusBarToggled);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(toggled.count(), 1);
    QVERIFY(!button->isChecked());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(toggled.count(), 2);
    QTest::mouseClick(button, Qt::LeftButton);
    // Cancel does not take the toggle back.
    QTest::mouseClick(m_pOptions->findChild<QPushButton*>(QStringLiteral("cancelButton")), Qt::LeftButton);
    QCOMPARE(toggled.count(), 3);

    OpenOptions(false);
    QVERIFY(!AppPage()->StatusBarButton()->isChecked());
}

void TestOptionSheets::pickersOpenWithStandardAndCurrentColours()
{
    const QColor standards[] = {QColor(53, 73, 106), QColor(255, 255, 255), QColor(188, 199, 216), QColor(0, 0, 0)};
    const QColor currents[] = {QColor(1, 2, 3), QColor(250, 240, 230), QColor(10, 20, 30), QColor(40, 50, 60)};
    for (int c = 0; c < CAppOptionPage::kColourCount; ++c) {
        QCOMPARE(AppPage()->Picker(c)->StandardColour(), standards[c]);
        QCOMPARE(AppPage()->Picker(c)->Colour(), currents[c]);
    }
    // The drop-down shows the current colour when the palette has it.
    m_settings.m_clrTreeText = FromQColor(OtherPaletteColour(23));
    OpenOptions();
    CColourPopup* popup = OpenPopup(CAppOptionPage::kTreeText);
    QVERIFY(popup);
    QCOMPARE(popup->CurrentSwatch(), 23);
    QVERIFY(popup->Swatch(23)->isChecked());
    QVERIFY(!popup->Swatch(22)->isChecked());
    QVERIFY(!popup->StandardButton()->isChecked());
    dlgtest::SaveShot(popup, QStringLiteral("colour-popup"));
    popup->close();
    // And "Standard" when the current colour is the standard one.
    m_settings.m_clrTreeText = stdcolors::kTreeText;
    OpenOptions();
    popup = OpenPopup(CAppOptionPage::kTreeText);
    QVERIFY(popup->StandardButton()->isChecked());
}

void TestOptionSheets::paletteHasTenColumns()
{
    CColourPopup* popup = OpenPopup(CAppOptionPage::kChannelBack);
    QVERIFY(popup);
    QCOMPARE(popup->StandardButton()->text(), QStringLiteral("Standard"));
    QCOMPARE(popup->MoreButton()->text(), QStringLiteral("Weitere Farben"));
    QVERIFY(popup->SwatchCount() >= 40);
    QCOMPARE(popup->SwatchCount() % 10, 0);
    QCOMPARE(popup->CurrentSwatch(), -1); // RGB(1, 2, 3) is not in the palette
    const auto pos = [popup](int i) { return popup->Swatch(i)->geometry().topLeft(); };
    for (int i = 0; i < 9; ++i)
        QVERIFY(pos(i + 1).x() > pos(i).x());
    QCOMPARE(pos(10).x(), pos(0).x());
    QVERIFY(pos(10).y() > pos(9).y());
    QCOMPARE(pos(19).x(), pos(9).x());
    // "Standard" above the palette, "Weitere Farben" below it.
    QVERIFY(popup->StandardButton()->geometry().bottom() < pos(0).y());
    QVERIFY(popup->MoreButton()->geometry().top() > popup->Swatch(popup->SwatchCount() - 1)->geometry().bottom());
    // Opened below its button.
    CColourPicker* picker = AppPage()->Picker(CAppOptionPage::kChannelBack);
    // (The test platform may add window frame margins of its own.)
    const int below = picker->mapToGlobal(QPoint(0, picker->height())).y();
    const int margin = popup->windowHandle()->frameMargins().top();
    QVERIFY(popup->geometry().top() >= below && popup->geometry().top() <= below + margin);
}

void TestOptionSheets::pickedColourIsStoredAtOnce()
{
    QSignalSpy changed(m_pOptions.get(), &COptionsPropSheet::ColoursChanged);
    CColourPopup* popup = OpenPopup(CAppOptionPage::kChannelText);
    QPointer<CColourPopup> guard(popup);
    QTest::mouseClick(popup->Swatch(15), Qt::LeftButton);
    QTRY_VERIFY(!guard); // it closes itself
    const QColor chosen = OtherPaletteColour(15);
    QCOMPARE(m_settings.m_clrChannelText, FromQColor(chosen));
    QCOMPARE(AppPage()->Picker(CAppOptionPage::kChannelText)->Colour(), chosen);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed[0][0].toBool(), true);  // the channel list repaints
    QCOMPARE(changed[0][1].toBool(), false); // the tree does not

    popup = OpenPopup(CAppOptionPage::kTreeBack);
    QTest::mouseClick(popup->Swatch(31), Qt::LeftButton);
    QCOMPARE(m_settings.m_clrTreeBack, FromQColor(OtherPaletteColour(31)));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed[1][0].toBool(), false);
    QCOMPARE(changed[1][1].toBool(), true);
    // The other colours are untouched.
    QCOMPARE(m_settings.m_clrChannelBack, Rgb(1, 2, 3));
    QCOMPARE(m_settings.m_clrTreeText, Rgb(40, 50, 60));
}

void TestOptionSheets::standardThenCancelRestores()
{
    CColourPopup* popup = OpenPopup(CAppOptionPage::kChannelBack);
    QTest::mouseClick(popup->StandardButton(), Qt::LeftButton);
    QCOMPARE(m_settings.m_clrChannelBack, Rgb(53, 73, 106));
    popup = OpenPopup(CAppOptionPage::kTreeText);
    QTest::mouseClick(popup->Swatch(5), Qt::LeftButton);
    QVERIFY(m_settings.m_clrTreeText != Rgb(40, 50, 60));

    QSignalSpy changed(m_pOptions.get(), &COptionsPropSheet::ColoursChanged);
    QTest::mouseClick(m_pOptions->findChild<QPushButton*>(QStringLiteral("cancelButton")), Qt::LeftButton);
    QCOMPARE(m_pOptions->result(), int(QDialog::Rejected));
    QCOMPARE(m_settings.m_clrChannelBack, Rgb(1, 2, 3));
    QCOMPARE(m_settings.m_clrChannelText, Rgb(250, 240, 230));
    QCOMPARE(m_settings.m_clrTreeBack, Rgb(10, 20, 30));
    QCOMPARE(m_settings.m_clrTreeText, Rgb(40, 50, 60));
    // List and tree repaint with the old colours.
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed[0][0].toBool(), true);
    QCOMPARE(changed[0][1].toBool(), true);
}

void TestOptionSheets::moreColours()
{
    CColourPicker* picker = AppPage()->Picker(CAppOptionPage::kTreeBack);
    QColor offered;
    int asked = 0;
    picker->SetMoreColoursChooser([&](const QColor& current, QWidget* parent) {
        ++asked;
        offered = current;
        return parent != nullptr ? QColor(11, 22, 33) : QColor();
    });
    CColourPopup* popup = OpenPopup(CAppOptionPage::kTreeBack);
    QTest::mouseClick(popup->MoreButton(), Qt::LeftButton);
    QTRY_COMPARE(asked, 1);
    QCOMPARE(offered, QColor(10, 20, 30)); // it opens on the current colour
    QCOMPARE(m_settings.m_clrTreeBack, Rgb(11, 22, 33));
    QCOMPARE(picker->Colour(), QColor(11, 22, 33));

    // Cancelled: nothing changes.
    picker->SetMoreColoursChooser([&](const QColor&, QWidget*) {
        ++asked;
        return QColor();
    });
    QSignalSpy changed(m_pOptions.get(), &COptionsPropSheet::ColoursChanged);
    popup = OpenPopup(CAppOptionPage::kTreeBack);
    QTest::mouseClick(popup->MoreButton(), Qt::LeftButton);
    QTRY_COMPARE(asked, 2);
    QCOMPARE(m_settings.m_clrTreeBack, Rgb(11, 22, 33));
    QCOMPARE(changed.count(), 0);
}

void TestOptionSheets::okKeepsPickedColours()
{
    CColourPopup* popup = OpenPopup(CAppOptionPage::kChannelBack);
    QTest::mouseClick(popup->Swatch(44), Qt::LeftButton);
    const ColorRef picked = FromQColor(OtherPaletteColour(44));
    QTest::mouseClick(m_pOptions->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    QCOMPARE(m_pOptions->result(), int(QDialog::Accepted));
    QCOMPARE(m_settings.m_clrChannelBack, picked);
}

void TestOptionSheets::escapeCancelsToo()
{
    CColourPopup* popup = OpenPopup(CAppOptionPage::kChannelText);
    QTest::mouseClick(popup->Swatch(2), Qt::LeftButton);
    QVERIFY(m_settings.m_clrChannelText != Rgb(250, 240, 230));
    QTest::keyClick(m_pOptions.get(), Qt::Key_Escape);
    QVERIFY(!m_pOptions->isVisible());
    QCOMPARE(m_settings.m_clrChannelText, Rgb(250, 240, 230));
}

// ---- "Receiver - System Setup" ----------------------------------------------

namespace {

TestDatabase LanguageDatabase()
{
    TestDatabase db = MakeSmallDatabase();
    db.config.Osd(4);
    PutU8(db.config.image, 248, 5);  // English
    PutU8(db.config.image, 252, 25); // no entry
    PutU8(db.config.image, 256, 16); // Русский
    PutU8(db.config.image, 260, 0);  // Arabic
    return db;
}

void SelectText(QComboBox* list, const QString& text)
{
    list->setCurrentIndex(list->findText(text));
}

Bytes SavedConfigBody(CDocument& doc)
{
    return BodyOf(ParseFile(doc.Core().Save()), kTagConfig);
}

} // namespace

void TestOptionSheets::languageSheetTexts()
{
    auto doc = dlgtest::LoadDocument(m_prompts, LanguageDatabase());
    CSettingsOptionsPropSheet sheet(doc.get());
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    QCOMPARE(sheet.windowTitle(), QStringLiteral("Receiver - System Setup"));
    QVERIFY(sheet.isModal());
    QCOMPARE(sheet.PageList()->width(), 150);
    QCOMPARE(sheet.PageList()->count(), 1);
    QCOMPARE(sheet.PageList()->item(0)->text(), QStringLiteral("Spracheinstellungen"));
    QVERIFY(!sheet.PageList()->item(0)->icon().pixmap(32, 32).isNull());
    const QStringList labels = LabelTexts(sheet.LanguagePage());
    const QStringList expected = {QStringLiteral("OSD Sprache"), QStringLiteral("Erster Audio Kanal"),
                                  QStringLiteral("Zweiter Audio Kanal"), QStringLiteral("Erster DVB Untertitel"),
                                  QStringLiteral("Zweiter DVB Untertitel")};
    QCOMPARE(labels, expected);
    for (int f = 0; f < kLanguageFieldCount; ++f) {
        QCOMPARE(sheet.LanguagePage()->List(f)->accessibleName(), expected[f]);
        // Each label stands left of its list, in the page's order.
        const QLabel* label = sheet.LanguagePage()->findChildren<QLabel*>()[f];
        QCOMPARE(label->buddy(), sheet.LanguagePage()->List(f));
    }
    dlgtest::SaveShot(&sheet, QStringLiteral("system-setup"));
}

void TestOptionSheets::languageListsShowTheStoredCodes()
{
    auto doc = dlgtest::LoadDocument(m_prompts, LanguageDatabase());
    CSettingsOptionsPropSheet sheet(doc.get());
    CReceiverConfigLanguage* page = sheet.LanguagePage();
    QCOMPARE(Texts(page->List(kLangOsd)),
             (QStringList{QStringLiteral("Deutsch"), QStringLiteral("English"), QStringLiteral("French"),
                          QStringLiteral("Turkish"), QStringLiteral("unknown"), QStringLiteral("unknown"),
                          QStringLiteral("Русский")}));
    // Byte 4: the second "unknown".
    QCOMPARE(page->List(kLangOsd)->currentIndex(), 5);
    QCOMPARE(page->List(kLangOsd)->currentData().toInt(), 4);
    for (int f = kLangAudio1; f < kLanguageFieldCount; ++f) {
        QCOMPARE(page->List(f)->count(), 20);
        QCOMPARE(page->List(f)->itemText(0), QStringLiteral("Arabic"));
        QCOMPARE(page->List(f)->itemText(19), QStringLiteral("Русский"));
    }
    QCOMPARE(page->List(kLangAudio1)->currentText(), QStringLiteral("English"));
    QCOMPARE(page->List(kLangAudio2)->currentIndex(), -1); // code 25 has no entry
    QCOMPARE(page->List(kLangSubtitle1)->currentText(), QStringLiteral("Русский"));
    QCOMPARE(page->List(kLangSubtitle2)->currentText(), QStringLiteral("Arabic"));
    QCOMPARE(page->Choice(), (LanguageChoice{4, 5, -1, 16, 0}));
}

void TestOptionSheets::languageOkStoresTheChoicesAsOneStep()
{
    auto doc = dlgtest::LoadDocument(m_prompts, LanguageDatabase());
    const Bytes before = SavedConfigBody(*doc);
    {
        CSettingsOptionsPropSheet sheet(doc.get());
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        SelectText(sheet.LanguagePage()->List(kLangOsd), QStringLiteral("English"));
        SelectText(sheet.LanguagePage()->List(kLangAudio2), QStringLiteral("Dutch"));
        SelectText(sheet.LanguagePage()->List(kLangSubtitle2), QStringLiteral("Turkish"));
        QVERIFY(!doc->IsModified()); // not before OK
        QTest::mouseClick(sheet.findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
    }
    QVERIFY(doc->IsModified());
    QCOMPARE(doc->UndoStack()->count(), 1);
    QCOMPARE(doc->UndoStack()->undoText(), QStringLiteral("Spracheinstellungen"));
    const CConfigurationData& config = doc->Core().m_configuration;
    QCOMPARE(int(config.m_image[72]), 1);
    QCOMPARE(int(config.m_image[248]), 5);
    QCOMPARE(int(config.m_image[252]), 4);
    QCOMPARE(int(config.m_image[256]), 16);
    QCOMPARE(int(config.m_image[260]), 19);

    // The saved block differs in exactly those three bytes.
    const Bytes after = SavedConfigBody(*doc);
    QCOMPARE(after.size(), before.size());
    QList<int> differing;
    for (size_t i = 0; i < after.size(); ++i)
        if (after[i] != before[i])
            differing << int(i);
    QCOMPARE(differing, (QList<int>{72, 252, 260}));

    // One undo takes all of it back; redo brings it again.
    doc->UndoStack()->undo();
    QVERIFY(!doc->IsModified());
    QVERIFY(SavedConfigBody(*doc) == before);
    doc->UndoStack()->redo();
    QCOMPARE(int(doc->Core().m_configuration.m_image[252]), 4);
    QVERIFY(SavedConfigBody(*doc) == after);
}

void TestOptionSheets::languageOkWithoutChangeLeavesNoStep()
{
    auto doc = dlgtest::LoadDocument(m_prompts, LanguageDatabase());
    const Bytes before = SavedConfigBody(*doc);
    CSettingsOptionsPropSheet sheet(doc.get());
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    QTest::mouseClick(sheet.findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    // Code 4 is stored again; code 25 stays.
    QCOMPARE(int(doc->Core().m_configuration.m_image[72]), 4);
    QCOMPARE(int(doc->Core().m_configuration.m_image[252]), 25);
    QVERIFY(SavedConfigBody(*doc) == before);
    QCOMPARE(doc->UndoStack()->count(), 0);
    QVERIFY(!doc->IsModified());
}

void TestOptionSheets::languageCancelChangesNothing()
{
    auto doc = dlgtest::LoadDocument(m_prompts, LanguageDatabase());
    const Bytes before = SavedConfigBody(*doc);
    CSettingsOptionsPropSheet sheet(doc.get());
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    SelectText(sheet.LanguagePage()->List(kLangOsd), QStringLiteral("French"));
    QTest::mouseClick(sheet.findChild<QPushButton*>(QStringLiteral("cancelButton")), Qt::LeftButton);
    QCOMPARE(sheet.result(), int(QDialog::Rejected));
    QVERIFY(!doc->IsModified());
    QCOMPARE(doc->UndoStack()->count(), 0);
    QVERIFY(SavedConfigBody(*doc) == before);
}

void TestOptionSheets::languageWithoutDocument()
{
    CSettingsOptionsPropSheet sheet(nullptr);
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    for (int f = 0; f < kLanguageFieldCount; ++f) {
        QCOMPARE(sheet.LanguagePage()->List(f)->count(), 0);
        QCOMPARE(sheet.LanguagePage()->List(f)->currentIndex(), -1);
    }
    QTest::mouseClick(sheet.findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    QCOMPARE(sheet.result(), int(QDialog::Accepted));

    // A document made by "Neu" has no configuration block: the same.
    CDocument fresh(m_prompts);
    fresh.InitNew(QStringLiteral("VandrelEdit20281"));
    CSettingsOptionsPropSheet sheetOfNew(&fresh);
    QCOMPARE(sheetOfNew.LanguagePage()->List(kLangOsd)->count(), 0);
    sheetOfNew.accept();
    QVERIFY(!fresh.IsModified());
    QCOMPARE(fresh.UndoStack()->count(), 0);
}

QTEST_MAIN(TestOptionSheets)
#include "tst_optionsheets.moc"
