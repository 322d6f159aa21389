#include "ColourPicker.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QIcon ColourIcon(const QColor& colour, const QSize& size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.fillRect(QRect(QPoint(0, 0), size).adjusted(0, 0, -1, -1), colour);
    p.setPen(QColor(128, 128, 128));
    p.drawRect(QRect(QPoint(0, 0), size).adjusted(0, 0, -1, -1));
    return QIcon(pm);
}

QColor Mix(const QColor& c, const QColor& with, double amount)
{
    return QColor::fromRgb(static_cast<int>(c.red() + (with.red() - c.red()) * amount),
                           static_cast<int>(c.green() + (with.green() - c.green()) * amount),
                           static_cast<int>(c.blue() + (with.blue() - c.blue()) * amount));
}

QString ColourName(const QColor& c)
{
    return QStringLiteral("RGB(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

} // namespace

const std::vector<QColor>& CColourPopup::Palette()
{
    static const std::vector<QColor> palette = [] {
        std::vector<QColor> colours;
        // Greys from white to black, then ten hues in five shades each.
        for (int i = 0; i < kColumns; ++i) {
            const int v = 255 - i * 255 / (kColumns - 1);
            colours.push_back(QColor::fromRgb(v, v, v));
        }
        const QRgb hues[kColumns] = {0xC00000, 0xFF0000, 0xFFC000, 0xFFFF00, 0x92D050,
                                     0x00B050, 0x00B0F0, 0x0070C0, 0x002060, 0x7030A0};
        const double shades[] = {0.6, 0.3, 0.0, -0.25, -0.5};
        for (double shade : shades) {
            for (QRgb hue : hues) {
                const QColor base = QColor::fromRgb(hue);
                colours.push_back(shade >= 0 ? Mix(base, Qt::white, shade) : Mix(base, Qt::black, -shade));
            }
        }
        return colours;
    }();
    return palette;
}

CColourPopup::CColourPopup(const QColor& standard, const QColor& current, QWidget* parent)
    : QFrame(parent, Qt::Popup)
{
    setObjectName(QStringLiteral("colourPopup"));
    setAccessibleName(QStringLiteral("Farbauswahl"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::StyledPanel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    m_pStandard = new QPushButton(ColourIcon(standard, QSize(16, 16)), QStringLiteral("Standard"), this);
    m_pStandard->setObjectName(QStringLiteral("standardColourButton"));
    m_pStandard->setAccessibleName(QStringLiteral("Standard"));
    m_pStandard->setToolTip(ColourName(standard));
    m_pStandard->setFlat(true);
    m_pStandard->setCheckable(true);
    m_pStandard->setChecked(current == standard);
    connect(m_pStandard, &QPushButton::clicked, this, [this, standard] {
        emit ColourChosen(standard, true);
        close();
    });
    layout->addWidget(m_pStandard);

    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    const std::vector<QColor>& colours = Palette();
    for (size_t i = 0; i < colours.size(); ++i) {
        const QColor c = colours[i];
        auto* b = new QToolButton(this);
        b->setObjectName(QStringLiteral("swatch%1").arg(i));
        b->setAccessibleName(ColourName(c));
        b->setToolTip(ColourName(c));
        b->setIcon(ColourIcon(c, QSize(14, 14)));
        b->setIconSize(QSize(14, 14));
        b->setAutoRaise(true);
        b->setCheckable(true);
        if (m_nCurrent < 0 && c == current) {
            m_nCurrent = static_cast<int>(i);
            b->setChecked(true);
        }
        connect(b, &QToolButton::clicked, this, [this, c] {
            emit ColourChosen(c, false);
            close();
        });
        grid->addWidget(b, static_cast<int>(i) / kColumns, static_cast<int>(i) % kColumns);
        m_swatches.push_back(b);
    }
    layout->addLayout(grid);

    m_pMore = new QPushButton(QStringLiteral("Weitere Farben"), this);
    m_pMore->setObjectName(QStringLiteral("moreColoursButton"));
    m_pMore->setAccessibleName(QStringLiteral("Weitere Farben"));
    m_pMore->setFlat(true);
    connect(m_pMore, &QPushButton::clicked, this, [this] {
        close();
        emit MoreColoursRequested();
    });
    layout->addWidget(m_pMore);
}

QToolButton* CColourPopup::Swatch(int index) const
{
    return index >= 0 && index < SwatchCount() ? m_swatches[static_cast<size_t>(index)] : nullptr;
}

CColourPicker::CColourPicker(QWidget* parent) : QToolButton(parent)
{
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(48, 14));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(this, &QToolButton::clicked, this, &CColourPicker::ShowPopup);
    m_chooser = [](const QColor& current, QWidget* parent) {
        return QColorDialog::getColor(current, parent, QStringLiteral("Weitere Farben"));
    };
    UpdateIcon();
}

void CColourPicker::SetColour(const QColor& colour)
{
    m_clrCurrent = colour;
    setToolTip(ColourName(colour));
    UpdateIcon();
}

void CColourPicker::ShowPopup()
{
    if (m_pPopup != nullptr) {
        m_pPopup->close();
    }
    m_pPopup = new CColourPopup(m_clrStandard, m_clrCurrent, this);
    connect(m_pPopup, &CColourPopup::ColourChosen, this, &CColourPicker::Choose);
    connect(m_pPopup, &CColourPopup::MoreColoursRequested, this, &CColourPicker::AskForMore, Qt::QueuedConnection);
    m_pPopup->adjustSize();
    QPoint pos = mapToGlobal(QPoint(0, height()));
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        pos.setX(std::clamp(pos.x(), area.left(), std::max(area.left(), area.right() - m_pPopup->width())));
        if (pos.y() + m_pPopup->height() > area.bottom()) {
            pos.setY(mapToGlobal(QPoint(0, 0)).y() - m_pPopup->height());
        }
    }
    m_pPopup->move(pos);
    m_pPopup->show();
}

void CColourPicker::Choose(const QColor& colour, bool automatic)
{
    SetColour(colour);
    emit ColourPicked(colour, automatic);
}

void CColourPicker::AskForMore()
{
    const QColor chosen = m_chooser ? m_chooser(m_clrCurrent, this) : QColor();
    if (chosen.isValid()) {
        Choose(chosen, false);
    }
}

void CColourPicker::UpdateIcon()
{
    setIcon(ColourIcon(m_clrCurrent.isValid() ? m_clrCurrent : QColor(Qt::transparent), iconSize()));
}
