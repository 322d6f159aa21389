// The configuration block and the eight favourite groups inside it.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/ConfigurationData.h"
#include "model/OptionList.h"
#include "support/CoreTestHelpers.h"

using namespace ndbtest;

namespace {

const char* const kShown[8] = {"Film", "Nachrichten", "Sport", "Musik", "Kinder", "Drama", "Familie", "Verschiedenes"};

void ReadConfig(CConfigurationData& cfg, const ConfigBody& body)
{
    const Bytes bytes = body.Build();
    cfg.m_nBodyLength = static_cast<int32_t>(bytes.size());
    CMemStream stream(bytes);
    cfg.ReadBlock(stream);
}

ConfigBody FactoryConfig(size_t length = 2060)
{
    ConfigBody body(length);
    for (int i = 0; i < 8; ++i) {
        body.FavName(i, FactoryFavName(i));
    }
    return body;
}

Bytes NameBytes(const Bytes& body, int slot) { return Slice(body, 1740 + 20 * static_cast<size_t>(slot), 20); }

// The text part of a stored name: bytes up to and including the zero.
Bytes TextPart(const Bytes& name)
{
    Bytes out;
    for (uint8_t b : name) {
        out.push_back(b);
        if (b == 0) {
            break;
        }
    }
    return out;
}

Bytes Zt(const std::string& raw)
{
    Bytes b(raw.begin(), raw.end());
    b.push_back(0);
    return b;
}

} // namespace

TEST(FavouriteGroup, DefaultsAreShownInGermanOnlyInTheirOwnSlot)
{
    for (int slot = 0; slot < 8; ++slot) {
        EXPECT_STREQ(FavouriteDefaultName(slot), FactoryFavName(slot));
        EXPECT_STREQ(FavouriteShownName(slot), kShown[slot]);
        Bytes stored(20, 0);
        PutText(stored, 0, 20, FactoryFavName(slot));
        CFavoritenData g;
        g.CreateFromImage(slot, stored.data());
        EXPECT_EQ(g.GetName(), kShown[slot]);
        EXPECT_EQ(g.m_nChanged, 0);
    }
    Bytes sports(20, 0);
    PutText(sports, 0, 20, "SPORTS");
    CFavoritenData slot2, slot0;
    slot2.CreateFromImage(2, sports.data());
    slot0.CreateFromImage(0, sports.data());
    EXPECT_EQ(slot2.GetName(), "Sport");
    EXPECT_EQ(slot0.GetName(), "SPORTS");
    EXPECT_EQ(Bytes(slot0.m_name.begin(), slot0.m_name.end()), sports);

    Bytes lower(20, 0);
    PutText(lower, 0, 20, "sports");
    CFavoritenData caseDiffers;
    caseDiffers.CreateFromImage(2, lower.data());
    EXPECT_EQ(caseDiffers.GetName(), "sports") << "the comparison is case-sensitive";
}

TEST(FavouriteGroup, NamesAreWindows1252)
{
    Bytes stored(20, 0x7A);
    PutText(stored, 0, 20, "M\xE4nner\x80");
    CFavoritenData g;
    g.CreateFromImage(5, stored.data());
    EXPECT_EQ(g.GetName(), "M\xC3\xA4nner\xE2\x82\xAC");
    EXPECT_EQ(Bytes(g.m_name.begin(), g.m_name.end()), stored) << "own names are kept byte for byte";

    Bytes full(20, 'Q');
    CFavoritenData f;
    f.CreateFromImage(1, full.data());
    EXPECT_EQ(f.GetName(), std::string(20, 'Q'));
}

TEST(FavouriteGroup, RenameTakesNineteenCharactersAndRefusesTwenty)
{
    Bytes stored(20, 0);
    PutText(stored, 0, 20, "NEWS");
    CFavoritenData g;
    g.CreateFromImage(1, stored.data());

    EXPECT_FALSE(g.Rename("ABCDEFGHIJKLMNOPQRST"));
    EXPECT_EQ(g.GetName(), "Nachrichten");
    EXPECT_EQ(g.m_nChanged, 0);

    EXPECT_TRUE(g.Rename("ABCDEFGHIJKLMNOPQRS"));
    EXPECT_EQ(g.GetName(), "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(g.m_nChanged, 1);
    EXPECT_EQ(g.m_name[19], 0);

    EXPECT_TRUE(g.Rename("\xC3\x9C" "bersicht \xE2\x82\xAC")); // "Übersicht €"
    EXPECT_EQ(g.m_name[0], 0xDC);
    EXPECT_EQ(g.m_name[10], 0x80);
    EXPECT_EQ(g.m_name[11], 0);
    EXPECT_EQ(g.GetName(), "\xC3\x9C" "bersicht \xE2\x82\xAC");

    // nineteen characters of two UTF-8 bytes each are still nineteen characters
    std::string umlauts;
    for (int i = 0; i < 19; ++i) {
        umlauts += "\xC3\xA4";
    }
    EXPECT_TRUE(g.Rename(umlauts));
    EXPECT_EQ(g.GetName(), umlauts);
    EXPECT_FALSE(g.Rename(umlauts + "\xC3\xA4"));
    EXPECT_EQ(g.GetName(), umlauts);
}

TEST(ConfigurationBlock, ReadBuildsEightGroupsAndKeepsTheTail)
{
    ConfigBody body = FactoryConfig(2788);
    body.FavName(3, "Dokus").Osd(25);
    CConfigurationData cfg;
    ReadConfig(cfg, body);
    EXPECT_TRUE(cfg.HasImage());
    ASSERT_EQ(cfg.GetSize(), 8);
    EXPECT_EQ(cfg.GetAt(0)->GetName(), "Film");
    EXPECT_EQ(cfg.GetAt(3)->GetName(), "Dokus");
    EXPECT_EQ(cfg.GetAt(7)->GetName(), "Verschiedenes");
    EXPECT_EQ(cfg.m_tail, body.tail);
    EXPECT_EQ(cfg.GetOsdLanguage(), 25);
    EXPECT_EQ(cfg.IndexOf(cfg.GetAt(6)), 6);
    CFavoritenData stranger;
    EXPECT_EQ(cfg.IndexOf(&stranger), -1);
}

TEST(ConfigurationBlock, UnchangedBodiesAreWrittenBackWithTheirVersion)
{
    for (size_t length : {size_t{2060}, size_t{2788}, size_t{3001}}) {
        ConfigBody body = FactoryConfig(length);
        CConfigurationData cfg;
        ReadConfig(cfg, body);
        EXPECT_EQ(cfg.m_tail.size(), length - 2060);
        ParsedBlock written = WrittenBlock([&] { cfg.WriteBlock(); });
        EXPECT_EQ(written.tagId, kTagConfig);
        EXPECT_EQ(written.version, length == 2788 ? 2u : 3u) << length;
        EXPECT_EQ(written.body, body.Build()) << length;
    }
}

TEST(ConfigurationBlock, RenameWritesOnlyThatGroup)
{
    ConfigBody body = FactoryConfig();
    CConfigurationData cfg;
    ReadConfig(cfg, body);
    ASSERT_TRUE(cfg.GetAt(1)->Rename("Neuigkeiten \xE2\x82\xAC"));
    ParsedBlock written = WrittenBlock([&] { cfg.WriteBlock(); });
    const Bytes original = body.Build();
    ASSERT_EQ(written.body.size(), original.size());
    EXPECT_EQ(TextPart(NameBytes(written.body, 1)), Zt("Neuigkeiten \x80"));
    // every byte outside group 1's name is unchanged, factory defaults included
    Bytes a = written.body, b = original;
    std::fill(a.begin() + 1760, a.begin() + 1780, 0);
    std::fill(b.begin() + 1760, b.begin() + 1780, 0);
    EXPECT_EQ(a, b);
    EXPECT_EQ(TextPart(NameBytes(written.body, 0)), Zt("MOVIE"));
}

TEST(ConfigurationBlock, OsdLanguageChangesOneByte)
{
    ConfigBody body = FactoryConfig(2100);
    CConfigurationData cfg;
    ReadConfig(cfg, body);
    cfg.SetOsdLanguage(5);
    ParsedBlock written = WrittenBlock([&] { cfg.WriteBlock(); });
    Bytes expected = body.Build();
    expected[72] = 5;
    EXPECT_EQ(written.body, expected);
}

TEST(FavouriteMove, MoveZeroOntoTwoAndThreeOntoOne)
{
    auto order = [](int moved, int target) {
        CConfigurationData cfg;
        ReadConfig(cfg, FactoryConfig());
        std::vector<const CFavoritenData*> before;
        for (int i = 0; i < 8; ++i) {
            before.push_back(cfg.GetAt(i));
        }
        cfg.MoveGroup(moved, target);
        std::vector<int> out;
        for (int i = 0; i < cfg.GetSize(); ++i) {
            out.push_back(static_cast<int>(std::find(before.begin(), before.end(), cfg.GetAt(i)) - before.begin()));
            EXPECT_EQ(cfg.GetAt(i)->m_nChanged, 1);
        }
        return out;
    };
    EXPECT_EQ(order(0, 2), (std::vector<int>{1, 2, 0, 3, 4, 5, 6, 7}));
    EXPECT_EQ(order(3, 1), (std::vector<int>{0, 3, 1, 2, 4, 5, 6, 7}));
    EXPECT_EQ(order(7, 0), (std::vector<int>{7, 0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(order(0, 7), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 0}));
    EXPECT_EQ(order(4, 4), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(FavouriteMove, MoveWritesAllEightNamesInTheNewOrder)
{
    ConfigBody body = FactoryConfig();
    body.FavName(5, "M\xE4nner\x80");
    CConfigurationData cfg;
    ReadConfig(cfg, body);
    cfg.MoveGroup(0, 2);
    ParsedBlock written = WrittenBlock([&] { cfg.WriteBlock(); });
    // new order 1, 2, 0, 3, 4, 5, 6, 7; defaults as German text
    const std::string expectedNames[8] = {"Nachrichten", "Sport", "Film", "Musik", "Kinder", "M\xE4nner\x80", "Familie",
                                          "Verschiedenes"};
    for (int slot = 0; slot < 8; ++slot) {
        EXPECT_EQ(TextPart(NameBytes(written.body, slot)), Zt(expectedNames[slot])) << slot;
    }
    EXPECT_EQ(NameBytes(written.body, 5), NameBytes(body.Build(), 5)) << "an own name moves with all its bytes";
    Bytes a = written.body, b = body.Build();
    std::fill(a.begin() + 1740, a.begin() + 1900, 0);
    std::fill(b.begin() + 1740, b.begin() + 1900, 0);
    EXPECT_EQ(a, b);
}

TEST(ConfigurationBlock, ShortStreamGivesNoGroups)
{
    CConfigurationData cfg;
    Bytes shortBody(2000, 0x41);
    cfg.m_nBodyLength = 2000;
    CMemStream stream(shortBody);
    cfg.ReadBlock(stream);
    EXPECT_FALSE(cfg.HasImage());
    EXPECT_EQ(cfg.GetSize(), 0);
}

TEST(ConfigurationBlock, RemoveAllClearsGroupsAndLength)
{
    CConfigurationData cfg;
    ReadConfig(cfg, FactoryConfig(2500));
    cfg.RemoveAll();
    EXPECT_EQ(cfg.GetSize(), 0);
    EXPECT_EQ(cfg.m_nBodyLength, 0);
}

TEST(ConfigurationLanguages, ListsInTableOrder)
{
    COptionList osd;
    CConfigurationData::FillOsdLanguageList(osd);
    const char* osdTexts[] = {"unknown", "English", "French", "Deutsch", "unknown", "\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9", "Turkish"};
    ASSERT_EQ(osd.GetCount(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(osd.Options()[static_cast<size_t>(i)].text, osdTexts[i]);
        EXPECT_EQ(osd.Options()[static_cast<size_t>(i)].value, i);
    }
    EXPECT_EQ(osd.IndexOfValue(25), -1);

    COptionList track;
    CConfigurationData::FillTrackLanguageList(track);
    const char* trackTexts[] = {"Arabic", "Bulgarian", "Czech", "Dansk", "Dutch", "English", "Finnish",
                                "French", "Deutsch", "Greek", "Hungarian", "Indonesian", "Italian", "Persian",
                                "Polish", "Romanian", "\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9",
                                "Spanish", "Swedish", "Turkish"};
    ASSERT_EQ(track.GetCount(), 20);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(track.Options()[static_cast<size_t>(i)].text, trackTexts[i]);
        EXPECT_EQ(track.Options()[static_cast<size_t>(i)].value, i);
    }
}
