// One service record: fields in place, name and provider texts.
#include <gtest/gtest.h>

#include "model/ServiceData.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

namespace {

Bytes Image(const CServiceData& s) { return Bytes(s.m_record.begin(), s.m_record.end()); }

} // namespace

TEST(ServiceRecord, FieldsComeFromTheImage)
{
    ServiceRecord r;
    r.Number(0x1234).Previous(0x0101).Next(0xFFFE).Transponder(700).ServiceId(28006).PmtPid(97).VideoPid(1023)
        .AudioPid(8191).PcrPid(300).Ca(0x0D05).FavGroup(8).Flags(0x08 | 0x10 | 0x20 | 0x80).VideoType(27)
        .TunerWord(0x800C).Kept(9);
    CServiceData s(r.b.data());
    EXPECT_EQ(s.GetNumber(), 0x1234);
    EXPECT_EQ(s.GetPrevious(), 0x0101);
    EXPECT_EQ(s.GetNext(), 0xFFFE);
    EXPECT_EQ(s.GetTransponder(), 700);
    EXPECT_EQ(s.GetServiceId(), 28006);
    EXPECT_EQ(s.GetPmtPid(), 97);
    EXPECT_EQ(s.GetVideoPid(), 1023);
    EXPECT_EQ(s.GetAudioPid(), 8191);
    EXPECT_EQ(s.GetPcrPid(), 300);
    EXPECT_EQ(s.GetCaValue(), 0x0D05);
    EXPECT_TRUE(s.IsScrambled());
    EXPECT_EQ(s.GetFavouriteGroup(), 8);
    EXPECT_TRUE(s.IsRadio());
    EXPECT_TRUE(s.IsSkip());
    EXPECT_TRUE(s.IsLocked());
    EXPECT_TRUE(s.IsHD());
    EXPECT_EQ(s.GetTunerWord(), 0x800C);
    EXPECT_EQ(s.m_nListPos, 0);
    EXPECT_EQ(Image(s), r.b);
}

TEST(ServiceRecord, KindAndFlagBitsAreIndependent)
{
    ServiceRecord r;
    for (uint8_t f : {uint8_t{0x00}, uint8_t{0x08}, uint8_t{0x10}, uint8_t{0x20}, uint8_t{0xC7}}) {
        CServiceData s(r.Flags(f).b.data());
        EXPECT_EQ(s.IsRadio(), (f & 0x08) != 0) << int(f);
        EXPECT_EQ(s.IsSkip(), (f & 0x10) != 0) << int(f);
        EXPECT_EQ(s.IsLocked(), (f & 0x20) != 0) << int(f);
    }
    EXPECT_FALSE(CServiceData(r.Ca(1).b.data()).IsScrambled());
    EXPECT_FALSE(CServiceData(r.Ca(0).b.data()).IsScrambled());
    EXPECT_TRUE(CServiceData(r.Ca(2).b.data()).IsScrambled());
    EXPECT_FALSE(CServiceData(r.VideoType(0x1C).b.data()).IsHD());
}

TEST(ServiceRecord, NameAndProviderDecodeAsLatin1)
{
    ServiceRecord r;
    r.Name("T\xE9l\xE9 5 \xD6sterreich").Provider("ORF \xFC\xDF");
    CServiceData s(r.b.data());
    EXPECT_EQ(s.GetNameText(), "T\xC3\xA9l\xC3\xA9 5 \xC3\x96sterreich");
    EXPECT_EQ(s.GetProviderText(), "ORF \xC3\xBC\xC3\x9F");

    ServiceRecord full;
    full.Name("ABCDEFGHIJKLMNOPQRST").Provider("abcdefghijkl").Kept(2);
    CServiceData f(full.b.data());
    EXPECT_EQ(f.GetNameText(), "ABCDEFGHIJKLMNOPQRST") << "twenty bytes without terminator";
    EXPECT_EQ(f.GetProviderText(), "abcdefghijkl") << "twelve bytes without terminator";
}

TEST(ServiceRecord, ShortNameOverLongNameKeepsTheOldBytesBehindTheZero)
{
    ServiceRecord r;
    r.Kept(3);
    Fill(r.b, 40, 20, 99); // old fill after the old name
    r.Name("ABCDEFG");
    CServiceData s(r.b.data());
    s.SetNameText("xyz");
    Bytes expected = r.b;
    expected[40] = 'x';
    expected[41] = 'y';
    expected[42] = 'z';
    expected[43] = 0;
    // 44..46 keep "EFG", 47 keeps the old terminator, then the old fill
    EXPECT_EQ(Image(s), expected);
    EXPECT_EQ(s.m_record[44], 'E');
    EXPECT_EQ(s.m_record[46], 'G');
    EXPECT_EQ(s.m_record[47], 0);
    EXPECT_EQ(s.GetNameText(), "xyz");
}

TEST(ServiceRecord, SetNameStripsMarksCutsAndEncodes)
{
    ServiceRecord r;
    r.Kept(4);
    CServiceData s(r.b.data());

    s.SetNameText("A\xC3\x82" "B\xE2\x80\xA0" "C\xE2\x80\xA1" "D"); // A, U+00C2, B, U+2020, C, U+2021, D
    EXPECT_EQ(s.GetNameText(), "ABCD");
    EXPECT_EQ(s.m_record[44], 0);

    s.SetNameText("M\xC3\xBCller & S\xC3\xB6hne"); // ü, ö
    EXPECT_EQ(s.m_record[41], 0xFC);
    EXPECT_EQ(s.GetNameText(), "M\xC3\xBCller & S\xC3\xB6hne");

    s.SetNameText("abcdefghijklmnopqrstuvwxy"); // 25 characters
    EXPECT_EQ(s.GetNameText(), "abcdefghijklmnopqrs");
    EXPECT_EQ(s.m_record[40 + 19], 0);

    // stripping happens before the cut: nineteen letters survive five marks
    s.SetNameText("\xC3\x82\xC3\x82\xE2\x80\xA0\xE2\x80\xA1\xC3\x82" "0123456789abcdefghiXYZ");
    EXPECT_EQ(s.GetNameText(), "0123456789abcdefghi");

    // a character Latin-1 lacks still takes one byte
    s.SetNameText("\xE2\x82\xAC" "uro"); // "€uro"
    EXPECT_NE(s.m_record[40], 0);
    EXPECT_EQ(s.GetNameText().substr(s.GetNameText().size() - 3), "uro");
    EXPECT_EQ(s.m_record[44], 0);

    s.SetNameText("");
    EXPECT_EQ(s.m_record[40], 0);
    EXPECT_EQ(s.GetNameText(), "");

    // the bytes around the name field are never touched
    EXPECT_EQ(Slice(Image(s), 0, 40), Slice(r.b, 0, 40));
    EXPECT_EQ(Slice(Image(s), 60, 84), Slice(r.b, 60, 84));
}

TEST(ServiceRecord, SetProviderCutsAtElevenCharacters)
{
    ServiceRecord r;
    r.Kept(5);
    Fill(r.b, 60, 12, 55);
    CServiceData s(r.b.data());
    s.SetProviderText("Deutsche Telekom");
    EXPECT_EQ(s.GetProviderText(), "Deutsche Te");
    EXPECT_EQ(s.m_record[60 + 11], 0);
    s.SetProviderText("\xE2\x80\xA0" "SRG");
    EXPECT_EQ(s.GetProviderText(), "SRG");
    EXPECT_EQ(s.m_record[64], 's') << "bytes after the new terminator keep their value (from \"Deutsche\")";
    EXPECT_EQ(s.m_record[71], 0) << "the earlier terminator stays";
    EXPECT_EQ(Slice(Image(s), 0, 60), Slice(r.b, 0, 60));
    EXPECT_EQ(Slice(Image(s), 72, 72), Slice(r.b, 72, 72));
}

TEST(ServiceRecord, SettersWriteOnlyTheirField)
{
    ServiceRecord r;
    r.Kept(6);
    CServiceData s(r.b.data());
    s.SetNumber(0xABCD);
    s.SetPrevious(2);
    s.SetNext(3);
    s.SetTransponder(4);
    s.SetServiceId(5);
    s.SetPmtPid(6);
    s.SetVideoPid(7);
    s.SetAudioPid(8);
    s.SetPcrPid(9);
    s.SetFavouriteGroup(3);
    s.SetFlags(0x30);
    ServiceRecord e = r;
    e.Number(0xABCD).Previous(2).Next(3).Transponder(4).ServiceId(5).PmtPid(6).VideoPid(7).AudioPid(8).PcrPid(9)
        .FavGroup(3).Flags(0x30);
    EXPECT_EQ(Image(s), e.b);
}
