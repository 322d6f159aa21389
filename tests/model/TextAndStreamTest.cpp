// Text conversions, option lists and the in-memory stream.
#include <gtest/gtest.h>

#include "model/MemStream.h"
#include "model/OptionList.h"
#include "model/TextCodec.h"

using namespace ve;

TEST(TextCodec, DecodeFixedStopsAtZeroOrWidth)
{
    const uint8_t latin[] = {'A', 0xE4, 0x80, 0xFF, 0, 'X'};
    EXPECT_EQ(DecodeFixed(latin, sizeof latin, CodePage::Latin1), "A\xC3\xA4\xC2\x80\xC3\xBF");
    EXPECT_EQ(DecodeFixed(latin, sizeof latin, CodePage::Windows1252), "A\xC3\xA4\xE2\x82\xAC\xC3\xBF");
    EXPECT_EQ(DecodeFixed(latin, 2, CodePage::Latin1), "A\xC3\xA4");
    const uint8_t w1252[] = {0x8A, 0x9F, 0x84, 0x93};
    EXPECT_EQ(DecodeFixed(w1252, 4, CodePage::Windows1252), "\xC5\xA0\xC5\xB8\xE2\x80\x9E\xE2\x80\x9C");
    EXPECT_EQ(DecodeByte(0x80, CodePage::Windows1252), U'\u20AC');
    EXPECT_EQ(DecodeByte(0x80, CodePage::Latin1), U'\u0080');
}

TEST(TextCodec, Utf8Conversions)
{
    const std::string s = "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80";
    EXPECT_EQ(Utf8ToUtf32(s), (std::u32string{U'a', U'\u00E4', U'\u20AC', U'\U0001F600'}));
    EXPECT_EQ(Utf32ToUtf8(Utf8ToUtf32(s)), s);
    EXPECT_EQ(Utf8ToUtf16(s), (std::u16string{u'a', u'\u00E4', u'\u20AC', char16_t(0xD83D), char16_t(0xDE00)}));
    EXPECT_EQ(Utf8ToUtf32("\xFF" "a"), (std::u32string{U'\uFFFD', U'a'}));
    EXPECT_EQ(Utf8ToUtf32("\xC3"), (std::u32string{U'\uFFFD'}));
    std::string out;
    AppendUtf8(out, U'\u00B0');
    EXPECT_EQ(out, "\xC2\xB0");
    const uint8_t bad[] = {'x', 0xC3, 0};
    EXPECT_EQ(DecodeUtf8Fixed(bad, 3), "x\xEF\xBF\xBD");
    const uint8_t twenty[] = "ABCDEFGHIJKLMNOPQRSTUV";
    EXPECT_EQ(DecodeUtf8Fixed(twenty, 20), "ABCDEFGHIJKLMNOPQRST");
}

TEST(TextCodec, EncodeCodePageReplacesWhatItLacks)
{
    EXPECT_EQ(EncodeCodePage(U"a\u00E4\u20AC", CodePage::Latin1), "a\xE4?");
    EXPECT_EQ(EncodeCodePage(U"a\u00E4\u20AC", CodePage::Windows1252), "a\xE4\x80");
    EXPECT_EQ(EncodeCodePage(U"\u0152\u0160", CodePage::Windows1252), "\x8C\x8A");
    EXPECT_EQ(EncodeCodePage(U"\U0001F600", CodePage::Latin1), "?");
}

TEST(OptionList, LookupsAndStableFoldedSort)
{
    COptionList list;
    list.AddOption("b", 1);
    list.AddOption("a", 2);
    list.AddOption("a", 3);
    EXPECT_EQ(list.IndexOfValue(3), 2);
    EXPECT_EQ(list.IndexOfValue(9), -1);
    EXPECT_EQ(list.ValueOfText("a"), 2);
    EXPECT_EQ(list.ValueOfText("c"), -1);

    auto sorted = [](std::vector<std::string> texts) {
        std::vector<COptionList::Option> opts;
        for (size_t i = 0; i < texts.size(); ++i) {
            opts.push_back({texts[i], static_cast<int>(i)});
        }
        SortOptionTexts(opts);
        std::vector<int> out;
        for (const auto& o : opts) {
            out.push_back(o.value);
        }
        return out;
    };
    // A to Z fold, so "B" sits between "a" and "c"; equal folded texts keep order
    EXPECT_EQ(sorted({"c", "B", "a", "A", "b"}), (std::vector<int>{2, 3, 1, 4, 0}));
    // '_' (0x5F) lies between 'Z' and 'a': after folding it comes before every letter
    EXPECT_EQ(sorted({"A", "_"}), (std::vector<int>{1, 0}));
    // only A to Z fold: U+00C9 and U+00E9 stay different, capital first
    EXPECT_EQ(sorted({"\xC3\xA9" "a", "\xC3\x89" "b"}), (std::vector<int>{1, 0}));
    // UTF-16 code units: a surrogate pair (D83D) sorts before U+E000
    EXPECT_EQ(sorted({"\xEE\x80\x80", "\xF0\x9F\x98\x80"}), (std::vector<int>{1, 0}));
    // a prefix comes first
    EXPECT_EQ(sorted({"abc", "ab", ""}), (std::vector<int>{2, 1, 0}));
    // many equal keys keep their order
    std::vector<std::string> same(50, "Astra");
    std::vector<int> identity(50);
    for (int i = 0; i < 50; ++i) {
        identity[static_cast<size_t>(i)] = i;
        if (i % 2) {
            same[static_cast<size_t>(i)] = "ASTRA";
        }
    }
    EXPECT_EQ(sorted(same), identity);
}

TEST(MemStream, ReadsNeverPassTheEnd)
{
    CMemStream s;
    const uint8_t data[] = {1, 2, 3, 4, 5};
    s.Write(data, 5);
    EXPECT_EQ(s.GetLength(), 5u);
    EXPECT_EQ(s.GetPosition(), 5u);
    s.Seek(1);
    uint8_t out[8] = {};
    EXPECT_EQ(s.Read(out, 8), 4u);
    EXPECT_EQ(out[0], 2);
    EXPECT_EQ(out[3], 5);
    EXPECT_EQ(s.Read(out, 1), 0u);
    s.Seek(100);
    EXPECT_EQ(s.GetPosition(), 5u);
    s.Seek(2);
    EXPECT_EQ(s.Skip(10), 3u);
    EXPECT_EQ(s.Remaining(), 0u);
    s.Seek(0);
    s.Write(data + 4, 1); // overwrite in place
    s.WriteZeros(2);
    EXPECT_EQ(s.GetLength(), 5u);
    EXPECT_EQ(std::vector<uint8_t>(s.Data(), s.Data() + 5), (std::vector<uint8_t>{5, 0, 0, 4, 5}));
    s.Seek(4);
    s.Write(data, 3); // grows past the end
    EXPECT_EQ(s.GetLength(), 7u);
    EXPECT_EQ(s.Detach(), (std::vector<uint8_t>{5, 0, 0, 4, 1, 2, 3}));
}
