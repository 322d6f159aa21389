#include "AboutCtrl.h"

#include <QMouseEvent>
#include <QPainter>

#include "DialogPictures.h"

namespace {
constexpr int kWidth = 720;
constexpr int kHeight = CAboutAnimation::kTextHeight;

QFont ArialPixels(int pixels, bool bold)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}
} // namespace

CAboutCtrl::CAboutCtrl(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("aboutAnimation"));
    setAccessibleName(QStringLiteral("Mitwirkende"));
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);

    RenderText();
    // The accessible description carries the credits, which only scroll by.
    setAccessibleDescription(QString::fromStdString(AboutCreditsText()).remove(u'\t').remove(u'\r'));

    m_background = RenderPicture(pictures::kAboutBackground, QSize(kWidth, kHeight));
    m_banner = RenderPicture(pictures::kAboutBanner);
    m_pAnimation = std::make_unique<CAboutAnimation>(kWidth, kHeight, m_banner.width(), m_banner.height());
    m_frame = QPixmap(kWidth, kHeight);
    m_frame.fill(Qt::white);

    m_timer.setInterval(CAboutAnimation::kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &CAboutCtrl::Tick);
    m_timer.start();
}

QSize CAboutCtrl::sizeHint() const
{
    return QSize(kWidth, kHeight);
}

void CAboutCtrl::RenderText()
{
    m_textPicture = QImage(CAboutAnimation::kTextWidth, CAboutAnimation::kTextHeight, QImage::Format_ARGB32_Premultiplied);
    m_textPicture.fill(Qt::transparent);
    QPainter p(&m_textPicture);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QFont heading = ArialPixels(20, true);
    const QFont emphasised = ArialPixels(15, true);
    const QFont plain = ArialPixels(15, false);
    int y = 0;
    for (const AboutLine& line : SplitAboutLines(AboutCreditsText())) {
        const QFont& font = line.kind == AboutLineKind::Heading      ? heading
                            : line.kind == AboutLineKind::Emphasised ? emphasised
                                                                     : plain;
        p.setFont(font);
        p.setPen(line.kind == AboutLineKind::Heading ? QColor(0, 0, 255) : QColor(0, 0, 0));
        const int h = QFontMetrics(font).height();
        p.drawText(QRect(0, y, CAboutAnimation::kTextWidth, h), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromStdString(line.text));
        y += h;
    }
}

void CAboutCtrl::Tick()
{
    QPainter p(&m_frame);
    p.drawPixmap(0, 0, m_background);
    const CAboutAnimation& a = *m_pAnimation;
    for (int i = 0; i < m_banner.width(); ++i) {
        const int x = i + static_cast<int>(a.ColumnX(i));
        const int y = static_cast<int>(a.ColumnY(i));
        // Where the wave spreads the columns apart, each one covers the gap
        // to its neighbour; the next column overdraws the rest.
        p.drawPixmap(QRect(x, y, 3, m_banner.height()), m_banner, QRect(i, 0, 1, m_banner.height()));
    }
    p.drawImage(CAboutAnimation::kTextX, a.TextY(), m_textPicture);
    p.end();
    update();
    m_pAnimation->Advance();
    ++m_nTicks;
}

void CAboutCtrl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, m_frame);
}

void CAboutCtrl::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void CAboutCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}
