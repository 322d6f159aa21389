#include "CommandIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <functional>

#include "uibase/CommandIds.h"

namespace {
using Draw = std::function<void(QPainter&)>;

// Draws on a 32 by 32 canvas and renders it at the sizes the bar uses.
QIcon Render(const Draw& draw)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        draw(p);
        icon.addPixmap(pm);
    }
    return icon;
}

const QColor kInk(40, 60, 90);
const QColor kPaper(250, 250, 252);
const QColor kBlue(60, 120, 200);
const QColor kGreen(60, 150, 80);
const QColor kRed(200, 60, 50);
const QColor kGold(230, 170, 40);

QPen Pen(const QColor& c, qreal w = 1.6)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Page(QPainter& p, const QRectF& r = QRectF(7, 3, 18, 26))
{
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - 6, r.top());
    path.lineTo(r.right(), r.top() + 6);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(Pen(kInk));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 6, r.top()), QPointF(r.right() - 6, r.top() + 6));
    p.drawLine(QPointF(r.right() - 6, r.top() + 6), QPointF(r.right(), r.top() + 6));
}

void Lines(QPainter& p, qreal x, qreal y, qreal w, int n, qreal step = 4)
{
    p.setPen(Pen(kBlue, 1.6));
    for (int i = 0; i < n; ++i)
        p.drawLine(QPointF(x, y + i * step), QPointF(x + w, y + i * step));
}

void Folder(QPainter& p)
{
    p.setPen(Pen(kInk));
    p.setBrush(kGold);
    QPainterPath back;
    back.moveTo(3, 8);
    back.lineTo(12, 8);
    back.lineTo(14, 11);
    back.lineTo(28, 11);
    back.lineTo(28, 26);
    back.lineTo(3, 26);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(kGold.lighter(125));
    QPainterPath front;
    front.moveTo(3, 26);
    front.lineTo(7, 15);
    front.lineTo(31, 15);
    front.lineTo(28, 26);
    front.closeSubpath();
    p.drawPath(front);
}

void Disk(QPainter& p)
{
    p.setPen(Pen(kInk));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(QColor(220, 225, 235));
    p.drawRect(QRectF(8, 18, 16, 10));
}

void Printer(QPainter& p)
{
    p.setPen(Pen(kInk));
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(150, 160, 175));
    p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 19, 14, 10));
    Lines(p, 12, 23, 8, 2, 3);
}

void Window(QPainter& p, const QRectF& r, bool sidePanel = false)
{
    p.setPen(Pen(kInk));
    p.setBrush(kPaper);
    p.drawRect(r);
    p.setBrush(kBlue);
    p.drawRect(QRectF(r.left(), r.top(), r.width(), 5));
    if (sidePanel) {
        p.setBrush(QColor(200, 215, 235));
        p.drawRect(QRectF(r.right() - r.width() / 3, r.top() + 5, r.width() / 3, r.height() - 5));
    }
}

void Circle(QPainter& p, const QColor& fill, const QString& text)
{
    p.setPen(Pen(fill.darker(140)));
    p.setBrush(fill);
    p.drawEllipse(QRectF(4, 4, 24, 24));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(17);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(4, 4, 24, 24), Qt::AlignCenter, text);
}

void Gear(QPainter& p)
{
    p.setPen(Pen(kInk, 4.5));
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(16, 16);
        p.rotate(i * 45);
        p.drawLine(QPointF(0, -9), QPointF(0, -13));
        p.restore();
    }
    p.setPen(Pen(kInk));
    p.setBrush(QColor(150, 160, 175));
    p.drawEllipse(QPointF(16, 16), 10, 10);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(16, 16), 4, 4);
}

void Dish(QPainter& p)
{
    p.setPen(Pen(kInk));
    p.setBrush(QColor(200, 205, 215));
    QPainterPath bowl;
    bowl.moveTo(5, 6);
    bowl.quadTo(6, 24, 24, 24);
    bowl.closeSubpath();
    p.drawPath(bowl);
    p.drawLine(QPointF(14, 15), QPointF(24, 6));
    p.setBrush(kRed);
    p.drawEllipse(QPointF(24, 6), 2.5, 2.5);
    p.drawLine(QPointF(14, 22), QPointF(12, 29));
    p.drawLine(QPointF(8, 29), QPointF(18, 29));
}

void Screen(QPainter& p)
{
    p.setPen(Pen(kInk));
    p.setBrush(QColor(60, 70, 90));
    p.drawRoundedRect(QRectF(3, 6, 26, 18), 2, 2);
    p.setBrush(QColor(110, 170, 230));
    p.drawRect(QRectF(6, 9, 20, 12));
    p.drawLine(QPointF(12, 28), QPointF(20, 28));
    p.drawLine(QPointF(16, 24), QPointF(16, 28));
}

void Radio(QPainter& p)
{
    p.setPen(Pen(kInk));
    p.drawLine(QPointF(9, 11), QPointF(24, 3));
    p.setBrush(QColor(170, 110, 70));
    p.drawRoundedRect(QRectF(3, 11, 26, 16), 3, 3);
    p.setBrush(QColor(60, 50, 40));
    p.drawEllipse(QPointF(11, 19), 5, 5);
    Lines(p, 19, 16, 7, 3, 3);
}

void Magnifier(QPainter& p)
{
    p.setPen(Pen(kInk, 2));
    p.setBrush(QColor(210, 230, 250));
    p.drawEllipse(QPointF(13, 13), 8, 8);
    p.setPen(Pen(kInk, 4));
    p.drawLine(QPointF(19, 19), QPointF(28, 28));
}

void Clipboard(QPainter& p)
{
    p.setPen(Pen(kInk));
    p.setBrush(QColor(180, 130, 80));
    p.drawRoundedRect(QRectF(5, 5, 20, 25), 2, 2);
    p.setBrush(QColor(180, 185, 195));
    p.drawRoundedRect(QRectF(10, 2, 10, 6), 1, 1);
    Page(p, QRectF(13, 11, 16, 19));
    Lines(p, 16, 20, 9, 3, 3);
}

void Scissors(QPainter& p)
{
    p.setPen(Pen(kInk, 2));
    p.drawLine(QPointF(10, 4), QPointF(20, 21));
    p.drawLine(QPointF(22, 4), QPointF(12, 21));
    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(kRed, 2.2));
    p.drawEllipse(QPointF(10, 25), 4, 4);
    p.drawEllipse(QPointF(22, 25), 4, 4);
}

void Clock(QPainter& p)
{
    p.setPen(Pen(kInk));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(16, 16), 12, 12);
    p.setPen(Pen(kInk, 2));
    p.drawLine(QPointF(16, 16), QPointF(16, 8));
    p.drawLine(QPointF(16, 16), QPointF(22, 19));
}

void Pie(QPainter& p)
{
    const QRectF r(4, 4, 24, 24);
    p.setPen(Pen(Qt::white, 1));
    p.setBrush(kBlue);
    p.drawPie(r, 90 * 16, 200 * 16);
    p.setBrush(kGold);
    p.drawPie(r, 290 * 16, 100 * 16);
    p.setBrush(kGreen);
    p.drawPie(r, 30 * 16, 60 * 16);
}

void Numbers(QPainter& p)
{
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(12);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(QRectF(2, 2, 12, 28), Qt::AlignCenter, QStringLiteral("1\n2"));
    Lines(p, 15, 9, 13, 2, 12);
    p.setPen(Pen(kGreen, 2));
    p.drawArc(QRectF(12, 6, 8, 20), 90 * 16, 180 * 16);
}

void SortArrows(QPainter& p)
{
    Lines(p, 4, 8, 14, 5, 4);
    p.setPen(Pen(kGreen, 2.2));
    p.drawLine(QPointF(25, 5), QPointF(25, 27));
    p.drawLine(QPointF(21, 23), QPointF(25, 27));
    p.drawLine(QPointF(29, 23), QPointF(25, 27));
}

void ArrowOut(QPainter& p, const QColor& c)
{
    p.setPen(Pen(c, 2.6));
    p.drawLine(QPointF(17, 21), QPointF(29, 21));
    p.drawLine(QPointF(25, 17), QPointF(29, 21));
    p.drawLine(QPointF(25, 25), QPointF(29, 21));
}

// A curved arrow turning back to the left (undo); mirrored it points
// forward to the right (redo).
void TurnArrow(QPainter& p, bool forward)
{
    if (forward) {
        p.translate(32, 0);
        p.scale(-1, 1);
    }
    QPainterPath bow;
    bow.moveTo(25, 27);
    bow.cubicTo(29, 14, 21, 7, 11, 11);
    p.setPen(Pen(kBlue.darker(115), 3.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bow);
    QPainterPath head;
    head.moveTo(3, 13.5);
    head.lineTo(12.8, 16.2);
    head.lineTo(9.2, 5.8);
    head.closeSubpath();
    p.setPen(Pen(kBlue.darker(115), 1.2));
    p.setBrush(kBlue);
    p.drawPath(head);
}

} // namespace

QIcon CommandIcon(int id, const QStyle* style)
{
    (void)style;
    switch (id) {
    case cmd::kFileNew:
        return Render([](QPainter& p) { Page(p); });
    case cmd::kFileOpen:
        return Render(Folder);
    case cmd::kFileSave:
        return Render(Disk);
    case cmd::kFileSaveAs:
        return Render([](QPainter& p) {
            Disk(p);
            p.setPen(Pen(kRed, 2.4));
            p.drawLine(QPointF(18, 26), QPointF(29, 15));
        });
    case cmd::kFilePrint:
    case cmd::kFilePrintSetup:
        return Render(Printer);
    case cmd::kFilePrintDirect:
        return Render([](QPainter& p) {
            Printer(p);
            p.setPen(Pen(kGreen, 2.4));
            p.drawLine(QPointF(20, 8), QPointF(24, 11));
            p.drawLine(QPointF(24, 11), QPointF(30, 3));
        });
    case cmd::kFilePrintPreview:
        return Render([](QPainter& p) {
            Page(p);
            p.scale(0.7, 0.7);
            p.translate(14, 14);
            Magnifier(p);
        });
    case cmd::kFileExport: // also kRenumber
        return Render(Numbers);
    case cmd::kFileExportAll:
        return Render([](QPainter& p) {
            Page(p, QRectF(4, 3, 18, 26));
            Lines(p, 7, 13, 10, 3);
            ArrowOut(p, kGreen);
        });
    case cmd::kFileClose:
        return Render([](QPainter& p) {
            Page(p);
            p.setPen(Pen(kRed, 2.6));
            p.drawLine(QPointF(12, 14), QPointF(20, 22));
            p.drawLine(QPointF(20, 14), QPointF(12, 22));
        });
    case cmd::kAppOptionenResources:
    case cmd::kOptions:
    case cmd::kSystemSettings:
        return Render(Gear);
    case cmd::kAppExit:
        return Render([](QPainter& p) {
            p.setPen(Pen(kInk));
            p.setBrush(QColor(170, 120, 80));
            p.drawRect(QRectF(5, 3, 14, 26));
            ArrowOut(p, kRed);
        });
    case cmd::kHelpFinder:
        return Render([](QPainter& p) { Circle(p, kBlue, QStringLiteral("?")); });
    case cmd::kAppAbout:
        return Render([](QPainter& p) { Circle(p, kBlue, QStringLiteral("i")); });
    case cmd::kLookOffice2007Blue:
    case cmd::kLookOffice2007Black:
    case cmd::kLookOffice2007Silver:
    case cmd::kLookOffice2007Aqua:
    case cmd::kLookWindows7:
        return QIcon();
    case cmd::kEditPaste:
        return Render(Clipboard);
    case cmd::kEditCut:
        return Render(Scissors);
    case cmd::kEditCopy:
        return Render([](QPainter& p) {
            Page(p, QRectF(4, 3, 16, 21));
            Page(p, QRectF(12, 9, 16, 21));
        });
    case cmd::kEditSelectAll:
        return Render([](QPainter& p) {
            p.setPen(QPen(kInk, 1.4, Qt::DashLine));
            p.setBrush(QColor(200, 220, 245));
            p.drawRect(QRectF(4, 4, 24, 24));
            Lines(p, 8, 10, 16, 4, 4);
        });
    case cmd::kEditUndo:
        return Render([](QPainter& p) { TurnArrow(p, false); });
    case cmd::kEditRedo:
        return Render([](QPainter& p) { TurnArrow(p, true); });
    case cmd::kShowSatellitePane:
        return Render(Dish);
    case cmd::kShowTransponderPane:
        return Render([](QPainter& p) {
            p.setPen(Pen(kInk, 2));
            p.drawLine(QPointF(16, 12), QPointF(10, 29));
            p.drawLine(QPointF(16, 12), QPointF(22, 29));
            p.drawLine(QPointF(12, 23), QPointF(20, 23));
            p.setPen(Pen(kBlue, 1.8));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(9, 5, 14, 14), 30 * 16, 120 * 16);
            p.drawArc(QRectF(4, 0, 24, 24), 35 * 16, 110 * 16);
        });
    case cmd::kShowChannelPane:
        return Render([](QPainter& p) { Window(p, QRectF(3, 5, 26, 22), true); });
    case cmd::kViewStyle:
    case cmd::kViewDetails:
        return Render([](QPainter& p) {
            p.setPen(Pen(kInk));
            p.setBrush(kPaper);
            p.drawRect(QRectF(3, 4, 26, 24));
            Lines(p, 6, 9, 20, 5, 4);
        });
    case cmd::kViewList:
        return Render([](QPainter& p) {
            p.setPen(Pen(kInk));
            p.setBrush(kPaper);
            p.drawRect(QRectF(3, 4, 26, 24));
            Lines(p, 6, 9, 8, 5, 4);
            Lines(p, 18, 9, 8, 5, 4);
        });
    case cmd::kViewSmallIcons:
    case cmd::kViewArrange:
        return Render([](QPainter& p) {
            p.setPen(Pen(kInk));
            p.setBrush(kPaper);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 3; ++x)
                    p.drawRect(QRectF(4 + x * 9, 4 + y * 9, 6, 6));
        });
    case cmd::kViewLargeIcons:
        return Render([](QPainter& p) {
            p.setPen(Pen(kInk));
            p.setBrush(kPaper);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 2; ++x)
                    p.drawRect(QRectF(4 + x * 13, 4 + y * 13, 10, 10));
        });
    case cmd::kWindowManager:
        return Render([](QPainter& p) {
            Window(p, QRectF(3, 3, 18, 15));
            Window(p, QRectF(11, 13, 18, 15));
        });
    case cmd::kWindowNew:
        return Render([](QPainter& p) {
            Window(p, QRectF(3, 5, 22, 20));
            p.setPen(Pen(kGreen, 3));
            p.drawLine(QPointF(25, 19), QPointF(25, 29));
            p.drawLine(QPointF(20, 24), QPointF(30, 24));
        });
    case cmd::kTelevision:
        return Render(Screen);
    case cmd::kRadio:
        return Render(Radio);
    case cmd::kNewChannel:
        return Render([](QPainter& p) {
            p.save();
            p.scale(0.8, 0.8);
            Screen(p);
            p.restore();
            p.setPen(Pen(kGreen, 3));
            p.drawLine(QPointF(25, 19), QPointF(25, 29));
            p.drawLine(QPointF(20, 24), QPointF(30, 24));
        });
    case cmd::kChannelSearch:
        return Render(Magnifier);
    case cmd::kSortAutomatic:
        return Render(SortArrows);
    case cmd::kSortStoreOrder:
        return Render([](QPainter& p) {
            SortArrows(p);
            p.scale(0.55, 0.55);
            p.translate(2, 28);
            Disk(p);
        });
    case cmd::kReferenceExport:
        return Render([](QPainter& p) {
            Page(p, QRectF(4, 3, 18, 26));
            Lines(p, 7, 10, 10, 4, 4);
            ArrowOut(p, kGold.darker(120));
        });
    case cmd::kReferenceApply:
    case cmd::kOrderFromDocument:
        return Render([](QPainter& p) {
            Page(p, QRectF(2, 3, 13, 18));
            Lines(p, 4.5, 10, 6, 3, 3.5);
            Lines(p, 19, 8, 10, 6, 4);
            p.setPen(Pen(kGreen, 2.2));
            p.drawLine(QPointF(8, 25), QPointF(16, 25));
            p.drawLine(QPointF(13, 22), QPointF(16, 25));
            p.drawLine(QPointF(13, 28), QPointF(16, 25));
        });
    case cmd::kCompareWith:
        return Render([](QPainter& p) {
            Page(p, QRectF(2, 3, 15, 22));
            Page(p, QRectF(15, 7, 15, 22));
            p.setPen(Pen(kRed, 2.2));
            p.drawLine(QPointF(5, 12), QPointF(11, 12));
            p.setPen(Pen(kGreen, 2.2));
            p.drawLine(QPointF(18, 18), QPointF(24, 18));
            p.drawLine(QPointF(21, 15), QPointF(21, 21));
        });
    case cmd::kStatistics:
        return Render(Pie);
    case cmd::kTimer:
        return Render(Clock);
    default:
        return QIcon();
    }
}

QIcon ApplicationIcon()
{
    return QIcon(QStringLiteral(":/icons/vandreledit2028.svg"));
}
