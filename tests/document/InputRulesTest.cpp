// What the pane rows and the group rename accept while the user types, and
// the texts that tell the user why something is refused.
#include <gtest/gtest.h>

#include "document/InputRules.h"
#include "document/PaneRows.h"

namespace {
const std::string kEuro = "\xE2\x82\xAC";
const std::string kZhe = "\xD0\x96";
const std::string kACircumflex = "\xC3\x82";

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}
} // namespace

TEST(InputRules, ServiceNamesAndProvidersHoldWhatIso88591Holds)
{
    const InputRule name = ChannelRowRule(panerow::kName);
    EXPECT_EQ(CheckInput(name, "Kanalname", std::string(19, 'A')).verdict, InputVerdict::Accepted);
    EXPECT_EQ(CheckInput(name, "Kanalname", "Arte \xC3\xA9t\xC3\xA9 \xC3\x9C").verdict, InputVerdict::Accepted);
    EXPECT_EQ(CheckInput(name, "Kanalname", "").verdict, InputVerdict::Accepted);
    // Characters are counted, not bytes.
    EXPECT_EQ(CheckInput(name, "Kanalname", "T\xC3\xA9l\xC3\xA9 5 Monde Europe").verdict, InputVerdict::Accepted);

    const InputCheck tooLong = CheckInput(name, "Kanalname", std::string(26, 'A'));
    EXPECT_EQ(tooLong.verdict, InputVerdict::Refused);
    EXPECT_EQ(tooLong.message, "\xE2\x80\x9EKanalname\xE2\x80\x9C fasst h\xC3\xB6"
                               "chstens 19 Zeichen.");

    // U+00C2 is dropped by the record's text setter; U+0085 is a control character.
    for (const std::string& c : {kEuro, kZhe, kACircumflex, std::string("\t"), std::string("\xC2\x85")}) {
        const InputCheck check = CheckInput(name, "Kanalname", "ARD " + c);
        EXPECT_EQ(check.verdict, InputVerdict::Refused) << c;
        EXPECT_TRUE(Contains(check.message, "ISO-8859-1")) << check.message;
    }
    EXPECT_TRUE(Contains(CheckInput(name, "Kanalname", kEuro).message, "\xE2\x80\x9E" + kEuro + "\xE2\x80\x9C"));
    EXPECT_TRUE(Contains(CheckInput(name, "Kanalname", "\t").message, "U+0009"));

    const InputRule provider = ChannelRowRule(panerow::kProvider);
    EXPECT_EQ(CheckInput(provider, "Provider", std::string(11, 'p')).verdict, InputVerdict::Accepted);
    EXPECT_EQ(CheckInput(provider, "Provider", std::string(12, 'p')).verdict, InputVerdict::Refused);
}

TEST(InputRules, GroupNamesHoldWindows1252AndAreNeverEmpty)
{
    const InputRule group = GroupNameRule();
    EXPECT_EQ(CheckInput(group, "Name", "Pay-TV " + kEuro).verdict, InputVerdict::Accepted);
    EXPECT_EQ(CheckInput(group, "Name", std::string(19, 'g')).verdict, InputVerdict::Accepted);
    EXPECT_EQ(CheckInput(group, "Name", std::string(20, 'g')).verdict, InputVerdict::Refused);
    EXPECT_EQ(CheckInput(group, "Name", kZhe).verdict, InputVerdict::Refused);
    const InputCheck empty = CheckInput(group, "Name", "");
    EXPECT_EQ(empty.verdict, InputVerdict::Incomplete);
    EXPECT_TRUE(Contains(empty.message, "nicht leer")) << empty.message;
}

TEST(InputRules, NumberRowsTakeTheirFieldsRangeOnly)
{
    const InputRule serviceId = ChannelRowRule(panerow::kServiceId);
    const InputRule pid = ChannelRowRule(panerow::kVideoPid);
    EXPECT_EQ(NumberOf(serviceId, "65535"), uint16_t{65535});
    EXPECT_EQ(NumberOf(serviceId, "007"), uint16_t{7});
    EXPECT_EQ(NumberOf(pid, "8191"), uint16_t{8191});
    for (const char* text : {"65536", "70000", "99999", "123456", "12a", "-1", " 1", ""}) {
        EXPECT_FALSE(NumberOf(serviceId, text).has_value()) << text;
    }
    for (const char* text : {"8192", "9999", ""}) {
        EXPECT_FALSE(NumberOf(pid, text).has_value()) << text;
    }

    // Digits out of range stay in the field as typed but are never stored.
    const InputCheck wrapped = CheckInput(serviceId, "Service ID", "70000");
    EXPECT_EQ(wrapped.verdict, InputVerdict::Incomplete);
    EXPECT_EQ(CheckInput(serviceId, "Service ID", "12345678901234567890").verdict, InputVerdict::Incomplete);
    EXPECT_EQ(CheckInput(serviceId, "Service ID", "7a").verdict, InputVerdict::Refused);
    EXPECT_EQ(wrapped.message, "\xE2\x80\x9EService ID\xE2\x80\x9C nimmt nur ganze Zahlen von 0 bis 65535 an.");
    EXPECT_TRUE(Contains(CheckInput(pid, "PMT PId", "8192").message, "0 bis 8191"));
    // An empty number may stand while typing but is never stored as 0.
    EXPECT_EQ(CheckInput(pid, "PMT PId", "").verdict, InputVerdict::Incomplete);

    for (int id : {panerow::kTpFrequency, panerow::kTpSymbolRate, panerow::kTpTpId, panerow::kTpOrgNetId}) {
        EXPECT_EQ(NumberOf(TransponderRowRule(id), "65535"), uint16_t{65535}) << id;
        EXPECT_FALSE(NumberOf(TransponderRowRule(id), "65536").has_value()) << id;
    }
    // Row 24 is a PID in the channel pane and "OrgNetId" in the transponder pane.
    EXPECT_EQ(NumberOf(TransponderRowRule(24), "9000"), uint16_t{9000});
}

TEST(InputRules, AStoredValueThatBreaksTheRuleStaysCorrectable)
{
    const InputRule name = ServiceNameRule();
    const std::string stored(20, 'N'); // a full name field has no terminator
    EXPECT_EQ(CheckInputChange(name, "Kanalname", stored, std::string(19, 'N') + "X").verdict,
              InputVerdict::Incomplete);
    EXPECT_EQ(CheckInputChange(name, "Kanalname", stored, stored + "X").verdict, InputVerdict::Refused);
    EXPECT_EQ(CheckInputChange(name, "Kanalname", stored, std::string(19, 'N')).verdict, InputVerdict::Accepted);

    const std::string mojibake = "Sat" + kACircumflex + "\xC2\xB0"; // "SatÂ°"
    EXPECT_EQ(CheckInputChange(name, "Kanalname", mojibake, "Sbt" + kACircumflex + "\xC2\xB0").verdict,
              InputVerdict::Incomplete);
    EXPECT_EQ(CheckInputChange(name, "Kanalname", mojibake, "Sa" + kEuro + kACircumflex + "\xC2\xB0").verdict,
              InputVerdict::Refused);
    EXPECT_EQ(CheckInputChange(name, "Kanalname", mojibake, "Sat\xC2\xB0").verdict, InputVerdict::Accepted);

    const InputRule pid = ChannelRowRule(panerow::kPcrPid);
    EXPECT_EQ(CheckInputChange(pid, "PCR PId", "9000", "9001").verdict, InputVerdict::Incomplete);
    EXPECT_EQ(CheckInputChange(pid, "PCR PId", "9000", "900").verdict, InputVerdict::Accepted);
    EXPECT_EQ(CheckInputChange(pid, "PCR PId", "9000", "90001").verdict, InputVerdict::Incomplete);
    EXPECT_EQ(CheckInputChange(pid, "PCR PId", "9000", "9000x").verdict, InputVerdict::Refused);
    // A valid start gives no leeway for letters.
    EXPECT_EQ(CheckInputChange(pid, "PCR PId", "100", "100x").verdict, InputVerdict::Refused);
}

TEST(InputRules, EveryTypedRowStatesItsRule)
{
    EXPECT_EQ(DescribeRule(ChannelRowRule(panerow::kName)),
              "H\xC3\xB6"
              "chstens 19 Zeichen im Zeichensatz ISO-8859-1 (Westeurop\xC3\xA4isch).");
    EXPECT_TRUE(Contains(DescribeRule(ChannelRowRule(panerow::kProvider)), "11 Zeichen"));
    EXPECT_EQ(DescribeRule(ChannelRowRule(panerow::kPmtPid)), "Ganze Zahl von 0 bis 8191.");
    EXPECT_EQ(DescribeRule(TransponderRowRule(panerow::kTpSymbolRate)), "Ganze Zahl von 0 bis 65535.");
    EXPECT_TRUE(Contains(DescribeRule(GroupNameRule()), "Windows-1252"));
    EXPECT_EQ(DescribeRule(ChannelRowRule(panerow::kLocked)), "");
}
