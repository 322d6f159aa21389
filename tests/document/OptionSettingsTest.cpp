// The tooltip entry of "AppOptionen" and the language choices of
// "Spracheinstellungen".
#include <gtest/gtest.h>

#include "document/OptionSettings.h"
#include "document/VandrelEdit2028Doc.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

TEST(OptionSettingsTest, TooltipEntryWhenThePageOpens)
{
    EXPECT_EQ(ToolTipEntryOf(0, 1), 2) << "tooltips off wins over descriptions";
    EXPECT_EQ(ToolTipEntryOf(0, 0), 2);
    EXPECT_EQ(ToolTipEntryOf(1, 1), 0);
    EXPECT_EQ(ToolTipEntryOf(1, 0), 1);
    EXPECT_STREQ(ToolTipEntryText(0), "Zeige die Eigenschaftsbeschreibungen in den Screentips.");
    EXPECT_STREQ(ToolTipEntryText(1), "Zeige nur die Screentips.");
    EXPECT_STREQ(ToolTipEntryText(2), "Keine Screentips anzeigen.");
}

TEST(OptionSettingsTest, TooltipEntryOnOk)
{
    EXPECT_EQ(ToolTipSettingsOf(0), (ToolTipSettings{1, 1}));
    EXPECT_EQ(ToolTipSettingsOf(1), (ToolTipSettings{1, 0}));
    EXPECT_EQ(ToolTipSettingsOf(2), (ToolTipSettings{0, 0}));
    // What OK stores opens the page with the same entry again.
    for (int entry = 0; entry < kToolTipEntryCount; ++entry) {
        const ToolTipSettings s = ToolTipSettingsOf(entry);
        EXPECT_EQ(ToolTipEntryOf(s.showToolTips, s.showToolTipDescr), entry);
    }
}

TEST(OptionSettingsTest, LanguageListsAreSortedByText)
{
    const auto osd = LanguageOptions(kLangOsd);
    ASSERT_EQ(osd.size(), 7u);
    std::vector<std::string> texts;
    std::vector<int> codes;
    for (const auto& o : osd) {
        texts.push_back(o.text);
        codes.push_back(o.value);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Deutsch", "English", "French", "Turkish", "unknown", "unknown",
                                               "Русский"}));
    EXPECT_EQ(codes, (std::vector<int>{3, 1, 2, 6, 0, 4, 5}));
    // Code 4 is the second "unknown".
    EXPECT_EQ(LanguageOptionIndex(osd, 4), 5);
    EXPECT_EQ(LanguageOptionIndex(osd, 0), 4);
    EXPECT_EQ(LanguageOptionIndex(osd, 25), -1);

    for (int field : {kLangAudio1, kLangAudio2, kLangSubtitle1, kLangSubtitle2}) {
        const auto track = LanguageOptions(field);
        ASSERT_EQ(track.size(), 20u);
        EXPECT_EQ(track.front().text, "Arabic");
        EXPECT_EQ(track[3].text, "Dansk");
        EXPECT_EQ(track[4].text, "Deutsch");
        EXPECT_EQ(track[4].value, 8);
        EXPECT_EQ(track.back().text, "Русский");
        EXPECT_EQ(track.back().value, 16);
        EXPECT_EQ(LanguageOptionIndex(track, 19), 18); // Turkish before Русский
    }
}

TEST(OptionSettingsTest, LabelsAndOffsets)
{
    const char* labels[] = {"OSD Sprache", "Erster Audio Kanal", "Zweiter Audio Kanal", "Erster DVB Untertitel",
                            "Zweiter DVB Untertitel"};
    const size_t offsets[] = {72, 248, 252, 256, 260};
    for (int f = 0; f < kLanguageFieldCount; ++f) {
        EXPECT_STREQ(LanguageFieldLabel(f), labels[f]);
        EXPECT_EQ(LanguageFieldOffset(f), offsets[f]);
    }
}

TEST(OptionSettingsTest, ChoicesAreStoredWhereMadeOnly)
{
    TestDatabase db = MakeSmallDatabase();
    PutU8(db.config.image, 248, 5);
    PutU8(db.config.image, 252, 25); // no entry
    PutU8(db.config.image, 256, 19);
    PutU8(db.config.image, 260, 0);
    CVandrelEdit2028Doc doc;
    const Bytes file = db.Build();
    ASSERT_EQ(doc.Load(file.data(), file.size()), LoadStatus::Loaded);
    CConfigurationData& config = doc.m_configuration;
    EXPECT_EQ(StoredLanguageCodes(config), (LanguageChoice{3, 5, 25, 19, 0}));
    const uint8_t after = config.m_image[249];

    EXPECT_FALSE(ApplyLanguageChoice(config, LanguageChoice{3, 5, -1, 19, 0})) << "nothing differs";
    EXPECT_TRUE(ApplyLanguageChoice(config, LanguageChoice{4, -1, -1, 7, -1}));
    EXPECT_EQ(config.GetOsdLanguage(), 4);
    EXPECT_EQ(StoredLanguageCodes(config), (LanguageChoice{4, 5, 25, 7, 0}));
    EXPECT_EQ(config.m_image[249], after) << "the bytes after a code stay";
}
