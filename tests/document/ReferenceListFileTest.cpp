// The reference list file: what is written for a database, and reading back
// what spreadsheets make of it (encodings, separators, quotes, moved and
// missing columns, lines that cannot be read).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/ReferenceListFile.h"
#include "document/VandrelEdit2028Doc.h"
#include "support/DocTestHelpers.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

namespace {

ReferenceListStatus Parse(const std::string& text, ReferenceList& list, std::string* message = nullptr)
{
    std::string ignored;
    return ParseReferenceList(reinterpret_cast<const uint8_t*>(text.data()), text.size(), list,
                              message ? *message : ignored);
}

std::vector<std::string> NamesOf(const ReferenceList& list)
{
    std::vector<std::string> names;
    for (const ReferenceLine& line : list.lines) {
        names.push_back(line.name);
    }
    return names;
}

// The lines of written text, without their CR LF.
std::vector<std::string> TextLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
    return lines;
}

} // namespace

TEST(ReferenceListFile, WritesHeaderAndOneLinePerChannelTelevisionFirst)
{
    TestDatabase db = MakeSmallDatabase();
    db.services.records[1].Name("ZDF; \"neu\"");       // needs quotes
    db.services.records[3].Transponder(99);            // Rai 1 without transponder
    db.transponders.records[4].Satellite(77).Flags(2); // Télé 5: no satellite, polarisation 2
    CVandrelEdit2028Doc doc;
    LoadInto(doc, db);
    const std::string text = BuildReferenceList(doc);
    ASSERT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(TextLines(text.substr(3)),
              (std::vector<std::string>{
                  "Nr;Typ;Kanalname;Satellit;Frequenz;Polarit\xC3\xA4t;Symbolrate;ONID;TSID;SID;Favorit;Gesperrt;"
                  "\xC3\x9C"
                  "berspringen",
                  "1;TV;Das Erste HD;19.2E;11494;H;22000;1;1019;10301;1;;",
                  "2;TV;\"ZDF; \"\"neu\"\"\";19.2E;11494;H;22000;1;1019;11110;2;;",
                  "3;TV;Sky Cinema;19.2E;12188;H;27500;133;6;129;1;X;",
                  "4;TV;Rai 1;;;;;;;3401;0;;X",
                  "5;TV;T\xC3\xA9l\xC3\xA9 5;;10872;;25000;70;14;7;0;;",
                  "1;Radio;Bayern 3;19.2E;11494;H;22000;1;1019;28400;4;;",
                  "2;Radio;Antenne Bayern;19.2E;12188;H;27500;133;6;92;0;;",
                  "3;Radio;Radio Svizzera;13.0E;10992;V;27500;318;12000;3901;0;X;",
              }));

    // What was written reads back field for field.
    ReferenceList list;
    ASSERT_EQ(Parse(text, list), ReferenceListStatus::Ok);
    ASSERT_EQ(list.lines.size(), 8u);
    EXPECT_TRUE(list.unreadable.empty());
    const ReferenceLine& zdf = list.lines[1];
    EXPECT_EQ(zdf.name, "ZDF; \"neu\"");
    EXPECT_EQ(zdf.lineNumber, 3);
    EXPECT_TRUE(zdf.hasPosition && zdf.position == 192 && !zdf.west);
    EXPECT_TRUE(zdf.hasOnid && zdf.onid == 1 && zdf.hasTsid && zdf.tsid == 1019 && zdf.hasSid && zdf.sid == 11110);
    EXPECT_EQ(zdf.favourite, 2);
    // Lock and skip: X sets, an empty field leaves the flag.
    EXPECT_TRUE(zdf.locked == -1 && zdf.skipped == -1);
    EXPECT_TRUE(list.lines[2].locked == 1 && list.lines[3].skipped == 1);
    EXPECT_FALSE(list.lines[3].hasPosition || list.lines[3].hasOnid || list.lines[3].hasTsid);
    EXPECT_TRUE(list.lines[5].radio);
    EXPECT_EQ(list.lines[5].number, 1u);
}

TEST(ReferenceListFile, ReadsWhatSpreadsheetsSave)
{
    // The same three lines in the forms spreadsheets write: columns moved,
    // renamed in case, one unknown; no byte-order mark and LF; Windows-1252;
    // commas with quotes; TABs; UTF-16 with its mark.
    const std::string utf8 = "typ;NR;Sender;kanalname;SATELLIT;onid;Tsid;sid;FAVORIT\n"
                             "TV;1;x;T\xC3\xA9l\xC3\xA9 5;0,8 W;70;14;7;3\n"
                             "Radio;2;x;Bayern 3;19.2\xC2\xB0"
                             "E;1;1019;28400;\n"
                             "TV;3;x;\xC3\x96sterreich;13e;1;2;3;0\n";
    const std::string cp1252 = "typ;NR;Sender;kanalname;SATELLIT;onid;Tsid;sid;FAVORIT\r\n"
                               "TV;1;x;T\xE9l\xE9 5;0,8 W;70;14;7;3\r\n"
                               "Radio;2;x;Bayern 3;19.2\xB0"
                               "E;1;1019;28400;\r\n"
                               "TV;3;x;\xD6sterreich;13e;1;2;3;0\r\n";
    const std::string commas = "typ,NR,Sender,kanalname,SATELLIT,onid,Tsid,sid,FAVORIT\r\n"
                               "TV,1,x,T\xC3\xA9l\xC3\xA9 5,\"0,8 W\",70,14,7,3\r\n"
                               "\"Radio\",\"2\",x,Bayern 3,19.2\xC2\xB0"
                               "E,1,1019,28400,\r\n"
                               "TV,3,x,\xC3\x96sterreich,13e,1,2,3,0\r\n";
    std::string tabs = utf8;
    for (char& c : tabs) {
        c = c == ';' ? '\t' : c;
    }
    // UTF-16LE of the UTF-8 text (all of it in the basic plane).
    std::string utf16 = "\xFF\xFE";
    for (char32_t c : std::u32string{U"typ\tNR\tkanalname\tSATELLIT\tonid\tTsid\tsid\tFAVORIT\r\n"
                                     U"TV\t1\tT\u00E9l\u00E9 5\t0,8 W\t70\t14\t7\t3\r\n"
                                     U"Radio\t2\tBayern 3\t19.2\u00B0E\t1\t1019\t28400\t\r\n"
                                     U"TV\t3\t\u00D6sterreich\t13e\t1\t2\t3\t0\r\n"}) {
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
    }
    for (const std::string& text : {utf8, std::string("\xEF\xBB\xBF") + utf8, cp1252, commas, tabs, utf16}) {
        ReferenceList list;
        ASSERT_EQ(Parse(text, list), ReferenceListStatus::Ok) << text;
        ASSERT_EQ(NamesOf(list),
                  (std::vector<std::string>{"T\xC3\xA9l\xC3\xA9 5", "Bayern 3", "\xC3\x96sterreich"}))
            << text;
        const ReferenceLine& tele = list.lines[0];
        EXPECT_TRUE(tele.hasPosition && tele.position == 8 && tele.west) << text;
        EXPECT_EQ(tele.sid, 7) << text;
        EXPECT_EQ(tele.favourite, 3) << text;
        EXPECT_TRUE(list.lines[1].radio && list.lines[1].number == 2 && list.lines[1].position == 192) << text;
        EXPECT_EQ(list.lines[1].favourite, -1) << "an empty Favorit keeps the group";
        EXPECT_TRUE(list.lines[2].hasPosition && list.lines[2].position == 130 && !list.lines[2].west) << text;
        EXPECT_EQ(list.lines[2].lineNumber, 4) << text;
    }
}

TEST(ReferenceListFile, QuotesMayHoldSeparatorsQuotesAndLineBreaks)
{
    const std::string text = "Nr;Typ;Kanalname;SID\r\n"
                             "\"1\";\"TV\";\"Eins; \"\"Zwei\"\"\";\"7\"\r\n"
                             "2;TV;\"Zeilen\r\numbruch\";8\r\n"
                             "3;TV; \"Leer davor\" ;9\r\n"
                             "4;TV;Mit \"Zoll\";10\r\n"
                             "5;TV;\"offen;11\r\n"
                             "6;TV;verschluckt;12\r\n";
    ReferenceList list;
    ASSERT_EQ(Parse(text, list), ReferenceListStatus::Ok);
    EXPECT_EQ(NamesOf(list),
              (std::vector<std::string>{"Eins; \"Zwei\"", "Zeilen\r\numbruch", "Leer davor", "Mit \"Zoll\""}));
    EXPECT_EQ(list.lines[0].sid, 7);
    // Line numbers count the line break inside the quotes.
    EXPECT_EQ(list.lines[2].lineNumber, 5);
    EXPECT_EQ(list.lines[3].lineNumber, 6);
    // A quote that never closes takes the rest of the file with it; the
    // line is reported rather than read with a field that runs to the end.
    ASSERT_EQ(list.unreadable.size(), 1u);
    EXPECT_EQ(list.unreadable[0].lineNumber, 7);
    EXPECT_EQ(list.unreadable[0].reason,
              "das Anführungszeichen aus Zeile 7 wird nicht geschlossen; es reicht über 2 Zeilen bis zum Ende der "
              "Datei");
    // Where it opened, when the record started earlier, and the last line without a line end.
    ASSERT_EQ(Parse("Nr;Typ;Kanalname\n1;TV;a\n2;\"TV\n\";\"b\nc\nd", list), ReferenceListStatus::Ok);
    ASSERT_EQ(list.unreadable.size(), 1u);
    EXPECT_EQ(list.unreadable[0].lineNumber, 3);
    EXPECT_EQ(list.unreadable[0].reason,
              "das Anführungszeichen aus Zeile 4 wird nicht geschlossen; es reicht über 3 Zeilen bis zum Ende der "
              "Datei");
}

TEST(ReferenceListFile, ASecondMarkIsSkippedAndANumberTooLargeIsCalledSo)
{
    ReferenceList list;
    ASSERT_EQ(Parse("\xEF\xBB\xBF\xEF\xBB\xBFNr;Typ;SID\r\n1;TV;5\r\n18446744073709551616;TV;6\r\n"
                    "18446744073709551615;TV;7\r\n",
                    list),
              ReferenceListStatus::Ok);
    ASSERT_EQ(list.lines.size(), 2u);
    EXPECT_EQ(list.lines[1].number, 18446744073709551615u);
    ASSERT_EQ(list.unreadable.size(), 1u);
    EXPECT_EQ(list.unreadable[0].reason, "Nr \"18446744073709551616\" ist zu groß");
}

TEST(ReferenceListFile, OfAFloodOfUnreadableLinesOnlyTheFirstAreKept)
{
    std::string text = "Nr;Typ;SID\n";
    for (int i = 0; i < 2500; ++i) {
        text += "x\n";
    }
    ReferenceList list;
    ASSERT_EQ(Parse(text, list), ReferenceListStatus::Ok);
    ASSERT_EQ(list.unreadable.size(), kMaxReportedLines);
    EXPECT_EQ(list.unreadable.back().lineNumber, 1001);
    EXPECT_EQ(list.unreadableOmitted, 1500u);
}

TEST(ReferenceListFile, FilesWithoutTheRequiredColumnsOrWithoutTextAreRefused)
{
    ReferenceList list;
    std::string message;
    EXPECT_EQ(Parse("Nr;Kanalname;SID\r\n1;ZDF;5\r\n", list, &message), ReferenceListStatus::MissingColumns);
    EXPECT_EQ(message, "In der Referenzliste fehlen Spalten: Typ.\n"
                       "Nötig sind die Spalten Typ und SID oder Kanalname.");
    EXPECT_TRUE(list.lines.empty());
    EXPECT_EQ(Parse("Typ,Satellit,ONID\nTV,19.2E,1\n", list, &message), ReferenceListStatus::MissingColumns);
    EXPECT_EQ(message, "In der Referenzliste fehlen Spalten: SID oder Kanalname.\n"
                       "Nötig sind die Spalten Typ und SID oder Kanalname.");
    // A header whose only separator is a comma inside a name is still ';'.
    EXPECT_EQ(Parse("Nr;Typ;Kanalname\n1;TV;Eins, Zwei\n", list), ReferenceListStatus::Ok);
    EXPECT_EQ(NamesOf(list), std::vector<std::string>{"Eins, Zwei"});
    // SID alone or the name alone is enough to find channels.
    EXPECT_EQ(Parse("Nr\tTyp\tSID\n1\tTV\t5\n", list), ReferenceListStatus::Ok);
    // Nr is optional: the lines then keep their file order.
    EXPECT_EQ(Parse("Typ;SID\nTV;5\n", list), ReferenceListStatus::Ok);
    EXPECT_TRUE(!list.hasNumbers && list.lines.size() == 1 && list.lines[0].number == 0);
    EXPECT_EQ(Parse("\r\n\r\nNr,Typ,Kanalname\r\n", list), ReferenceListStatus::Ok);
    EXPECT_TRUE(list.lines.empty() && list.unreadable.empty());

    EXPECT_EQ(Parse("", list, &message), ReferenceListStatus::NoHeader);
    EXPECT_EQ(message, "Die Referenzliste ist leer: es fehlt die Kopfzeile mit den Spaltennamen.");
    EXPECT_EQ(Parse(" \r\n\n", list), ReferenceListStatus::NoHeader);
    // A database picked by mistake: binary bytes.
    const Bytes ndb = MakeSmallDatabase().Build();
    EXPECT_EQ(ParseReferenceList(ndb.data(), ndb.size(), list, message), ReferenceListStatus::NotText);
    EXPECT_EQ(message, "Die Datei ist keine Referenzliste: sie enthält keinen Text.");
    std::string withZero = "Nr;Typ;SID\n1;TV;";
    withZero += '\0';
    EXPECT_EQ(Parse(withZero + "5\n", list), ReferenceListStatus::NotText);
}

TEST(ReferenceListFile, UnreadableLinesAreKeptWithTheirLineNumberAndReason)
{
    const std::string text = "Nr;Typ;Kanalname;Satellit;ONID;TSID;SID;Favorit\n"
                             "1;Fernsehen;A;;;;;\n"
                             "0;TV;B;;;;;\n"
                             "\n"
                             ";;;;;;;\n"
                             "-3;radio;C;;;;;\n"
                             " 4 ; tv ;D;19.2X;70000;x;65535;9\n"
                             "12a;TV;E\n";
    ReferenceList list;
    ASSERT_EQ(Parse(text, list), ReferenceListStatus::Ok);
    ASSERT_EQ(list.lines.size(), 1u);
    // Fields with values that cannot be meant are left out, the line stays.
    const ReferenceLine& d = list.lines[0];
    EXPECT_EQ(d.number, 4u);
    EXPECT_EQ(d.lineNumber, 7);
    EXPECT_FALSE(d.hasPosition || d.hasOnid || d.hasTsid);
    EXPECT_TRUE(d.hasSid && d.sid == 65535);
    EXPECT_EQ(d.favourite, -1);
    ASSERT_EQ(list.unreadable.size(), 4u);
    EXPECT_EQ(list.unreadable[0].lineNumber, 2);
    EXPECT_EQ(list.unreadable[0].reason, "Typ \"Fernsehen\" ist weder TV noch Radio");
    EXPECT_EQ(list.unreadable[1].lineNumber, 3);
    EXPECT_EQ(list.unreadable[1].reason, "Nr \"0\" ist keine positive Zahl");
    EXPECT_EQ(list.unreadable[1].name, "B");
    EXPECT_EQ(list.unreadable[2].lineNumber, 6);
    EXPECT_EQ(list.unreadable[2].reason, "Nr \"-3\" ist keine positive Zahl");
    EXPECT_EQ(list.unreadable[3].lineNumber, 8);
    EXPECT_EQ(list.unreadable[3].number, "12a");
}
