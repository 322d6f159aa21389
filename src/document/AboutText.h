#pragma once
// The About box's texts, kept scrambled in the program, and the arithmetic
// of its animation.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr size_t kAboutKeyLength = 15;

// Subtracts the key, reused cyclically from its start, from every byte and
// cuts the result at its first zero byte. The result is narrow text
// (Windows-1252).
std::string DescrambleText(const uint8_t* data, size_t size, const uint8_t* key);
// The inverse, for making the stored bytes: adds the key, including the
// closing zero.
std::vector<uint8_t> ScrambleText(const std::string& narrow, const uint8_t* key);

// The program's key and its two stored texts.
const uint8_t* AboutKey();
const std::vector<uint8_t>& StoredCreditsText();
const std::vector<uint8_t>& StoredDialogText();
// Decoded and converted to UTF-8.
std::string AboutCreditsText();
std::string AboutDialogText();

enum class AboutLineKind { Heading, Emphasised, Plain };
struct AboutLine {
    AboutLineKind kind = AboutLineKind::Plain;
    std::string text; // without the marker character
};
// Lines are separated by line feeds; a leading tab marks a heading, a
// leading carriage return an emphasised line.
std::vector<AboutLine> SplitAboutLines(const std::string& text);

// The moving parts of the animated control, advanced once per 40 ms tick.
class CAboutAnimation {
public:
    static constexpr int kTickMs = 40;
    static constexpr int kTextX = 94;
    static constexpr int kTextWidth = 700;
    static constexpr int kTextHeight = 283;
    static constexpr double kInitialStep = -2.0;

    CAboutAnimation(int width, int height, int bannerWidth, int bannerHeight);

    // Displacement of banner column i, before the tick's advance.
    double ColumnX(int column) const;
    double ColumnY(int column) const;
    int TextY() const { return m_nTextY; }

    // The end of a tick: offsets, text position and phases move on.
    void Advance();

    int OffsetX() const { return m_nOffsetX; }
    int OffsetY() const { return m_nOffsetY; }
    double PhaseA() const { return m_dPhaseA; }
    double PhaseB() const { return m_dPhaseB; }
    double Step() const { return m_dStep; }

private:
    int m_nWidth;
    int m_nHeight;
    int m_nBannerWidth;
    int m_nBannerHeight;
    int m_nOffsetX;
    int m_nOffsetY;
    int m_nTextY;
    double m_dPhaseA = 0;
    double m_dPhaseB = 0;
    double m_dStep = kInitialStep;
};
