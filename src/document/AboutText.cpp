#include "AboutText.h"

#include <cmath>

#include "BuildInfo.h"
#include "model/TextCodec.h"

namespace {

constexpr uint8_t kKey[kAboutKeyLength] = {0x3A, 0x91, 0x17, 0xC4, 0x5E, 0x08, 0xB3, 0x6D,
                                           0xF2, 0x29, 0x84, 0x1B, 0xE7, 0x50, 0xA6};

template <size_t N> struct ScrambledBytes {
    uint8_t bytes[N]{};
};

// Scrambled while compiling: the program holds only the scrambled bytes.
template <size_t N> constexpr ScrambledBytes<N> Scramble(const char (&text)[N])
{
    ScrambledBytes<N> s{};
    for (size_t i = 0; i < N; ++i) {
        s.bytes[i] = static_cast<uint8_t>(static_cast<uint8_t>(text[i]) + kKey[i % kAboutKeyLength]);
    }
    return s;
}

// Windows-1252, so umlauts are written as escapes.
constexpr auto kCredits = Scramble("\tVandrelEdit2028\n"
                                   "\rDer Kanallisten-Editor f\xFC"
                                   "r den Rudevoz SF 2028\n"
                                   "Version " VE_VERSION "\n"
                                   "\n"
                                   "\tEntwicklung\n"
                                   "\rMorvanta Software\n"
                                   "Datenbankformat, Oberfl\xE4"
                                   "che und Druck\n"
                                   "\n"
                                   "\tDank\n"
                                   "\rAllen, die Kanallisten getestet haben,\n"
                                   "f\xFC"
                                   "r Hinweise, Fehlerberichte und Geduld.\n"
                                   "\n"
                                   "Viel Freude beim Sortieren!");

constexpr auto kDialogText = Scramble("Rudevoz SF 2028");

template <size_t N> std::vector<uint8_t> ToVector(const ScrambledBytes<N>& s)
{
    return std::vector<uint8_t>(s.bytes, s.bytes + N);
}

std::string ToUtf8(const std::string& narrow)
{
    return ve::DecodeFixed(reinterpret_cast<const uint8_t*>(narrow.data()), narrow.size(),
                           ve::CodePage::Windows1252);
}

constexpr double kPi = 3.14159265358979323846;

} // namespace

std::string DescrambleText(const uint8_t* data, size_t size, const uint8_t* key)
{
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        const auto c = static_cast<uint8_t>(data[i] - key[i % kAboutKeyLength]);
        if (c == 0) {
            break;
        }
        text.push_back(static_cast<char>(c));
    }
    return text;
}

std::vector<uint8_t> ScrambleText(const std::string& narrow, const uint8_t* key)
{
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i <= narrow.size(); ++i) {
        const uint8_t c = i < narrow.size() ? static_cast<uint8_t>(narrow[i]) : 0;
        bytes.push_back(static_cast<uint8_t>(c + key[i % kAboutKeyLength]));
    }
    return bytes;
}

const uint8_t* AboutKey()
{
    return kKey;
}

const std::vector<uint8_t>& StoredCreditsText()
{
    static const std::vector<uint8_t> bytes = ToVector(kCredits);
    return bytes;
}

const std::vector<uint8_t>& StoredDialogText()
{
    static const std::vector<uint8_t> bytes = ToVector(kDialogText);
    return bytes;
}

std::string AboutCreditsText()
{
    const std::vector<uint8_t>& s = StoredCreditsText();
    return ToUtf8(DescrambleText(s.data(), s.size(), kKey));
}

std::string AboutDialogText()
{
    const std::vector<uint8_t>& s = StoredDialogText();
    return ToUtf8(DescrambleText(s.data(), s.size(), kKey));
}

std::vector<AboutLine> SplitAboutLines(const std::string& text)
{
    std::vector<AboutLine> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        AboutLine l;
        if (!line.empty() && line[0] == '\t') {
            l.kind = AboutLineKind::Heading;
            line.erase(0, 1);
        } else if (!line.empty() && line[0] == '\r') {
            l.kind = AboutLineKind::Emphasised;
            line.erase(0, 1);
        }
        l.text = std::move(line);
        lines.push_back(std::move(l));
        start = end + 1;
    }
    return lines;
}

CAboutAnimation::CAboutAnimation(int width, int height, int bannerWidth, int bannerHeight)
    : m_nWidth(width), m_nHeight(height), m_nBannerWidth(bannerWidth), m_nBannerHeight(bannerHeight),
      m_nOffsetX(0), m_nOffsetY(0), m_nTextY(height)
{
    // The banner starts in view at the top left; after its first pass it
    // comes in again from outside the control.
}

double CAboutAnimation::ColumnX(int column) const
{
    return std::cos((column + m_dPhaseA) * kPi / 180.0) * (m_nBannerWidth / 4.25) + m_nOffsetX;
}

double CAboutAnimation::ColumnY(int column) const
{
    return std::sin((column + m_dPhaseB) * kPi / 180.0) * 10 + 2.5 + m_nOffsetY;
}

void CAboutAnimation::Advance()
{
    m_nOffsetX += 2;
    if (m_nOffsetX > m_nWidth) {
        m_nOffsetX = -m_nBannerWidth / 2;
    }
    m_nOffsetY += 1;
    if (m_nOffsetY > m_nHeight) {
        m_nOffsetY = -m_nBannerHeight;
    }
    m_nTextY -= 1;
    if (m_nTextY < -kTextHeight) {
        m_nTextY = m_nHeight;
    }
    m_dPhaseA += m_dStep / 2;
    m_dPhaseB += m_dStep * 2;
    if (m_dPhaseA >= 360) {
        m_dPhaseA = 0;
    }
    if (m_dPhaseA < -179) {
        m_dStep = -m_dStep;
    }
    if (m_dPhaseB >= 360) {
        m_dPhaseB = 0;
    }
}
