#include "AboutDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "AboutCtrl.h"
#include "DialogPictures.h"
#include "document/AboutText.h"

namespace {
constexpr int kStripWidth = 64;
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setAccessibleName(QStringLiteral("Info über VandrelEdit2028"));
    setWindowTitle(QStringLiteral("Info über VandrelEdit2028"));
    setModal(true);

    m_font = QFont(QStringLiteral("Verdana"));
    m_font.setStyleHint(QFont::SansSerif);
    m_font.setPixelSize(25);
    m_font.setWeight(QFont::Bold);
    m_font.setItalic(true);

    auto* strip = new QLabel(this);
    strip->setObjectName(QStringLiteral("aboutStrip"));
    strip->setAccessibleName(QStringLiteral("Bildleiste"));
    strip->setFixedWidth(kStripWidth);
    strip->setScaledContents(true);
    strip->setPixmap(RenderPicture(pictures::kAboutStrip, QSize(kStripWidth, 400)));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("programIcon"));
    icon->setAccessibleName(QStringLiteral("Programmsymbol"));
    icon->setPixmap(RenderPicture(pictures::kProgramIcon, QSize(32, 32)));
    m_pVersion = new QLabel(QString::fromUtf8(kVersionLine), this);
    m_pVersion->setObjectName(QStringLiteral("versionLabel"));

    m_pCtrl = new CAboutCtrl(this);

    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pOk->setObjectName(QStringLiteral("okButton"));
    m_pOk->setAccessibleName(QStringLiteral("OK"));
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);

    // Room at the top for the painted text.
    const int textRoom = 15 + QFontMetrics(m_font).height() + 6;
    auto* headline = new QHBoxLayout;
    headline->addWidget(icon);
    headline->addWidget(m_pVersion, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pOk);
    auto* right = new QVBoxLayout;
    right->setContentsMargins(12, textRoom, 12, 12);
    right->addLayout(headline);
    right->addWidget(m_pCtrl);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(strip);
    layout->addLayout(right, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CAboutDlg::PaintedText()
{
    return QString::fromStdString(AboutDialogText());
}

void CAboutDlg::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(m_font);
    p.setPen(palette().color(QPalette::WindowText));
    const QString text = PaintedText();
    const int textWidth = QFontMetrics(m_font).horizontalAdvance(text);
    p.drawText((width() - textWidth) / 2 + 25, 15 + QFontMetrics(m_font).ascent(), text);
}

void CAboutDlg::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        accept();
        return;
    }
    QDialog::mouseReleaseEvent(event);
}
