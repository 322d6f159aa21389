#include <gtest/gtest.h>

#include "model/OptionList.h"
#include "model/TransponderData.h"
#include "support/CoreTestHelpers.h"

using namespace ndbtest;

namespace {

std::unique_ptr<CTransponderData> NewTp(const TransponderRecord& r)
{
    return std::make_unique<CTransponderData>(r.b.data());
}

} // namespace

TEST(TransponderRecord, FieldsAndSettersWorkInPlace)
{
    TransponderRecord r;
    r.Number(513).OrgNetId(0x1234).TpId(0xBEEF).Frequency(12345).SymbolRate(27500).Flags(0xFFE00001u).Satellite(9).Kept(4);
    CTransponderData t(r.b.data());
    EXPECT_EQ(t.GetNumber(), 513);
    EXPECT_EQ(t.GetOrgNetId(), 0x1234);
    EXPECT_EQ(t.GetTpId(), 0xBEEF);
    EXPECT_EQ(t.GetFrequency(), 12345);
    EXPECT_EQ(t.GetSymbolRate(), 27500);
    EXPECT_EQ(t.GetPolarisation(), 1);
    EXPECT_TRUE(t.IsInUse());
    EXPECT_EQ(t.GetSatellite(), 9);

    t.SetPolarisation(0);
    EXPECT_EQ(t.GetFlags(), 0xFFE00000u) << "only bits 0 to 1 change";
    t.SetPolarisation(3);
    EXPECT_EQ(t.GetFlags(), 0xFFE00003u);
    t.SetFrequency(10714);
    t.SetSymbolRate(22000);
    t.SetTpId(1);
    t.SetOrgNetId(2);
    TransponderRecord expected = r;
    expected.Frequency(10714).SymbolRate(22000).TpId(1).OrgNetId(2).Flags(0xFFE00003u);
    EXPECT_EQ(Bytes(t.m_record.begin(), t.m_record.end()), expected.b);
}

TEST(TransponderRecord, PolarityAndSummaryTexts)
{
    TransponderRecord r;
    r.Frequency(12345).SymbolRate(27500);
    const char* polarity[4] = {"V", "H", "---", "---"};
    for (uint32_t p = 0; p < 4; ++p) {
        r.Flags(0x00200000u | 0x40u | p);
        CTransponderData t(r.b.data());
        EXPECT_EQ(t.FormatPolarityText(), polarity[p]);
        EXPECT_EQ(t.FormatSummaryText(), std::string("12345 ") + polarity[p] + " 27500 ");
    }
    r.Frequency(0).SymbolRate(65535).Flags(1);
    EXPECT_EQ(CTransponderData(r.b.data()).FormatSummaryText(), "0 H 65535 ");
}

TEST(TransponderArray, Lookups)
{
    CTransponderDataArray arr;
    TransponderRecord r;
    arr.Add(NewTp(r.Number(0)));
    arr.Add(NewTp(r.Number(5).TpId(10).OrgNetId(20).Flags(1).Satellite(3)));
    arr.Add(NewTp(r.Number(6).TpId(10).OrgNetId(20).Flags(0).Satellite(3)));
    arr.Add(NewTp(r.Number(7).TpId(10).OrgNetId(20).Flags(1).Satellite(4)));
    arr.Add(NewTp(r.Number(5).TpId(11).OrgNetId(21).Flags(2).Satellite(3)));

    EXPECT_EQ(arr.IndexOfNumber(5), 1) << "first match wins";
    EXPECT_EQ(arr.IndexOfNumber(0), 0);
    EXPECT_EQ(arr.IndexOfNumber(99), -1);
    EXPECT_EQ(arr.IndexOfNumber(65536 + 5), -1);
    EXPECT_EQ(arr.IndexOf(arr.GetAt(3)), 3);
    CTransponderData stranger;
    EXPECT_EQ(arr.IndexOf(&stranger), -1);

    EXPECT_EQ(arr.IndexOfTransponderKeys(10, 20, 1), 1);
    EXPECT_EQ(arr.IndexOfTransponderKeys(10, 20, 0), 2);
    EXPECT_EQ(arr.IndexOfTransponderKeys(20, 10, 1), -1) << "TpId and OrgNetId are not interchangeable";
    EXPECT_EQ(arr.IndexOfTransponderKeys(11, 21, 0), -1);

    EXPECT_EQ(arr.NumberOfTransponderKeys(4, 10, 20, 1), 7);
    EXPECT_EQ(arr.NumberOfTransponderKeys(3, 10, 20, 0), 6);
    EXPECT_EQ(arr.NumberOfTransponderKeys(5, 10, 20, 1), -1);
}

TEST(TransponderOptions, SatelliteFilterSortAndEmptyRule)
{
    CTransponderDataArray arr;
    TransponderRecord r;
    arr.Add(NewTp(r.Number(1).Frequency(12188).Flags(1).SymbolRate(27500).Satellite(1)));
    arr.Add(NewTp(r.Number(2).Frequency(11494).Flags(1).SymbolRate(22000).Satellite(1)));
    arr.Add(NewTp(r.Number(3).Frequency(0).Flags(0).SymbolRate(1).Satellite(1)));      // frequency 0
    arr.Add(NewTp(r.Number(4).Frequency(10000).Flags(0).SymbolRate(1).Satellite(2)));  // other satellite
    arr.Add(NewTp(r.Number(5).Frequency(11494).Flags(1).SymbolRate(22000).Satellite(1))); // same text as index 1
    arr.Add(NewTp(r.Number(6).Frequency(9750).Flags(0).SymbolRate(27500).Satellite(1)));
    arr.Add(NewTp(r.Number(7).Frequency(11494).Flags(0).SymbolRate(22000).Satellite(1)));

    COptionList options;
    arr.FillTransponderOptions(1, options);
    std::vector<int> values;
    std::vector<std::string> texts;
    for (const auto& o : options.Options()) {
        values.push_back(o.value);
        texts.push_back(o.text);
    }
    // "11494 H" and "11494 V" fold to h < v; "9750" sorts after "1...".
    EXPECT_EQ(values, (std::vector<int>{1, 4, 6, 0, 5}));
    EXPECT_EQ(texts.front(), "11494 H 22000 ");
    EXPECT_EQ(texts.back(), "9750 V 27500 ");

    options.RemoveAll();
    arr.FillTransponderOptions(9, options);
    ASSERT_EQ(options.GetCount(), 1);
    EXPECT_EQ(options.Options()[0].text, "");
    EXPECT_EQ(options.Options()[0].value, 0);
}

TEST(TransponderOptions, PolarisationOptions)
{
    COptionList options;
    CTransponderDataArray::FillPolarisationOptions(options);
    ASSERT_EQ(options.GetCount(), 2);
    EXPECT_EQ(options.Options()[0].text, "Vertical");
    EXPECT_EQ(options.Options()[0].value, 0);
    EXPECT_EQ(options.Options()[1].text, "Horizontal");
    EXPECT_EQ(options.Options()[1].value, 1);
}

TEST(TransponderBlock, RoundTripAndZeroFill)
{
    TestDatabase db = MakeSmallDatabase();
    db.transponders.extraZeros = 48;
    const Bytes body = db.transponders.Build();
    CTransponderDataArray arr;
    arr.m_nBodyLength = static_cast<int32_t>(body.size());
    CMemStream stream(body);
    arr.ReadBlock(stream);
    ASSERT_EQ(arr.GetSize(), 7000);
    EXPECT_EQ(Bytes(arr.m_head.begin(), arr.m_head.end()), db.transponders.head);
    EXPECT_EQ(Bytes(arr.GetAt(4000)->m_record.begin(), arr.GetAt(4000)->m_record.end()),
              db.transponders.records[4000].b);
    ParsedBlock written = WrittenBlock([&] { arr.WriteBlock(); });
    EXPECT_EQ(written.tagId, kTagTransponders);
    EXPECT_EQ(written.version, 1u);
    EXPECT_EQ(written.body, body);
}

TEST(TransponderBlock, FewerRecordsAreMadeUpWithZeros)
{
    // A body cut at the end of the payload: only whole slots become records,
    // and the declared length is filled up with zeros when written.
    TestDatabase db = MakeSmallDatabase();
    Bytes body = db.transponders.Build();
    body.resize(12 + 24 * 10 + 5);
    CTransponderDataArray arr;
    arr.m_nBodyLength = static_cast<int32_t>(kTpBody);
    CMemStream stream(body);
    arr.ReadBlock(stream);
    ASSERT_EQ(arr.GetSize(), 10);
    ParsedBlock written = WrittenBlock([&] { arr.WriteBlock(); });
    ASSERT_EQ(written.body.size(), kTpBody);
    EXPECT_EQ(Slice(written.body, 0, 12 + 240), Slice(body, 0, 12 + 240));
    EXPECT_EQ(Slice(written.body, 252, kTpBody - 252), Bytes(kTpBody - 252, 0));
}

TEST(TransponderClipboard, StreamRoundTrip)
{
    CTransponderDataArray arr;
    TransponderRecord a, b;
    arr.Add(NewTp(a.Number(1).Frequency(11494).Kept(1)));
    arr.Add(NewTp(b.Number(2).Frequency(12188).Kept(2)));
    CMemStream out;
    arr.WriteStream(out);
    Bytes expected(4, 0);
    PutU32(expected, 0, 2);
    Append(expected, a.b);
    Append(expected, b.b);
    EXPECT_EQ(StreamBytes(out), expected);

    // A count that promises more than the stream holds keeps the whole records.
    Bytes shortStream = expected;
    PutU32(shortStream, 0, 3);
    CMemStream in(shortStream);
    CTransponderDataArray back;
    back.ReadStream(in);
    ASSERT_EQ(back.GetSize(), 2);
    EXPECT_EQ(Bytes(back.GetAt(0)->m_record.begin(), back.GetAt(0)->m_record.end()), a.b);
}
