#include "ChildFrame.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QVBoxLayout>

#include "AppMessages.h"
#include "Document.h"

CChildFrame::CChildFrame(CDocument* document, QWidget* parent)
    : QWidget(parent), m_pDocument(document), m_strChannelCount(QString::fromUtf8(appmsg::kChannelCountInitial))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    CreateViews(layout);
}

CChildFrame::~CChildFrame() = default;

void CChildFrame::CreateViews(QVBoxLayout* layout)
{
    auto* placeholder = new QLabel(this);
    placeholder->setObjectName(QStringLiteral("childFramePlaceholder"));
    placeholder->setAlignment(Qt::AlignCenter);
    placeholder->setAutoFillBackground(true);
    placeholder->setBackgroundRole(QPalette::Base);
    const auto update = [this, placeholder] {
        if (!m_pDocument)
            return;
        const QString path = m_pDocument->PathName();
        placeholder->setText(
            QStringLiteral("<b>%1</b><br>%2")
                .arg(m_pDocument->Title().toHtmlEscaped(), QDir::toNativeSeparators(path).toHtmlEscaped()));
    };
    update();
    if (m_pDocument)
        connect(m_pDocument, &CDocument::TitleChanged, placeholder, update);
    layout->addWidget(placeholder);
}

void CChildFrame::SetListMode(bool listMode)
{
    if (m_bListMode == listMode)
        return;
    m_bListMode = listMode;
    emit ViewStateChanged(this);
}

void CChildFrame::SetChannelCountText(const QString& text)
{
    m_strChannelCount = text;
    emit ChannelCountChanged(this);
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    bool accept = true;
    if (!m_bCloseConfirmed)
        emit CloseRequested(this, accept);
    if (accept)
        event->accept();
    else
        event->ignore();
}
