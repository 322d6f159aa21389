// The preference rules without a window: defaults, sections, ranges, the
// colour encoding, the recent-file list and the choice of visual look.
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <map>

#include "uibase/AppSettings.h"
#include "uibase/CommandIds.h"
#include "QtSettingsStore.h"
#include "VisualLook.h"

namespace {
// A store in a map, keyed "section/name"; counts writes per key.
class CMapStore : public ISettingsStore {
public:
    std::map<std::string, int32_t> ints;
    std::map<std::string, std::string> strings;

    int32_t ReadInt(const std::string& section, const std::string& name, int32_t def) override
    {
        const auto it = ints.find(section + "/" + name);
        return it == ints.end() ? def : it->second;
    }
    void WriteInt(const std::string& section, const std::string& name, int32_t value) override
    {
        ints[section + "/" + name] = value;
    }
    std::string ReadString(const std::string& section, const std::string& name, const std::string& def) override
    {
        const auto it = strings.find(section + "/" + name);
        return it == strings.end() ? def : it->second;
    }
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override
    {
        strings[section + "/" + name] = value;
    }
    void Remove(const std::string& section, const std::string& name) override
    {
        ints.erase(section + "/" + name);
        strings.erase(section + "/" + name);
    }
};
} // namespace

class TestAppSettings : public QObject {
    Q_OBJECT
private slots:
    void defaultsFromEmptyStore();
    void listWidthBeforeRead();
    void valuesReadFromTheirSections();
    void colourEncoding_data();
    void colourEncoding();
    void defaultColoursInStoredForm();
    void listWidthForStore_data();
    void listWidthForStore();
    void writeAtExitWritesExactlyTheExitValues();
    void providerOrderSurvivesARun();
    void recentFileList();
    void recentFileListStore();
    void qtStoreUsesSectionsAsGroups();
    void lookSelection_data();
    void lookSelection();
    void unknownLookKeepsVariant();
};

void TestAppSettings::defaultsFromEmptyStore()
{
    CMapStore store;
    AppSettings s;
    s.m_nApplicationLook = 0; // proves that Read sets it
    s.Read(store);
    QCOMPARE(s.m_nSatelliteOnlyActive, 1);
    QCOMPARE(s.m_nSatelliteOrder, 1);
    QCOMPARE(s.m_nProviderOrder, 0);
    QCOMPARE(s.m_nListWidth, 100);
    QCOMPARE(s.m_nShowToolTips, 1);
    QCOMPARE(s.m_nShowToolTipDescr, 1);
    QCOMPARE(s.m_nFavHoldSelection, 1);
    QCOMPARE(s.m_nFavSeqNum, 1);
    QCOMPARE(s.m_nApplicationLook, 219);
    QCOMPARE(s.m_clrChannelBack, Rgb(53, 73, 106));
    QCOMPARE(s.m_clrChannelText, Rgb(255, 255, 255));
    QCOMPARE(s.m_clrTreeBack, Rgb(188, 199, 216));
    QCOMPARE(s.m_clrTreeText, Rgb(0, 0, 0));
    QCOMPARE(s.m_clrFavoritenText, Rgb(255, 255, 245));
    QCOMPARE(s.m_clrFavoritenBack, Rgb(215, 40, 45));
    QCOMPARE(s.m_nAutoNummerierung, 1);
    QVERIFY(store.ints.empty()); // reading writes nothing
}

void TestAppSettings::listWidthBeforeRead()
{
    QCOMPARE(AppSettings().m_nListWidth, 120);
}

void TestAppSettings::valuesReadFromTheirSections()
{
    CMapStore store;
    store.ints["Workspace/SatelliteOnlyAcitve"] = 0;
    store.ints["Workspace/SatelliteOrder"] = 2;
    store.ints["Workspace/ListWidth"] = 77;
    store.ints["Workspace/ApplicationLook"] = 208;
    store.ints["Einstellungen/ChannelBackColor"] = 0x102030;
    store.ints["Einstellungen/AutoNummerierung"] = 0;
    // In the wrong section: must not be taken.
    store.ints["Workspace/TreeBackColor"] = 0x010101;
    store.ints["Einstellungen/FavSeqNum"] = 0;
    AppSettings s;
    s.Read(store);
    QCOMPARE(s.m_nSatelliteOnlyActive, 0);
    QCOMPARE(s.m_nSatelliteOrder, 2);
    QCOMPARE(s.m_nListWidth, 77);
    QCOMPARE(s.m_nApplicationLook, 208);
    QCOMPARE(s.m_clrChannelBack, Rgb(0x10, 0x20, 0x30));
    QCOMPARE(s.m_nAutoNummerierung, 0);
    QCOMPARE(s.m_clrTreeBack, Rgb(188, 199, 216));
    QCOMPARE(s.m_nFavSeqNum, 1);
}

void TestAppSettings::colourEncoding_data()
{
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("stored");
    QTest::newRow("1,2,3") << 1 << 2 << 3 << 0x010203;
    QTest::newRow("red") << 255 << 0 << 0 << 0xFF0000;
    QTest::newRow("blue") << 0 << 0 << 255 << 0x0000FF;
    QTest::newRow("white") << 255 << 255 << 255 << 0xFFFFFF;
}

void TestAppSettings::colourEncoding()
{
    QFETCH(int, r);
    QFETCH(int, g);
    QFETCH(int, b);
    QFETCH(int, stored);
    const ColorRef c = Rgb(r, g, b);
    // In memory red is the low byte.
    QCOMPARE(int(c & 0xFF), r);
    QCOMPARE(int((c >> 16) & 0xFF), b);
    QCOMPARE(ColorToStored(c), stored);
    QCOMPARE(ColorFromStored(stored), c);

    CMapStore store;
    AppSettings s;
    s.m_clrTreeText = c;
    s.WriteAtExit(store);
    QCOMPARE(store.ints.at("Einstellungen/TreeTextColor"), stored);
    AppSettings back;
    back.Read(store);
    QCOMPARE(back.m_clrTreeText, c);
}

void TestAppSettings::defaultColoursInStoredForm()
{
    QCOMPARE(ColorToStored(AppSettings().m_clrChannelBack), 0x35496A);
    QCOMPARE(ColorToStored(AppSettings().m_clrTreeBack), 0xBCC7D8);
    QCOMPARE(ColorToStored(AppSettings().m_clrFavoritenBack), 0xD7282D);
    QCOMPARE(ColorToStored(AppSettings().m_clrFavoritenText), 0xFFFFF5);
}

void TestAppSettings::listWidthForStore_data()
{
    QTest::addColumn<int>("inMemory");
    QTest::addColumn<int>("stored");
    QTest::newRow("49") << 49 << 100;
    QTest::newRow("50") << 50 << 50;
    QTest::newRow("180") << 180 << 180;
    QTest::newRow("250") << 250 << 250;
    QTest::newRow("251") << 251 << 100;
    QTest::newRow("300") << 300 << 100;
    QTest::newRow("-5") << -5 << 100;
}

void TestAppSettings::listWidthForStore()
{
    QFETCH(int, inMemory);
    QFETCH(int, stored);
    CMapStore store;
    AppSettings s;
    s.m_nListWidth = inMemory;
    s.WriteAtExit(store);
    QCOMPARE(store.ints.at("Workspace/ListWidth"), stored);
}

void TestAppSettings::writeAtExitWritesExactlyTheExitValues()
{
    CMapStore store;
    AppSettings s;
    s.m_nSatelliteOrder = 0;
    s.m_nFavSeqNum = 0;
    s.m_nApplicationLook = 215;
    s.WriteAtExit(store);
    std::vector<std::string> keys;
    for (const auto& [k, v] : store.ints)
        keys.push_back(k);
    const std::vector<std::string> expected = {"Einstellungen/ChannelBackColor",
                                               "Einstellungen/ChannelTextColor",
                                               "Einstellungen/TreeBackColor",
                                               "Einstellungen/TreeTextColor",
                                               "Workspace/FavHoldSelection",
                                               "Workspace/FavSeqNum",
                                               "Workspace/ListWidth",
                                               "Workspace/ProviderOrder",
                                               "Workspace/SatelliteOnlyAcitve",
                                               "Workspace/SatelliteOrder",
                                               "Workspace/ShowToolTipDescr",
                                               "Workspace/ShowToolTips"};
    QCOMPARE(keys, expected);
    QCOMPARE(store.ints.at("Workspace/SatelliteOrder"), 0);
    QCOMPARE(store.ints.at("Workspace/FavSeqNum"), 0);
    QCOMPARE(store.ints.at("Einstellungen/ChannelBackColor"), 0x35496A);
}

void TestAppSettings::providerOrderSurvivesARun()
{
    CMapStore store;
    store.ints["Workspace/ProviderOrder"] = 7;
    AppSettings s;
    s.Read(store);
    s.WriteAtExit(store);
    QCOMPARE(store.ints.at("Workspace/ProviderOrder"), 7);
}

void TestAppSettings::recentFileList()
{
    CRecentFileList list;
    for (int i = 1; i <= 17; ++i)
        list.Add("/d/f" + std::to_string(i) + ".ndb");
    QCOMPARE(list.Files().size(), size_t(15));
    QCOMPARE(list.Files().front(), std::string("/d/f17.ndb"));
    QCOMPARE(list.Files().back(), std::string("/d/f3.ndb"));
    list.Add("/d/f10.ndb"); // moves to the front, no duplicate
    QCOMPARE(list.Files().size(), size_t(15));
    QCOMPARE(list.Files().front(), std::string("/d/f10.ndb"));
    QCOMPARE(std::count(list.Files().begin(), list.Files().end(), std::string("/d/f10.ndb")), 1L);
    list.Remove("/d/f10.ndb");
    QCOMPARE(list.Files().front(), std::string("/d/f17.ndb"));
}

void TestAppSettings::recentFileListStore()
{
    CMapStore store;
    CRecentFileList list;
    list.Add("/a.ndb");
    list.Add("/b.ndb");
    store.strings["Recent File List/File5"] = "/stale.ndb";
    list.Write(store);
    QCOMPARE(store.strings.at("Recent File List/File1"), std::string("/b.ndb"));
    QCOMPARE(store.strings.at("Recent File List/File2"), std::string("/a.ndb"));
    QVERIFY(!store.strings.count("Recent File List/File5"));
    CRecentFileList back;
    back.Read(store);
    QCOMPARE(back.Files(), list.Files());
}

void TestAppSettings::qtStoreUsesSectionsAsGroups()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.ini"));
    {
        CQtSettingsStore store(path);
        QCOMPARE(store.ReadInt("Workspace", "ListWidth", 42), 42);
        store.WriteProfileInt("ListWidth", 180);
        store.WriteInt("Einstellungen", "TreeBackColor", 0xBCC7D8);
        store.WriteString("Recent File List", "File1", "/x/ä.ndb");
    }
    QSettings ini(path, QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("Workspace/ListWidth")).toInt(), 180);
    QCOMPARE(ini.value(QStringLiteral("Einstellungen/TreeBackColor")).toInt(), 0xBCC7D8);
    CQtSettingsStore again(path);
    QCOMPARE(again.GetProfileInt("ListWidth", 0), 180);
    QCOMPARE(again.ReadString("Recent File List", "File1", ""), std::string("/x/ä.ndb"));
}

void TestAppSettings::lookSelection_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("variant");
    QTest::addColumn<bool>("windows7Bar");
    const auto row = [](int id, LookFamily f, Office2007Variant v, bool w7) {
        QTest::newRow(QByteArray::number(id).constData()) << id << int(f) << int(v) << w7;
    };
    using F = LookFamily;
    using V = Office2007Variant;
    row(205, F::Windows2000, V::Silver, false);
    row(206, F::OfficeXP, V::Silver, false);
    row(207, F::WindowsXP, V::Silver, false);
    row(208, F::Office2003, V::Silver, false);
    row(209, F::VisualStudio2005, V::Silver, false);
    row(210, F::VisualStudio2008, V::Silver, false);
    row(215, F::Office2007, V::Blue, false);
    row(216, F::Office2007, V::Black, false);
    row(217, F::Office2007, V::Silver, false);
    row(218, F::Office2007, V::Aqua, false);
    row(219, F::Windows7, V::Silver, true);
}

void TestAppSettings::lookSelection()
{
    QFETCH(int, id);
    QFETCH(int, family);
    QFETCH(int, variant);
    QFETCH(bool, windows7Bar);
    const VisualLook look = SelectLook(id, Office2007Variant::Silver);
    QCOMPARE(int(look.family), family);
    QCOMPARE(int(look.variant), variant);
    QCOMPARE(look.windows7CommandBar, windows7Bar);
}

void TestAppSettings::unknownLookKeepsVariant()
{
    const VisualLook look = SelectLook(212, Office2007Variant::Aqua);
    QCOMPARE(int(look.family), int(LookFamily::Office2007));
    QCOMPARE(int(look.variant), int(Office2007Variant::Aqua));
    QVERIFY(!look.windows7CommandBar);
}

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
