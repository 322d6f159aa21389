// The About box's scrambled texts, their lines and the animation steps.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "document/AboutText.h"

namespace {
const uint8_t kTestKey[kAboutKeyLength] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 250};
}

TEST(AboutTextTest, DescramblingSubtractsTheKeyCyclically)
{
    const std::string plain = "Zwanzig Zeichen Text"; // 20 bytes: the key restarts at byte 15
    std::vector<uint8_t> stored;
    for (size_t i = 0; i < plain.size(); ++i) {
        stored.push_back(static_cast<uint8_t>(static_cast<uint8_t>(plain[i]) + kTestKey[i % 15]));
    }
    stored.push_back(kTestKey[plain.size() % 15]); // the closing zero
    EXPECT_EQ(DescrambleText(stored.data(), stored.size(), kTestKey), plain);
    // Byte 14 wraps around: 'n' (110) + 250 is stored as 104.
    EXPECT_EQ(stored[14], 104);
    EXPECT_EQ(ScrambleText(plain, kTestKey), stored);
}

TEST(AboutTextTest, TheTextEndsAtItsFirstZero)
{
    std::vector<uint8_t> stored = ScrambleText("Hallo", kTestKey);
    const std::vector<uint8_t> more = ScrambleText("Welt", kTestKey);
    stored.insert(stored.end(), more.begin(), more.end());
    EXPECT_EQ(DescrambleText(stored.data(), stored.size(), kTestKey), "Hallo");
    // Without a zero the whole data is text.
    EXPECT_EQ(DescrambleText(stored.data(), 3, kTestKey), "Hal");
}

TEST(AboutTextTest, StoredTextsAreScrambledAndDecodeToGerman)
{
    const std::vector<uint8_t>& stored = StoredCreditsText();
    const std::string raw(stored.begin(), stored.end());
    EXPECT_EQ(raw.find("VandrelEdit"), std::string::npos) << "not readable in the program";
    const std::string credits = AboutCreditsText();
    EXPECT_NE(credits.find("VandrelEdit2028"), std::string::npos);
    EXPECT_NE(credits.find("für"), std::string::npos) << "Windows-1252 turned to UTF-8";
    EXPECT_EQ(DescrambleText(stored.data(), stored.size(), AboutKey()).size() + 1, stored.size())
        << "the closing zero is stored too";

    const std::string dialog = AboutDialogText();
    EXPECT_FALSE(dialog.empty());
    const std::vector<uint8_t>& dialogStored = StoredDialogText();
    EXPECT_NE(std::string(dialogStored.begin(), dialogStored.end() - 1), dialog);
}

TEST(AboutTextTest, CreditsHaveHeadingsEmphasisAndPlainLines)
{
    const std::vector<AboutLine> lines = SplitAboutLines(AboutCreditsText());
    int headings = 0, emphasised = 0, plain = 0;
    for (const AboutLine& l : lines) {
        headings += l.kind == AboutLineKind::Heading;
        emphasised += l.kind == AboutLineKind::Emphasised;
        plain += l.kind == AboutLineKind::Plain;
        EXPECT_EQ(l.text.find_first_of("\t\r\n"), std::string::npos) << l.text;
    }
    EXPECT_GE(headings, 2);
    EXPECT_GE(emphasised, 2);
    EXPECT_GE(plain, 2);
    EXPECT_EQ(lines.front().kind, AboutLineKind::Heading);
    EXPECT_EQ(lines.front().text, "VandrelEdit2028");
    // Headings are 20 pixels high, the rest 15: the lines fit the 283-pixel
    // picture even with generous line spacing.
    EXPECT_LE(headings * 24 + (emphasised + plain) * 18, CAboutAnimation::kTextHeight);
}

TEST(AboutTextTest, LineMarkers)
{
    const std::vector<AboutLine> lines = SplitAboutLines("\tKopf\n\rBetont\nNormal\n\nx\ty");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].kind, AboutLineKind::Heading);
    EXPECT_EQ(lines[0].text, "Kopf");
    EXPECT_EQ(lines[1].kind, AboutLineKind::Emphasised);
    EXPECT_EQ(lines[1].text, "Betont");
    EXPECT_EQ(lines[2].kind, AboutLineKind::Plain);
    EXPECT_EQ(lines[2].text, "Normal");
    EXPECT_EQ(lines[3].text, "");
    EXPECT_EQ(lines[4].kind, AboutLineKind::Plain) << "only a leading tab marks a heading";
    EXPECT_EQ(lines[4].text, "x\ty");
}

TEST(AboutTextTest, OffsetsMoveAndRestart)
{
    // The banner starts in view; the text starts at the bottom.
    CAboutAnimation a(100, 50, 40, 10);
    EXPECT_EQ(a.OffsetX(), 0);
    EXPECT_EQ(a.OffsetY(), 0);
    EXPECT_EQ(a.TextY(), 50);
    a.Advance();
    EXPECT_EQ(a.OffsetX(), 2);
    EXPECT_EQ(a.OffsetY(), 1);
    EXPECT_EQ(a.TextY(), 49);
    // y passes 50 after 51 ticks and restarts at minus the banner height.
    CAboutAnimation b(100, 50, 40, 10);
    for (int i = 0; i < 50; ++i) {
        b.Advance();
    }
    EXPECT_EQ(b.OffsetY(), 50);
    EXPECT_EQ(b.OffsetX(), 100);
    b.Advance();
    EXPECT_EQ(b.OffsetY(), -10);
    // x passes 100 at the same tick (2 * 51 = 102) and restarts at minus
    // half the banner width; from there it takes 61 ticks to pass again.
    EXPECT_EQ(b.OffsetX(), -20);
    for (int i = 0; i < 60; ++i) {
        b.Advance();
    }
    EXPECT_EQ(b.OffsetX(), 100);
    b.Advance();
    EXPECT_EQ(b.OffsetX(), -20);
    // The text moves out at the top after 50 + 283 ticks and comes back at the bottom.
    CAboutAnimation c(100, 50, 40, 10);
    for (int i = 0; i < 50 + CAboutAnimation::kTextHeight; ++i) {
        c.Advance();
    }
    EXPECT_EQ(c.TextY(), -CAboutAnimation::kTextHeight);
    c.Advance();
    EXPECT_EQ(c.TextY(), 50);
}

TEST(AboutTextTest, PhasesAndTheStepOfTheWave)
{
    CAboutAnimation a(700, 283, 300, 40);
    const double step = CAboutAnimation::kInitialStep;
    ASSERT_LT(step, 0) << "the wave starts backwards, so the step turns once";
    a.Advance();
    EXPECT_DOUBLE_EQ(a.PhaseA(), step / 2);
    EXPECT_DOUBLE_EQ(a.PhaseB(), step * 2);
    // Phase A falls by |step| / 2 per tick until it is below -179.
    int ticks = 1;
    while (a.Step() == step && ticks < 10000) {
        a.Advance();
        ++ticks;
    }
    EXPECT_LT(a.PhaseA(), -179);
    EXPECT_GE(a.PhaseA(), -179 + step / 2);
    EXPECT_DOUBLE_EQ(a.Step(), -step);
    const double turnedAt = a.PhaseA();
    a.Advance();
    EXPECT_DOUBLE_EQ(a.PhaseA(), turnedAt - step / 2) << "now rising";
    // Rising, A restarts at 0 when it reaches 360; B likewise.
    bool sawARestart = false, sawBRestart = false;
    double lastA = a.PhaseA(), lastB = a.PhaseB();
    for (int i = 0; i < 5000; ++i) {
        a.Advance();
        sawARestart = sawARestart || (a.PhaseA() < lastA);
        sawBRestart = sawBRestart || (a.PhaseB() < lastB);
        EXPECT_LT(a.PhaseA(), 360);
        EXPECT_LT(a.PhaseB(), 360);
        lastA = a.PhaseA();
        lastB = a.PhaseB();
    }
    EXPECT_TRUE(sawARestart);
    EXPECT_TRUE(sawBRestart);
    EXPECT_DOUBLE_EQ(a.Step(), -step) << "a rising phase never turns the step again";
}

TEST(AboutTextTest, BannerColumnsFollowTheWave)
{
    CAboutAnimation a(700, 283, 340, 40);
    // Phases 0: column 0 lies a quarter of 340 / 4.25 = 80 right of the offset.
    EXPECT_DOUBLE_EQ(a.ColumnX(0), 80 + a.OffsetX());
    EXPECT_NEAR(a.ColumnX(90), a.OffsetX(), 1e-9);
    EXPECT_DOUBLE_EQ(a.ColumnY(0), 2.5 + a.OffsetY());
    EXPECT_NEAR(a.ColumnY(90), 12.5 + a.OffsetY(), 1e-9);
    EXPECT_NEAR(a.ColumnY(270), -7.5 + a.OffsetY(), 1e-9);
    a.Advance();
    // After one tick the phases and offsets have moved: column i now reads
    // the wave at i + phase.
    EXPECT_NEAR(a.ColumnX(0), std::cos(a.PhaseA() * 3.14159265358979323846 / 180) * 80 + a.OffsetX(), 1e-9);
    EXPECT_NEAR(a.ColumnY(10), std::sin((10 + a.PhaseB()) * 3.14159265358979323846 / 180) * 10 + 2.5 + a.OffsetY(),
                1e-9);
}
