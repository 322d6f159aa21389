#include "PropertySheet.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "DialogPictures.h"

CPropertyPage::CPropertyPage(const QString& caption, const char* picture, QWidget* parent)
    : QWidget(parent), m_strCaption(caption), m_pPicture(picture)
{
    setAccessibleName(caption);
}

CPropertySheet::CPropertySheet(const QString& title, int pageListWidth, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(title);
    setAccessibleName(title);
    setModal(true);

    m_pList = new QListWidget(this);
    m_pList->setObjectName(QStringLiteral("pageList"));
    m_pList->setAccessibleName(QStringLiteral("Seiten"));
    m_pList->setViewMode(QListView::IconMode);
    m_pList->setFlow(QListView::TopToBottom);
    m_pList->setMovement(QListView::Static);
    m_pList->setWrapping(false);
    m_pList->setIconSize(QSize(32, 32));
    m_pList->setSpacing(6);
    m_pList->setFixedWidth(pageListWidth);
    m_pList->setGridSize(QSize(pageListWidth - 12, 64));

    m_pStack = new QStackedWidget(this);
    m_pStack->setObjectName(QStringLiteral("pageStack"));
    connect(m_pList, &QListWidget::currentRowChanged, m_pStack, &QStackedWidget::setCurrentIndex);

    m_pButtons = new QDialogButtonBox(this);
    QPushButton* ok = m_pButtons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setDefault(true);
    QPushButton* cancel = m_pButtons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setAccessibleName(QStringLiteral("Abbrechen"));
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &CPropertySheet::accept);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &CPropertySheet::reject);

    auto* body = new QHBoxLayout;
    body->addWidget(m_pList);
    body->addWidget(m_pStack, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(m_pButtons);
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    m_pages.push_back(page);
    m_pStack->addWidget(page);
    auto* item = new QListWidgetItem(PictureIcon(page->Picture(), {32, 64}), page->Caption(), m_pList);
    item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
    item->setToolTip(page->Caption());
    if (m_pList->currentRow() < 0) {
        m_pList->setCurrentRow(0);
    }
}

CPropertyPage* CPropertySheet::Page(int index) const
{
    return index >= 0 && index < PageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

void CPropertySheet::SetActivePage(int index)
{
    if (index >= 0 && index < PageCount()) {
        m_pList->setCurrentRow(index);
    }
}

int CPropertySheet::ActivePageIndex() const
{
    return m_pStack->currentIndex();
}

void CPropertySheet::accept()
{
    for (CPropertyPage* page : m_pages) {
        page->OnOK();
    }
    QDialog::accept();
}

void CPropertySheet::reject()
{
    for (CPropertyPage* page : m_pages) {
        page->OnCancel();
    }
    QDialog::reject();
}

void CPropertySheet::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Keeps the whole window within the screen's work area.
    const QScreen* screen = this->screen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    QRect frame = frameGeometry();
    if (area.contains(frame)) {
        return;
    }
    if (frame.right() > area.right()) {
        frame.moveRight(area.right());
    }
    if (frame.bottom() > area.bottom()) {
        frame.moveBottom(area.bottom());
    }
    if (frame.left() < area.left()) {
        frame.moveLeft(area.left());
    }
    if (frame.top() < area.top()) {
        frame.moveTop(area.top());
    }
    move(frame.topLeft());
}
