#include <gtest/gtest.h>

#include "model/OptionList.h"
#include "model/SatelliteData.h"
#include "model/TextCodec.h"
#include "support/CoreTestHelpers.h"

using namespace ndbtest;

namespace {

CSatelliteData Sat(const SatelliteRecord& r, int slot = 0) { return CSatelliteData(r.b.data(), slot); }

std::unique_ptr<CSatelliteData> NewSat(const SatelliteRecord& r, int slot = 0)
{
    return std::make_unique<CSatelliteData>(r.b.data(), slot);
}

const std::string kDeg = "\xC2\xB0"; // '°' in UTF-8

} // namespace

TEST(SatelliteRecord, FieldsComeFromTheImage)
{
    SatelliteRecord r;
    r.Number(17).Name("Astra").Flags(0x08 | 0x10 | 0x81).PositionWord(0xF800 | 1923).Kept(5);
    CSatelliteData s = Sat(r, 42);
    EXPECT_EQ(s.GetNumber(), 17);
    EXPECT_EQ(s.m_nSlot, 42);
    EXPECT_TRUE(s.IsInUse());
    EXPECT_TRUE(s.IsWest());
    EXPECT_FALSE(s.IsEast());
    EXPECT_EQ(s.GetPosition(), 1923) << "bits 11 to 15 are not part of the position";
    EXPECT_EQ(Bytes(s.m_record.begin(), s.m_record.end()), r.b);
}

TEST(SatelliteRecord, NameTextDecoding)
{
    SatelliteRecord r;
    r.Name("T\xC3\xBCrksat");
    EXPECT_EQ(Sat(r).GetNameText(), "T\xC3\xBCrksat");
    // twenty bytes without a terminator are all name; the flags byte behind is not
    SatelliteRecord full;
    full.Name("ABCDEFGHIJKLMNOPQRST").Flags(0x41);
    EXPECT_EQ(Sat(full).GetNameText(), "ABCDEFGHIJKLMNOPQRST");
    SatelliteRecord empty;
    empty.Kept(3);
    EXPECT_EQ(Sat(empty).GetNameText(), "");
}

TEST(SatelliteRecord, PositionTextWidths)
{
    struct Case {
        int tenths;
        bool west;
        std::string text;
    };
    const Case cases[] = {
        {192, false, "  19.2 " + kDeg + "E "}, {7, false, "    0.7 " + kDeg + "E "},
        {0, false, "    0.0 " + kDeg + "E "},  {99, true, "    9.9 " + kDeg + "W "},
        {100, false, "  10.0 " + kDeg + "E "}, {999, false, "  99.9 " + kDeg + "E "},
        {1000, true, "100.0 " + kDeg + "W "},  {1923, false, "192.3 " + kDeg + "E "},
        {2047, false, "204.7 " + kDeg + "E "}, {8, true, "    0.8 " + kDeg + "W "},
    };
    for (const auto& c : cases) {
        SatelliteRecord r;
        r.Flags(0x08).PositionWord(0x3000).Position(c.tenths, c.west);
        EXPECT_EQ(Sat(r).FormatPositionText(), c.text) << c.tenths;
    }
}

TEST(SatelliteRecord, DegreeText)
{
    SatelliteRecord r;
    EXPECT_EQ(Sat(r.Position(192, false)).FormatDegreeText(), "19.2");
    EXPECT_EQ(Sat(r.Position(7, false)).FormatDegreeText(), "0.7");
    EXPECT_EQ(Sat(r.Position(1923, true)).FormatDegreeText(), "192.3");
}

TEST(SatelliteRecord, OptionTextPadsNameToThirteenCharacters)
{
    SatelliteRecord r;
    r.Position(192, false).Name("Astra");
    EXPECT_EQ(Sat(r).FormatOptionText(), "Astra        " + std::string("  19.2 ") + kDeg + "E ");
    // characters, not bytes: "Türksat" is seven characters in eight bytes
    r.Name("T\xC3\xBCrksat");
    EXPECT_EQ(Sat(r).FormatOptionText(), "T\xC3\xBCrksat      " + std::string("  19.2 ") + kDeg + "E ");
    r.Name("Thirteen char");
    EXPECT_EQ(Sat(r).FormatOptionText(), "Thirteen char  19.2 " + kDeg + "E ");
    r.Name("Much longer satellite");
    EXPECT_EQ(Sat(r).FormatOptionText(), "Much longer satellit  19.2 " + kDeg + "E ");
    r.Name("");
    EXPECT_EQ(Sat(r).FormatOptionText(), "");
}

TEST(SatelliteRecord, TreeLabelPadsUntilTheMeasureFits)
{
    SatelliteRecord r;
    r.Position(192, false).Name("Astra");
    auto perChar = [](int px) {
        return [px](const std::string& t) { return px * static_cast<int>(ve::Utf8ToUtf32(t).size()); };
    };
    const std::string pos = "  19.2 " + kDeg + "E "; // ten characters
    EXPECT_EQ(Sat(r).FormatTreeLabel(perChar(8)), pos + " Astra");        // 80 px fits
    EXPECT_EQ(Sat(r).FormatTreeLabel(perChar(7)), pos + "  Astra");       // 70 -> 77
    EXPECT_EQ(Sat(r).FormatTreeLabel(perChar(9)), pos + "   Astra");      // 90 -> 99 -> 108
    EXPECT_EQ(Sat(r).FormatTreeLabel(perChar(11)), pos + " Astra");       // 110 is past 100
}

TEST(SatellitePositionKey, SinglePrecisionRoundTripTruncates)
{
    EXPECT_EQ(PositionKeyOf(7), 6);
    EXPECT_EQ(PositionKeyOf(9), 8);
    EXPECT_EQ(PositionKeyOf(13), 12);
    EXPECT_EQ(PositionKeyOf(14), 13);
    EXPECT_EQ(PositionKeyOf(18), 17);
    EXPECT_EQ(PositionKeyOf(19), 18);
    EXPECT_EQ(PositionKeyOf(12), 12);
    EXPECT_EQ(PositionKeyOf(192), 192);
    int lower = 0;
    for (int p = 0; p < 2048; ++p) {
        const float f = static_cast<float>(p / 10.0);
        const int expected = static_cast<int>(static_cast<double>(f) * 10.0);
        ASSERT_EQ(PositionKeyOf(p), expected) << p;
        ASSERT_TRUE(expected == p || expected == p - 1) << p;
        lower += expected == p - 1 ? 1 : 0;
    }
    EXPECT_EQ(lower, 817);
}

class SatelliteArrayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SatelliteRecord a, b, c, d, e;
        a.Number(1).Name("Astra").Position(192, false);
        b.Number(2).Name("Sirius").Position(7, false);
        c.Number(3).Name("One").Position(12, false);
        d.Number(4).Name("Two").Position(13, false);
        e.Number(5).Name("Thor").Position(8, true);
        for (auto* r : {&a, &b, &c, &d, &e}) {
            arr.Add(NewSat(*r, arr.GetSize()));
        }
    }
    CSatelliteDataArray arr;
};

TEST_F(SatelliteArrayTest, Lookups)
{
    EXPECT_EQ(arr.IndexOfNumber(3), 2);
    EXPECT_EQ(arr.IndexOfNumber(9), -1);
    EXPECT_EQ(arr.IndexOfNumber(257), -1) << "257 must not match number 1 by truncation";
    EXPECT_EQ(arr.IndexOf(arr.GetAt(4)), 4);
    CSatelliteData stranger;
    EXPECT_EQ(arr.IndexOf(&stranger), -1);

    EXPECT_EQ(arr.IndexOfPositionAndName(192, 1, "Astra"), 0);
    EXPECT_EQ(arr.IndexOfPositionAndName(192, 0, "Astra"), -1);
    EXPECT_EQ(arr.IndexOfPositionAndName(192, 1, "astra"), -1);
    EXPECT_EQ(arr.IndexOfPositionAndName(192, 1, "Astr"), -1);
    EXPECT_EQ(arr.IndexOfPositionAndName(8, 0, "Thor"), 4);
}

TEST_F(SatelliteArrayTest, NumberAtPositionUsesTheKey)
{
    EXPECT_EQ(arr.NumberAtPosition(6, 1), 2);
    EXPECT_EQ(arr.NumberAtPosition(7, 1), -1);
    EXPECT_EQ(arr.NumberAtPosition(6, 0), -1);
    EXPECT_EQ(arr.NumberAtPosition(12, 1), 3) << "1.2 and 1.3 share key 12; the first wins";
    EXPECT_EQ(arr.NumberAtPosition(192, 1), 1);
    EXPECT_EQ(arr.NumberAtPosition(PositionKeyOf(8), 0), 5);
    EXPECT_EQ(CSatelliteDataArray::PositionKey(*arr.GetAt(3)), 12);
}

TEST(SatelliteOptions, SortedStableAndFiltered)
{
    CSatelliteDataArray arr;
    SatelliteRecord r;
    r.Position(192, false);
    const char* names[] = {"Beta", "alpha", "", "ALPHA", "\xEF\xBF\xBFhidden", "_under", "Zulu", "\xC3\x84gypten"};
    for (int i = 0; i < 8; ++i) {
        r.Number(static_cast<uint8_t>(i + 1)).Name(names[i]);
        arr.Add(NewSat(r, i));
    }
    COptionList options;
    arr.FillSatelliteOptions(options);
    std::vector<int> values;
    for (const auto& o : options.Options()) {
        values.push_back(o.value);
        EXPECT_EQ(o.text, arr.GetAt(o.value)->FormatOptionText());
    }
    // '_' (0x5F) sorts before folded letters; alpha and ALPHA fold equal and
    // keep array order; U+00C4 comes after every ASCII letter.
    EXPECT_EQ(values, (std::vector<int>{5, 1, 3, 0, 6, 7}));
}

TEST(SatelliteOptions, NothingOfferedGivesOneEmptyOption)
{
    CSatelliteDataArray arr;
    COptionList options;
    arr.FillSatelliteOptions(options);
    ASSERT_EQ(options.GetCount(), 1);
    EXPECT_EQ(options.Options()[0].text, "");
    EXPECT_EQ(options.Options()[0].value, 0);

    SatelliteRecord r;
    r.Number(1).Position(192, false); // no name: not offered
    arr.Add(NewSat(r));
    options.RemoveAll();
    arr.FillSatelliteOptions(options);
    ASSERT_EQ(options.GetCount(), 1);
    EXPECT_EQ(options.Options()[0].text, "");
    EXPECT_EQ(options.Options()[0].value, 0);
}

TEST(SatelliteBlock, ReadsAndWritesTheBodyUnchanged)
{
    TestDatabase db = MakeSmallDatabase();
    for (int i = 10; i < 250; i += 37) {
        db.satellites.records[static_cast<size_t>(i)].Number(static_cast<uint8_t>(i)).Kept(static_cast<uint32_t>(i));
    }
    const Bytes body = db.satellites.Build();
    CSatelliteDataArray arr;
    arr.m_nBodyLength = static_cast<int32_t>(body.size());
    CMemStream stream(body);
    arr.ReadBlock(stream);
    ASSERT_EQ(arr.GetSize(), 250);
    EXPECT_EQ(arr.GetAt(249)->m_nSlot, 249);
    EXPECT_EQ(Bytes(arr.m_head.begin(), arr.m_head.end()), db.satellites.head);
    EXPECT_EQ(Bytes(arr.m_tail.begin(), arr.m_tail.end()), db.satellites.tail);
    EXPECT_EQ(stream.GetPosition(), 13022u);

    ParsedBlock written = WrittenBlock([&] { arr.WriteBlock(); });
    EXPECT_EQ(written.tagId, kTagSatellites);
    EXPECT_EQ(written.version, 3u);
    EXPECT_TRUE(written.bodyOk);
    EXPECT_EQ(written.body, body);
}

TEST(SatelliteBlock, SurplusIsWrittenBackAsRead)
{
    TestDatabase db = MakeSmallDatabase();
    db.satellites.surplus.assign(37, 0);
    Fill(db.satellites.surplus, 0, 37, 77);
    const Bytes body = db.satellites.Build();
    CSatelliteDataArray arr;
    arr.m_nBodyLength = static_cast<int32_t>(body.size());
    CMemStream stream(body);
    arr.ReadBlock(stream);
    ParsedBlock written = WrittenBlock([&] { arr.WriteBlock(); });
    EXPECT_EQ(written.body, body);
}

TEST(SatelliteClipboard, StreamRoundTrip)
{
    CSatelliteDataArray arr;
    SatelliteRecord a, b;
    a.Number(1).Name("Astra").Position(192, false).Kept(1);
    b.Number(7).Name("Thor").Position(8, true).Kept(2);
    arr.Add(NewSat(a));
    arr.Add(NewSat(b));
    CMemStream out;
    arr.WriteStream(out);
    Bytes expected(4, 0);
    PutU32(expected, 0, 2);
    Append(expected, a.b);
    Append(expected, b.b);
    EXPECT_EQ(StreamBytes(out), expected);

    CSatelliteDataArray back;
    out.Seek(0);
    EXPECT_TRUE(back.ReadStream(out));
    ASSERT_EQ(back.GetSize(), 2);
    EXPECT_EQ(Bytes(back.GetAt(1)->m_record.begin(), back.GetAt(1)->m_record.end()), b.b);
    EXPECT_EQ(back.GetAt(1)->m_nSlot, 1);
}
