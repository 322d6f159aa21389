// The channel search: matching rules, hit rows and the binding of the pane.
#include <gtest/gtest.h>

#include "document/ChannelSearch.h"
#include "document/VandrelEdit2028Doc.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

namespace {

// ARD on Hotbird, "NDR Nord" on a transponder whose satellite is missing,
// a scrambled ZDF on an unknown transponder, a name with Ö, and radio
// "Nordradio"; an empty slot with a matching name.
TestDatabase MakeSearchDatabase()
{
    TestDatabase db = MakeSmallDatabase();
    db.services.records[0].Name("ARD").Transponder(3);
    db.services.records[1].Name("NDR Nord").Transponder(6);
    db.transponders.records[5].Satellite(77);
    db.services.records[2].Name("ZDF").Transponder(99);
    db.services.records[3].Name("\xD6RF 1");
    db.services.records[4].Name("arte");
    db.services.records[5].Name("Nordradio");
    db.services.records[12000].Name("ARD leer");
    return db;
}

class ChannelSearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const Bytes file = MakeSearchDatabase().Build();
        ASSERT_EQ(doc.Load(file.data(), file.size()), LoadStatus::Loaded);
    }
    std::vector<std::string> Found(const std::string& text, bool television = true)
    {
        std::vector<std::string> names;
        for (const SearchHit& h : SearchChannels(doc, text, television, true)) {
            names.push_back(h.name);
        }
        return names;
    }
    CVandrelEdit2028Doc doc;
};

} // namespace

TEST(SearchMatching, OnlyTheLettersAToZAreFolded)
{
    EXPECT_TRUE(SearchTextMatches("ARD", "rd"));
    EXPECT_TRUE(SearchTextMatches("Nord", "rd"));
    EXPECT_TRUE(SearchTextMatches("ZDF", "zdf"));
    EXPECT_TRUE(SearchTextMatches("zdf neo", "ZDF"));
    EXPECT_FALSE(SearchTextMatches("\xC3\x96RF", "\xC3\xB6r")) << "ö does not find Ö";
    EXPECT_FALSE(SearchTextMatches("\xC3\xB6rf", "\xC3\x96R"));
    EXPECT_TRUE(SearchTextMatches("\xC3\x96RF", "\xC3\x96r"));
    EXPECT_FALSE(SearchTextMatches("Sat.1", "sat 1"));
    EXPECT_TRUE(IsSearchTextLongEnough("ab"));
    EXPECT_FALSE(IsSearchTextLongEnough("a"));
    EXPECT_FALSE(IsSearchTextLongEnough("\xC3\xB6")) << "one character in two bytes";
    EXPECT_TRUE(IsSearchTextLongEnough("\xC3\xB6\xC3\xB6"));
}

TEST_F(ChannelSearchTest, FewerThanTwoCharactersFindNothing)
{
    EXPECT_TRUE(Found("a").empty());
    EXPECT_TRUE(Found("").empty());
    EXPECT_TRUE(Found("\xC3\x96").empty());
}

TEST_F(ChannelSearchTest, SubstringsAreFoundInTheChosenKindOnly)
{
    EXPECT_EQ(Found("rd"), (std::vector<std::string>{"ARD", "NDR Nord"}));
    EXPECT_EQ(Found("zdf"), (std::vector<std::string>{"ZDF"}));
    EXPECT_TRUE(Found("\xC3\xB6r").empty());
    EXPECT_EQ(Found("\xC3\x96R"), (std::vector<std::string>{"\xC3\x96RF 1"}));
    EXPECT_TRUE(Found("nordr").empty()) << "the radio channel is not listed for television";
    EXPECT_EQ(Found("nordr", false), (std::vector<std::string>{"Nordradio"}));
    EXPECT_EQ(Found("rd", false), (std::vector<std::string>{"Nordradio"}));
    EXPECT_TRUE(Found("leer").empty()) << "an empty slot is never listed";
}

TEST_F(ChannelSearchTest, HitRowsShowNumberTypeSatelliteAndScrambling)
{
    const std::vector<SearchHit> tv = SearchChannels(doc, "r", true, true);
    EXPECT_TRUE(tv.empty());
    std::vector<SearchHit> hits = SearchChannels(doc, "rd", true, true);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].service, doc.m_services.GetAt(0));
    EXPECT_EQ(hits[0].number, 1);
    EXPECT_EQ(hits[0].type, "TV");
    EXPECT_EQ(hits[0].satellite, "Hotbird 13.0E");
    EXPECT_EQ(hits[0].scrambled, "");
    EXPECT_EQ(hits[1].satellite, "...") << "its transponder's satellite does not exist";

    hits = SearchChannels(doc, "zd", true, true);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].satellite, "Astra 19.2E") << "an unknown transponder shows the first satellite";
    EXPECT_EQ(hits[0].scrambled, "\xE2\x82\xAC");

    hits = SearchChannels(doc, "adio", false, true);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].type, "Radio");
    EXPECT_EQ(hits[0].number, 1) << "number within its kind";
    EXPECT_EQ(hits[1].number, 3);
    hits = SearchChannels(doc, "adio", false, false);
    EXPECT_EQ(hits[0].number, 6) << "index in the table plus one";
    EXPECT_EQ(hits[1].number, 8);
}

TEST(ChannelSearchTexts, HitCountAndBinding)
{
    EXPECT_EQ(SearchHitCountText(12), "12 Kan\xC3\xA4le");
    EXPECT_EQ(SearchHitCountText(0), "0 Kan\xC3\xA4le");

    CVandrelEdit2028Doc a, b;
    CChannelSearchTarget target;
    EXPECT_EQ(target.GetDocument(), nullptr);
    EXPECT_TRUE(target.Bind(&a, true));
    EXPECT_FALSE(target.Bind(&a, true)) << "nothing changed: no new search";
    EXPECT_TRUE(target.Bind(&a, false));
    EXPECT_TRUE(target.Bind(&b, false));
    EXPECT_EQ(target.GetDocument(), &b);
    EXPECT_FALSE(target.IsTelevision());
    target.Reset();
    EXPECT_EQ(target.GetDocument(), nullptr);
    EXPECT_TRUE(target.Bind(&b, false));
}
