#include "Drucken.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QSvgRenderer>

#include "DialogPictures.h"
#include "document/VandrelEdit2028Doc.h"

namespace {
QString Text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}
} // namespace

CDrucken::CDrucken(const CVandrelEdit2028Doc& doc, const PrintSelection& selection, bool radio, const QString& title)
    : m_doc(doc), m_selection(selection), m_bRadio(radio), m_strTitle(title)
{
}

void CDrucken::BeginPrinting(const QPaintDevice& device, const QFont& font)
{
    m_scale = PageScale::ForDevice(device.width(), device.height());
    // The font is measured on the device itself, so its pixels are the
    // device's pixels.
    const QFontMetrics metrics(font, &device);
    m_nRowHeight = metrics.height() > 0 ? metrics.height() : 1;
    const int lineHeight = metrics.height() + (metrics.leading() > 0 ? metrics.leading() : 0);
    m_pagination.Paginate(m_doc, m_selection, m_bRadio, PrintLinesPerPage(m_scale, lineHeight));
    m_nRunningRow = 0;
}

void CDrucken::DrawLeft(QPainter& painter, int x, int y, const QString& text) const
{
    // Positions name the top left corner of the text, as on the page plan.
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

void CDrucken::DrawRight(QPainter& painter, int right, int y, const QString& text) const
{
    const QFontMetrics metrics = painter.fontMetrics();
    painter.drawText(QPoint(right - metrics.horizontalAdvance(text), y + metrics.ascent()), text);
}

void CDrucken::DrawLogo(QPainter& painter) const
{
    QSvgRenderer logo(QString::fromUtf8(pictures::kMakerLogo));
    if (!logo.isValid()) {
        return;
    }
    // Twice the picture's own size, counted in page units like its place.
    const QSize size = logo.defaultSize() * 2;
    logo.render(&painter, QRectF(m_scale.X(printpage::kLogoX), m_scale.Y(printpage::kLogoY),
                                 m_scale.X(size.width()), m_scale.Y(size.height())));
}

void CDrucken::DrawColumnHeadings(QPainter& painter) const
{
    using namespace printpage;
    const int y = m_scale.Y(kY0);
    DrawRight(painter, m_scale.X(kX0 + kColNumberRight), y, QStringLiteral("#"));
    DrawRight(painter, m_scale.X(kX0 + kColListPosRight), y, QStringLiteral("Nr"));
    DrawLeft(painter, m_scale.X(kX0 + kColName), y, QStringLiteral("Kanalname"));
    DrawLeft(painter, m_scale.X(kX0 + kColSatellite), y, QStringLiteral("Satellit"));
    DrawLeft(painter, m_scale.X(kX0 + kColTransponder), y, QStringLiteral("Transponder"));
    DrawLeft(painter, m_scale.X(kX0 + kColSid), y, QStringLiteral("SID"));
    DrawLeft(painter, m_scale.X(kX0 + kColScrambled), y, QStringLiteral("€"));

    const int lineY = m_scale.Y(kY0 + kUnderlineDy);
    for (const Span& span : kUnderlines) {
        painter.drawLine(m_scale.X(kX0 + span.from), lineY, m_scale.X(kX0 + span.to), lineY);
    }
}

void CDrucken::PrintPage(QPainter& painter, int page)
{
    using namespace printpage;
    painter.save();
    painter.setPen(Qt::black);

    DrawLogo(painter);
    DrawLeft(painter, m_scale.X(kX0), m_scale.Y(kHeadingY), Text(PrintHeading(m_doc, m_selection, m_bRadio)));
    DrawColumnHeadings(painter);

    int y = m_scale.Y(kY0 + kFirstRowDy);
    if (m_pagination.IsEmpty()) {
        DrawLeft(painter, m_scale.X(kX0 + kColName), y, QString::fromUtf8(kPrintEmptyText));
        y += m_nRowHeight;
    } else {
        m_nRunningRow = m_pagination.FirstRowOfPage(page);
        for (int index : m_pagination.RowsOfPage(m_doc, m_selection, m_bRadio, page)) {
            const PrintRowTexts row = BuildPrintRow(m_doc, *m_doc.m_services.GetAt(index), m_nRunningRow);
            DrawRight(painter, m_scale.X(kRowNumberRight), y, Text(row.number));
            DrawRight(painter, m_scale.X(kX0 + kColListPosRight), y, Text(row.listPos));
            DrawLeft(painter, m_scale.X(kX0 + kColName), y, Text(row.name));
            DrawLeft(painter, m_scale.X(kX0 + kColSatellite), y, Text(row.satellite));
            DrawLeft(painter, m_scale.X(kX0 + kColTransponder), y, Text(row.transponder));
            DrawRight(painter, m_scale.X(kX0 + kColSidRight), y, Text(row.serviceId));
            DrawRight(painter, m_scale.X(kX0 + kColScrambledRight), y, Text(row.scrambled));
            y += m_nRowHeight;
            ++m_nRunningRow;
        }
    }

    const int footerY = y + m_scale.Y(kFooterGap);
    painter.drawLine(m_scale.X(kX0), footerY, m_scale.X(kX0 + kColScrambledRight), footerY);
    const int footerTextY = footerY + m_scale.Y(kFooterGap);
    DrawLeft(painter, m_scale.X(kX0), footerTextY, m_strTitle);
    DrawLeft(painter, m_scale.X(kX0 + kPageNumberX), footerTextY, Text(PrintPageText(page)));
    painter.restore();
}

bool CDrucken::Print(QPrinter& printer)
{
    printer.setDocName(m_strTitle);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    BeginPrinting(printer, painter.font());
    const bool range = printer.printRange() == QPrinter::PageRange;
    const int first = range && printer.fromPage() > 0 ? printer.fromPage() : 1;
    const int last = LastPage(range ? printer.toPage() : 0);
    for (int page = first; page <= last; ++page) {
        if (page > first && !printer.newPage()) {
            break;
        }
        PrintPage(painter, page);
    }
    return painter.end();
}
