#pragma once
// What a printed channel list holds and how it falls into pages: which
// channels belong to the tree node of the window, the lines per page, the
// first channel of every page, the page scale and the texts of a row. The
// drawing on the printer uses these.
#include <string>
#include <vector>

class CVandrelEdit2028Doc;
class CServiceData;
class CTransponderData;

// The tree node a window shows. The first rule that applies wins: a
// transponder, then a favourite group (while no satellite is selected),
// then a satellite; with none of them every channel of the kind belongs.
struct PrintSelection {
    const CTransponderData* transponder = nullptr;
    int favouriteGroup = -1; // index in the document's group array
    int satelliteIndex = -1; // index in the satellite array
};

enum class PrintSelectionKind { Transponder, FavouriteGroup, Satellite, All };
PrintSelectionKind KindOf(const PrintSelection& selection);

// Whether the channel is printed: it belongs to the selection, is of the
// window's kind and is in use.
bool IsPrinted(const CVandrelEdit2028Doc& doc, const PrintSelection& selection, bool radio,
               const CServiceData& service);

// "im Favoritenordner: name", "vom Satelliten: name", "Transponder: text",
// or empty.
std::string PrintSelectionText(const CVandrelEdit2028Doc& doc, const PrintSelection& selection);
// "Fernsehkanäle" or "Radiokanäle", a blank, and the selection text.
std::string PrintHeading(const CVandrelEdit2028Doc& doc, const PrintSelection& selection, bool radio);
std::string PrintPageText(int page); // "Seite: %i"
inline constexpr const char* kPrintEmptyText = "Kein Eintrag vorhanden!";

// Page units: every page measures 4892 by 6950 of them.
namespace printpage {
inline constexpr int kWidth = 4892;
inline constexpr int kHeight = 6950;
inline constexpr int kX0 = 250;
inline constexpr int kY0 = 400;
inline constexpr int kLogoX = 3500;
inline constexpr int kLogoY = 100;
inline constexpr int kHeadingY = 180;
inline constexpr int kRowNumberRight = 400;
// Column headings: right edge (right-aligned) or left edge, relative to kX0.
inline constexpr int kColNumberRight = 150; // "#"
inline constexpr int kColListPosRight = 450; // "Nr"
inline constexpr int kColName = 540;
inline constexpr int kColSatellite = 2170;
inline constexpr int kColTransponder = 3200;
inline constexpr int kColSid = 3980;
inline constexpr int kColSidRight = 4280;
inline constexpr int kColScrambled = 4310;
inline constexpr int kColScrambledRight = 4390;
inline constexpr int kUnderlineDy = 100;
inline constexpr int kFirstRowDy = 150;
inline constexpr int kFooterGap = 50;
inline constexpr int kPageNumberX = 4000;
// The underlines of the six columns, from and to relative to kX0.
struct Span {
    int from;
    int to;
};
inline constexpr Span kUnderlines[6] = {{0, 500},     {540, 2140},  {2170, 3170},
                                        {3200, 3950}, {3980, 4280}, {4310, 4390}};
} // namespace printpage

// Page units to device pixels: multiplied with the scale and truncated.
struct PageScale {
    double sx = 1;
    double sy = 1;
    static PageScale ForDevice(int deviceWidth, int deviceHeight);
    int X(int units) const { return static_cast<int>(units * sx); }
    int Y(int units) const { return static_cast<int>(units * sy); }
};

// (device height - 400) / line height - 5, never less than one line.
int PrintLinesPerPage(int deviceHeight, int lineHeight);
// The same counted in page units, so a page holds as many lines on a
// printer as in a PDF file or the preview: the line height in device pixels
// is converted with the scale (rounded up, so the rows always fit).
int PrintLinesPerPage(const PageScale& scale, int lineHeightPixels);

// The texts of one printed row.
struct PrintRowTexts {
    std::string number;      // "%4i" of the running row number plus one
    std::string listPos;     // "%4i" of the channel's list position
    std::string name;
    std::string satellite;   // empty when transponder or satellite is unknown
    std::string transponder; // empty when the transponder is unknown
    std::string serviceId;
    std::string scrambled;   // "€" or empty
};
PrintRowTexts BuildPrintRow(const CVandrelEdit2028Doc& doc, const CServiceData& service, int runningRow);

class CPrintPagination {
public:
    // Walks the services in array order; every printed channel whose count
    // of printed channels before it is a multiple of the lines per page
    // starts a page.
    void Paginate(const CVandrelEdit2028Doc& doc, const PrintSelection& selection, bool radio, int linesPerPage);

    int LinesPerPage() const { return m_nLinesPerPage; }
    // Indexes in the services array of the first channel of every page.
    const std::vector<int>& PageStarts() const { return m_pageStarts; }
    // An empty selection still gives the one page that says so.
    int PageCount() const;
    bool IsEmpty() const { return m_pageStarts.empty(); }
    // The last page to print: the page count, but no more than the last page
    // asked for (0 or less asks for all).
    int LastPage(int requestedLast) const;

    // Services-array indexes of the rows of page (1-based), in order.
    std::vector<int> RowsOfPage(const CVandrelEdit2028Doc& doc, const PrintSelection& selection, bool radio,
                                int page) const;
    // Running number (0-based) of the first row of page.
    int FirstRowOfPage(int page) const;

private:
    int m_nLinesPerPage = 1;
    std::vector<int> m_pageStarts;
};
