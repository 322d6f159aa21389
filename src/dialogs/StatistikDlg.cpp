#include "StatistikDlg.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "PieChartWnd.h"
#include "uibase/ValueLabel.h"
#include "document/PieChartData.h"
#include "document/VandrelEdit2028Doc.h"

namespace {

constexpr const char* kCaptions[CStatistikDlg::kRowCount] = {"Fernsehkanäle .  .", "Radiokanäle  .  .  .",
                                                             "Gesamt  .  .  .  .  .", "Transponder.  .  .",
                                                             "Satelliten  .  .  .  ."};
constexpr const char* kValueNames[CStatistikDlg::kRowCount] = {"Fernsehkanäle", "Radiokanäle", "Kanäle gesamt",
                                                               "Transponder", "Satelliten"};

QSlider* MakeSlider(QWidget* parent, const QString& name, const QString& accessible, int max, int value)
{
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(name);
    s->setAccessibleName(accessible);
    s->setToolTip(accessible);
    s->setRange(0, max);
    s->setValue(value);
    return s;
}

} // namespace

CStatistikDlg::CStatistikDlg(const CVandrelEdit2028Doc& doc, QWidget* parent)
    : CStatistikDlg(CountStatistics(doc), StatisticsHeaderTexts(doc), parent)
{
}

CStatistikDlg::CStatistikDlg(const StatisticsCounts& counts, const std::array<std::string, 4>& headerTexts,
                             QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("statisticsDialog"));
    setAccessibleName(QStringLiteral("Statistik"));
    setWindowTitle(QStringLiteral("Statistik - Informationen"));
    setModal(true);

    const int values[kRowCount] = {counts.tv, counts.radio, counts.Total(), counts.transponders, counts.satellites};
    for (int r = 0; r < kRowCount; ++r) {
        auto* caption = new QLabel(QString::fromUtf8(kCaptions[r]), this);
        caption->setObjectName(QStringLiteral("caption%1").arg(r));
        auto* value = new CValueLabel(QString::fromUtf8(kValueNames[r]),
                                      QString::fromStdString(FormatCount(values[r])), this);
        value->setObjectName(QStringLiteral("value%1").arg(r));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        caption->setBuddy(value);
        m_captions[static_cast<size_t>(r)] = caption;
        m_values[static_cast<size_t>(r)] = value;
    }
    for (size_t i = 0; i < m_header.size(); ++i) {
        auto* label = new CValueLabel(QStringLiteral("Datenbankkopf %1").arg(i + 1),
                                      QString::fromStdString(headerTexts[i]), this);
        label->setObjectName(QStringLiteral("headerInfo%1").arg(i));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_header[i] = label;
    }

    m_pAngle = MakeSlider(this, QStringLiteral("angleSlider"), QStringLiteral("Startwinkel"), 360, 70);
    m_pSeparation = MakeSlider(this, QStringLiteral("separationSlider"), QStringLiteral("Abstand der Segmente"), 20, 7);
    // Each slider says what it steers.
    m_pAngleLabel = new QLabel(QStringLiteral("Startwinkel"), this);
    m_pAngleLabel->setObjectName(QStringLiteral("angleLabel"));
    m_pAngleLabel->setBuddy(m_pAngle);
    m_pSeparationLabel = new QLabel(QStringLiteral("Abstand der Segmente"), this);
    m_pSeparationLabel->setObjectName(QStringLiteral("separationLabel"));
    m_pSeparationLabel->setBuddy(m_pSeparation);

    resize(860, 540);
    m_pChart = new CPieChartWnd(QStringLiteral("Kanalverteilung"), QRect(), this);
    m_pChart->SetPieOffset(kStatisticsPieOffset);
    m_pChart->SetBackgroundColor(palette().color(QPalette::Button));
    CPieChartData slices;
    AddStatisticsSlices(slices, counts);
    for (const PieSlice& s : slices.Slices()) {
        m_pChart->AddSlice(QString::fromStdString(s.key), QString::fromStdString(s.text), s.value, s.color);
    }
    // The separation starts at the chart's own 10 percent although the
    // slider shows 7; moving the slider applies its value.
    m_pChart->SetStartAngle(m_pAngle->value());
    connect(m_pAngle, &QSlider::valueChanged, m_pChart, &CPieChartWnd::SetStartAngle);
    connect(m_pSeparation, &QSlider::valueChanged, m_pChart, &CPieChartWnd::SetSliceSeparation);

    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pOk->setObjectName(QStringLiteral("okButton"));
    m_pOk->setAccessibleName(QStringLiteral("OK"));
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);

    setMinimumSize(520, 360);
    PlaceChildren();
}

void CStatistikDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    PlaceChildren();
}

void CStatistikDlg::PlaceChildren()
{
    const int w = width();
    const int h = height();
    const double s = w / 860.0;
    const auto px = [s](double v) { return static_cast<int>(v * s); };

    const ChartRect c = StatisticsChartRect(w, h);
    if (m_pChart != nullptr) {
        m_pChart->setGeometry(c.left, c.top, c.Width(), c.Height());
    }

    // The left column: labels and values, then the two sliders.
    const int rowHeight = std::max(fontMetrics().height() + 8, px(28));
    const int left = px(20);
    const int columnWidth = px(190);
    const int valueWidth = fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 4;
    int y = px(40);
    for (int r = 0; r < kRowCount; ++r) {
        m_captions[static_cast<size_t>(r)]->setGeometry(left, y, columnWidth - valueWidth, rowHeight);
        m_values[static_cast<size_t>(r)]->setGeometry(left + columnWidth - valueWidth, y, valueWidth, rowHeight);
        y += rowHeight;
    }
    y += rowHeight / 2;
    const int sliderHeight = m_pAngle->sizeHint().height();
    const int labelHeight = m_pAngleLabel->sizeHint().height();
    m_pAngleLabel->setGeometry(left, y, columnWidth, labelHeight);
    y += labelHeight;
    m_pAngle->setGeometry(left, y, columnWidth, sliderHeight);
    y += sliderHeight + rowHeight / 2;
    m_pSeparationLabel->setGeometry(left, y, columnWidth, labelHeight);
    y += labelHeight;
    m_pSeparation->setGeometry(left, y, columnWidth, sliderHeight);

    // The bottom line: the header texts left to right, OK at the right.
    const QSize ok = m_pOk != nullptr ? m_pOk->sizeHint() : QSize();
    const int lineTop = c.bottom + (h - c.bottom - ok.height()) / 2;
    if (m_pOk != nullptr) {
        m_pOk->setGeometry(w - px(20) - ok.width(), lineTop, ok.width(), ok.height());
    }
    int x = left;
    for (QLabel* label : m_header) {
        const int textWidth = label->sizeHint().width();
        label->setGeometry(x, lineTop, textWidth, ok.height());
        x += textWidth + px(30);
    }
}
