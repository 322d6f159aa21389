// Which channels a list shows and the text of every column.
#include <gtest/gtest.h>

#include "document/ChannelRows.h"
#include "document/VandrelEdit2028Doc.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

namespace {

class ChannelRowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const Bytes file = MakeSmallDatabase().Build();
        ASSERT_EQ(doc.Load(file.data(), file.size()), LoadStatus::Loaded);
    }
    std::vector<std::string> Row(int index, bool listMode = false)
    {
        ChannelRow row{doc.m_services.GetAt(index), index + 1};
        std::vector<std::string> out;
        for (int c = 0; c < kChannelColumnCount; ++c) {
            out.push_back(ChannelColumnText(doc, row, c, listMode));
        }
        return out;
    }
    static std::vector<int> Numbers(const std::vector<ChannelRow>& rows)
    {
        std::vector<int> out;
        for (const auto& r : rows) {
            out.push_back(r.number);
        }
        return out;
    }
    std::vector<int> Indices(const std::vector<ChannelRow>& rows) const
    {
        std::vector<int> out;
        for (const auto& r : rows) {
            out.push_back(doc.m_services.IndexOf(r.service));
        }
        return out;
    }
    CVandrelEdit2028Doc doc;
};

using Texts = std::vector<std::string>;

} // namespace

TEST(ChannelColumns, HeadersAndDefaultOrder)
{
    const char* headers[] = {"Kanalname", "Nr", "Typ", "Satellit", "Frequenz", "Polarit\xC3\xA4t", "Symbolrate",
                             "ServiceID", "Video Pid", "Audio Pid", "PCR Pid", "PMT Pid", "HD", "T 1", "T 2",
                             "Ver.", "Gesp.", "\xC3\x9C" "ber.", "Provider"};
    ASSERT_EQ(kChannelColumnCount, 19);
    for (int c = 0; c < kChannelColumnCount; ++c) {
        EXPECT_STREQ(ChannelColumnHeader(c), headers[c]) << c;
    }
    EXPECT_EQ(DefaultColumnOrder(), (std::vector<int>{1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
}

TEST_F(ChannelRowsTest, ColumnTextsOfEveryKindOfRow)
{
    EXPECT_EQ(Row(0), (Texts{"Das Erste HD", "1", "TV", "Astra 19.2E", "11494", "H", "22000", "10301", " 5101",
                             " 5102", " 5101", " 5100", "X", "X", "", "", "", "", "ARD"}));
    EXPECT_EQ(Row(1), (Texts{"ZDF HD", "2", "TV", "Astra 19.2E", "11494", "H", "22000", "11110", " 6110", " 6120",
                             " 6130", " 6100", "X", "", "X", "", "", "", "ZDFvision"}));
    EXPECT_EQ(Row(2), (Texts{"Sky Cinema", "3", "TV", "Astra 19.2E", "12188", "H", "27500", "  129", "  255", "  256",
                             "  255", "   97", "", "X", "", "\xE2\x82\xAC", "X", "", "Sky"}));
    EXPECT_EQ(Row(3), (Texts{"Rai 1", "4", "TV", "Hotbird 13.0E", "10992", "V", "27500", " 3401", "  512", "  650",
                             " 8190", "  257", "", "<", "X", "", "", "X", "RAI"}));
    EXPECT_EQ(Row(4), (Texts{"T\xC3\xA9l\xC3\xA9 5", "5", "TV", "Thor 0.8W", "10872", "V", "25000", "    7", "   33",
                             "   34", "   33", "   32", "", "X", ">", "", "", "", "AB Sat"}));
    EXPECT_EQ(Row(6), (Texts{"Antenne Bayern", "7", "Radio", "Astra 19.2E", "12188", "H", "27500", "   92", "    0",
                             "  440", "    0", "    0", "", "X", "", "\xE2\x82\xAC", "", "", "Sky"}));
    EXPECT_EQ(Row(7)[kColLocked], "X");
}

TEST_F(ChannelRowsTest, ListModePutsTheNumberBeforeTheName)
{
    EXPECT_EQ(Row(2, true)[kColName], "   3 Sky Cinema");
    ChannelRow big{doc.m_services.GetAt(0), 12345};
    EXPECT_EQ(ChannelColumnText(doc, big, kColName, true), "12345 Das Erste HD");
    EXPECT_EQ(ChannelColumnText(doc, big, kColNumber, false), "12345");
}

TEST_F(ChannelRowsTest, DanglingReferencesLeaveTheirColumnsEmpty)
{
    doc.m_services.GetAt(0)->SetTransponder(99);
    const Texts noTp = Row(0);
    for (int c : {kColSatellite, kColFrequency, kColPolarity, kColSymbolRate}) {
        EXPECT_EQ(noTp[static_cast<size_t>(c)], "") << c;
    }
    EXPECT_EQ(noTp[kColName], "Das Erste HD");
    EXPECT_EQ(noTp[kColServiceId], "10301");

    doc.m_transponders.GetAt(4)->m_record[20] = 77; // Thor's transponder now names no satellite
    const Texts noSat = Row(4);
    EXPECT_EQ(noSat[kColSatellite], "");
    EXPECT_EQ(noSat[kColFrequency], "10872");
    EXPECT_EQ(noSat[kColPolarity], "V");
    EXPECT_EQ(noSat[kColSymbolRate], "25000");
    EXPECT_EQ(doc.FindSatelliteIndexOfService(doc.m_services.GetAt(0)), 0) << "no transponder: 0";
    EXPECT_EQ(doc.FindSatelliteIndexOfService(doc.m_services.GetAt(4)), -1) << "no satellite: the lookup's -1";
    EXPECT_EQ(doc.TransponderOf(doc.m_services.GetAt(0)), nullptr);
    EXPECT_EQ(doc.SatelliteOf(doc.m_services.GetAt(4)), nullptr);
    EXPECT_NE(doc.TransponderOf(doc.m_services.GetAt(4)), nullptr);

    // still listed in the all-channels list
    EXPECT_EQ(SelectAllChannels(doc, false).size(), size_t(kSmallTv));
    // but never in a satellite or transponder list
    EXPECT_EQ(Indices(SelectSatelliteChannels(doc, 0, false)), (std::vector<int>{1, 2}));
}

TEST_F(ChannelRowsTest, AllChannelsFollowTheHeadCounts)
{
    const auto tv = SelectAllChannels(doc, false);
    EXPECT_EQ(Indices(tv), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(Numbers(tv), (std::vector<int>{1, 2, 3, 4, 5}));
    const auto radio = SelectAllChannels(doc, true);
    EXPECT_EQ(Indices(radio), (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(Numbers(radio), (std::vector<int>{1, 2, 3}));

    doc.m_services.DeleteService(doc.m_services.GetAt(1));
    EXPECT_EQ(Numbers(SelectAllChannels(doc, false)), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(Indices(SelectAllChannels(doc, true)), (std::vector<int>{4, 5, 6}));

    // a new channel stands behind the empty slots: the tv range now reaches
    // the first radio record, which is not listed as television
    ASSERT_NE(doc.AddService(nullptr, true), nullptr);
    EXPECT_EQ(Indices(SelectAllChannels(doc, false)), (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(ChannelRowsTest, SatelliteTransponderAndFavouriteLists)
{
    const auto astraTv = SelectSatelliteChannels(doc, 0, false);
    EXPECT_EQ(Indices(astraTv), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Numbers(astraTv), (std::vector<int>{1, 2, 3}));
    const auto hotbirdTv = SelectSatelliteChannels(doc, 1, false);
    EXPECT_EQ(Indices(hotbirdTv), (std::vector<int>{3}));
    EXPECT_EQ(Numbers(hotbirdTv), (std::vector<int>{4}));
    const auto hotbirdRadio = SelectSatelliteChannels(doc, 1, true);
    EXPECT_EQ(Indices(hotbirdRadio), (std::vector<int>{7}));
    EXPECT_EQ(Numbers(hotbirdRadio), (std::vector<int>{3}));
    EXPECT_TRUE(SelectSatelliteChannels(doc, 3, false).empty());

    const auto tp2 = SelectTransponderChannels(doc, doc.m_transponders.GetAt(1), false);
    EXPECT_EQ(Indices(tp2), (std::vector<int>{2}));
    EXPECT_EQ(Numbers(tp2), (std::vector<int>{3}));
    EXPECT_TRUE(SelectTransponderChannels(doc, nullptr, false).empty());

    const auto favSeq = SelectFavouriteChannels(doc, 0, false, true);
    EXPECT_EQ(Indices(favSeq), (std::vector<int>{0, 2}));
    EXPECT_EQ(Numbers(favSeq), (std::vector<int>{1, 2}));
    const auto favPos = SelectFavouriteChannels(doc, 0, false, false);
    EXPECT_EQ(Numbers(favPos), (std::vector<int>{1, 3}));
    EXPECT_EQ(Indices(SelectFavouriteChannels(doc, 3, true, true)), (std::vector<int>{5}));
    EXPECT_TRUE(SelectFavouriteChannels(doc, 3, false, true).empty());
    EXPECT_TRUE(SelectFavouriteChannels(doc, 8, false, true).empty());
    EXPECT_TRUE(SelectFavouriteChannels(doc, -1, false, true).empty());
}
