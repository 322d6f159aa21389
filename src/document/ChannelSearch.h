#pragma once
// The channel search: which channels of a document match a search text and
// what their result rows show. The search pane only displays the hits.
#include <string>
#include <vector>

class CVandrelEdit2028Doc;
class CServiceData;

// Whether name contains text. Only A to Z are folded to lower case; every
// other character, umlauts included, must match exactly.
bool SearchTextMatches(const std::string& name, const std::string& text);
// Search texts of fewer than two characters find nothing.
bool IsSearchTextLongEnough(const std::string& text);

struct SearchHit {
    CServiceData* service;
    int number;            // column "Nr"
    std::string name;      // "Kanalname"
    std::string type;      // "Radio" or "TV"
    std::string satellite; // the satellite's name, or "..."
    std::string scrambled; // "€" or empty
};

// The hits among the document's channels of one kind, in array order.
// With automatic numbering the number is the channel's number within its
// kind, else its index in the table plus one.
std::vector<SearchHit> SearchChannels(const CVandrelEdit2028Doc& doc, const std::string& text, bool television,
                                      bool autoNumbering);
// The hit-count label: "12 Kanäle".
std::string SearchHitCountText(int hits);

// What the search pane is bound to. Bind reports whether the search has to
// run again (another document or another kind).
class CChannelSearchTarget {
public:
    bool Bind(const CVandrelEdit2028Doc* doc, bool television);
    void Reset() { m_pDoc = nullptr; }
    const CVandrelEdit2028Doc* GetDocument() const { return m_pDoc; }
    bool IsTelevision() const { return m_bTelevision; }

private:
    const CVandrelEdit2028Doc* m_pDoc = nullptr;
    bool m_bTelevision = true;
};
