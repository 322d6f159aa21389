#include "ChannelSearch.h"

#include <cstdint>

#include "ExchangeMessages.h"
#include "VandrelEdit2028Doc.h"
#include "model/TextCodec.h"

namespace {

std::string FoldAsciiUpper(const std::string& text)
{
    std::string folded = text;
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

} // namespace

bool SearchTextMatches(const std::string& name, const std::string& text)
{
    // Folding only ASCII letters leaves every UTF-8 sequence intact, so a
    // byte-wise substring search finds whole characters only.
    return FoldAsciiUpper(name).find(FoldAsciiUpper(text)) != std::string::npos;
}

bool IsSearchTextLongEnough(const std::string& text)
{
    return ve::Utf8ToUtf32(text).size() >= 2;
}

std::vector<SearchHit> SearchChannels(const CVandrelEdit2028Doc& doc, const std::string& text, bool television,
                                      bool autoNumbering)
{
    std::vector<SearchHit> hits;
    if (!IsSearchTextLongEnough(text)) {
        return hits;
    }
    const std::string folded = FoldAsciiUpper(text);
    // First index of each transponder and satellite number, as the lookups
    // from the start of the arrays find them.
    std::vector<int> tpIndex(65536, -1);
    for (int i = doc.m_transponders.GetSize() - 1; i >= 0; --i) {
        tpIndex[doc.m_transponders.GetAt(i)->GetNumber()] = i;
    }
    std::vector<int> satIndex(256, -1);
    for (int i = doc.m_satellites.GetSize() - 1; i >= 0; --i) {
        satIndex[doc.m_satellites.GetAt(i)->GetNumber()] = i;
    }
    int numberInKind = 0;
    const int channelEnd = doc.m_services.ChannelEnd();
    for (int i = 0; i < channelEnd; ++i) {
        CServiceData* s = doc.m_services.GetAt(i);
        const bool ofKind = s->IsRadio() != television;
        if (!ofKind || s->GetNumber() == 0) {
            continue;
        }
        ++numberInKind;
        const std::string name = s->GetNameText();
        if (FoldAsciiUpper(name).find(folded) == std::string::npos) {
            continue;
        }
        // A channel whose transponder is unknown shows the first satellite.
        const int tp = tpIndex[s->GetTransponder()];
        const int sat = tp >= 0 ? satIndex[doc.m_transponders.GetAt(tp)->GetSatellite()] : 0;
        SearchHit hit{s, autoNumbering ? numberInKind : i + 1, name, s->IsRadio() ? "Radio" : "TV",
                      sat >= 0 && sat < doc.m_satellites.GetSize() ? doc.m_satellites.GetAt(sat)->GetNameText()
                                                                    : std::string("..."),
                      s->IsScrambled() ? "\xE2\x82\xAC" : ""};
        hits.push_back(std::move(hit));
    }
    return hits;
}

std::string SearchHitCountText(int hits)
{
    return std::to_string(hits) + " " + exmsg::kSearchChannels;
}

bool CChannelSearchTarget::Bind(const CVandrelEdit2028Doc* doc, bool television)
{
    if (doc == m_pDoc && television == m_bTelevision) {
        return false;
    }
    m_pDoc = doc;
    m_bTelevision = television;
    return true;
}
