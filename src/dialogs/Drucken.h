#pragma once
#include <QString>

#include "document/PrintPagination.h"

class CVandrelEdit2028Doc;
class QFont;
class QPaintDevice;
class QPainter;
class QPrinter;

// The printed channel list of one document window: the channels of its tree
// node and kind, in pages of 4892 by 6950 page units scaled to whatever
// device is drawn on (printer, PDF file or print preview).
class CDrucken {
public:
    CDrucken(const CVandrelEdit2028Doc& doc, const PrintSelection& selection, bool radio, const QString& title);

    // Start of printing: scale, line height and lines per page from the
    // device and its font, then the first channel of every page.
    void BeginPrinting(const QPaintDevice& device, const QFont& font);
    // Draws page (1-based) with the painter's font; BeginPrinting must have
    // been called for the painter's device.
    void PrintPage(QPainter& painter, int page);

    // The whole job on the printer: pages from the printer's page range (all
    // when it names none), one sheet each. False when the job could not start.
    bool Print(QPrinter& printer);

    int PageCount() const { return m_pagination.PageCount(); }
    int LastPage(int requestedLast) const { return m_pagination.LastPage(requestedLast); }
    int LinesPerPage() const { return m_pagination.LinesPerPage(); }
    const PageScale& Scale() const { return m_scale; }
    // Device pixels from one row to the next.
    int RowHeight() const { return m_nRowHeight; }

private:
    void DrawLeft(QPainter& painter, int x, int y, const QString& text) const;
    void DrawRight(QPainter& painter, int right, int y, const QString& text) const;
    void DrawLogo(QPainter& painter) const;
    void DrawColumnHeadings(QPainter& painter) const;

    const CVandrelEdit2028Doc& m_doc;
    PrintSelection m_selection;
    bool m_bRadio;
    QString m_strTitle;

    PageScale m_scale;
    int m_nRowHeight = 1;
    CPrintPagination m_pagination;
    int m_nRunningRow = 0;
};
