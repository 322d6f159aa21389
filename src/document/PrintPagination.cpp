#include "PrintPagination.h"

#include <cmath>
#include <cstdio>

#include "VandrelEdit2028Doc.h"

PrintSelectionKind KindOf(const PrintSelection& selection)
{
    if (selection.transponder != nullptr) {
        return PrintSelectionKind::Transponder;
    }
    if (selection.favouriteGroup >= 0 && selection.satelliteIndex < 0) {
        return PrintSelectionKind::FavouriteGroup;
    }
    if (selection.satelliteIndex >= 0) {
        return PrintSelectionKind::Satellite;
    }
    return PrintSelectionKind::All;
}

bool IsPrinted(const CVandrelEdit2028Doc& doc, const PrintSelection& selection, bool radio,
               const CServiceData& service)
{
    if (service.IsRadio() != radio || service.GetNumber() == 0) {
        return false;
    }
    switch (KindOf(selection)) {
    case PrintSelectionKind::Transponder:
        return service.GetTransponder() == selection.transponder->GetNumber();
    case PrintSelectionKind::FavouriteGroup:
        return service.GetFavouriteGroup() == selection.favouriteGroup + 1;
    case PrintSelectionKind::Satellite: {
        if (selection.satelliteIndex >= doc.m_satellites.GetSize()) {
            return false;
        }
        const CTransponderData* tp = doc.TransponderOf(&service);
        return tp != nullptr && doc.SatelliteOf(tp) == doc.m_satellites.GetAt(selection.satelliteIndex);
    }
    case PrintSelectionKind::All:
        break;
    }
    return true;
}

std::string PrintSelectionText(const CVandrelEdit2028Doc& doc, const PrintSelection& selection)
{
    switch (KindOf(selection)) {
    case PrintSelectionKind::Transponder:
        return "Transponder: " + selection.transponder->FormatSummaryText();
    case PrintSelectionKind::FavouriteGroup:
        if (selection.favouriteGroup < doc.m_configuration.GetSize()) {
            return "im Favoritenordner: " + doc.m_configuration.GetAt(selection.favouriteGroup)->GetName();
        }
        break;
    case PrintSelectionKind::Satellite:
        if (selection.satelliteIndex < doc.m_satellites.GetSize()) {
            return "vom Satelliten: " + doc.m_satellites.GetAt(selection.satelliteIndex)->GetNameText();
        }
        break;
    case PrintSelectionKind::All:
        break;
    }
    return {};
}

std::string PrintHeading(const CVandrelEdit2028Doc& doc, const PrintSelection& selection, bool radio)
{
    return std::string(radio ? "Radiokanäle" : "Fernsehkanäle") + " " + PrintSelectionText(doc, selection);
}

std::string PrintPageText(int page)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "Seite: %i", page);
    return buf;
}

PageScale PageScale::ForDevice(int deviceWidth, int deviceHeight)
{
    return {static_cast<double>(deviceWidth) / printpage::kWidth,
            static_cast<double>(deviceHeight) / printpage::kHeight};
}

int PrintLinesPerPage(int deviceHeight, int lineHeight)
{
    if (lineHeight <= 0) {
        return 1;
    }
    const int lines = (deviceHeight - 400) / lineHeight - 5;
    return lines < 1 ? 1 : lines;
}

int PrintLinesPerPage(const PageScale& scale, int lineHeightPixels)
{
    if (scale.sy <= 0 || lineHeightPixels <= 0) {
        return 1;
    }
    const int lineHeightUnits = static_cast<int>(std::ceil(lineHeightPixels / scale.sy));
    return PrintLinesPerPage(printpage::kHeight, lineHeightUnits);
}

PrintRowTexts BuildPrintRow(const CVandrelEdit2028Doc& doc, const CServiceData& service, int runningRow)
{
    char buf[32];
    PrintRowTexts row;
    std::snprintf(buf, sizeof buf, "%4i", runningRow + 1);
    row.number = buf;
    std::snprintf(buf, sizeof buf, "%4i", service.m_nListPos);
    row.listPos = buf;
    row.name = service.GetNameText();
    if (const CTransponderData* tp = doc.TransponderOf(&service)) {
        row.transponder = tp->FormatSummaryText();
        if (const CSatelliteData* sat = doc.SatelliteOf(tp)) {
            row.satellite = sat->GetNameText();
        }
    }
    std::snprintf(buf, sizeof buf, "%i", service.GetServiceId());
    row.serviceId = buf;
    row.scrambled = service.IsScrambled() ? "€" : "";
    return row;
}

void CPrintPagination::Paginate(const CVandrelEdit2028Doc& doc, const PrintSelection& selection, bool radio,
                                int linesPerPage)
{
    m_nLinesPerPage = linesPerPage < 1 ? 1 : linesPerPage;
    m_pageStarts.clear();
    int kept = 0;
    const int channelEnd = doc.m_services.ChannelEnd();
    for (int i = 0; i < channelEnd; ++i) {
        if (!IsPrinted(doc, selection, radio, *doc.m_services.GetAt(i))) {
            continue;
        }
        if (kept % m_nLinesPerPage == 0) {
            m_pageStarts.push_back(i);
        }
        ++kept;
    }
}

int CPrintPagination::PageCount() const
{
    return m_pageStarts.empty() ? 1 : static_cast<int>(m_pageStarts.size());
}

int CPrintPagination::LastPage(int requestedLast) const
{
    const int pages = PageCount();
    return requestedLast > 0 && requestedLast < pages ? requestedLast : pages;
}

std::vector<int> CPrintPagination::RowsOfPage(const CVandrelEdit2028Doc& doc, const PrintSelection& selection,
                                              bool radio, int page) const
{
    std::vector<int> rows;
    if (page < 1 || page > static_cast<int>(m_pageStarts.size())) {
        return rows;
    }
    const int channelEnd = doc.m_services.ChannelEnd();
    for (int i = m_pageStarts[static_cast<size_t>(page - 1)];
         i < channelEnd && static_cast<int>(rows.size()) < m_nLinesPerPage; ++i) {
        if (IsPrinted(doc, selection, radio, *doc.m_services.GetAt(i))) {
            rows.push_back(i);
        }
    }
    return rows;
}

int CPrintPagination::FirstRowOfPage(int page) const
{
    return page < 1 ? 0 : (page - 1) * m_nLinesPerPage;
}
