#include "WindowManagerDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "DocumentWindows.h"
#include "uibase/Document.h"

CWindowManagerDlg::CWindowManagerDlg(CDocumentWindows& windows, QWidget* parent)
    : QDialog(parent), m_windows(windows)
{
    setObjectName(QStringLiteral("windowManagerDialog"));
    setWindowTitle(QStringLiteral("Fenster"));
    auto* layout = new QHBoxLayout(this);
    auto* listColumn = new QVBoxLayout;
    m_pList = new QListWidget(this);
    m_pList->setObjectName(QStringLiteral("windowList"));
    m_pList->setAccessibleName(QStringLiteral("Fenster auswählen"));
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pList->setMinimumWidth(300);
    listColumn->addWidget(m_pList);
    layout->addLayout(listColumn, 1);

    auto* buttons = new QVBoxLayout;
    const auto add = [this, buttons](const QString& text, const QString& name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    m_pActivate = add(QStringLiteral("&Aktivieren"), QStringLiteral("activateButton"));
    m_pSave = add(QStringLiteral("&Speichern"), QStringLiteral("saveButton"));
    m_pClose = add(QStringLiteral("Fenster s&chließen"), QStringLiteral("closeButton"));
    buttons->addStretch();
    QPushButton* ok = add(QStringLiteral("OK"), QStringLiteral("okButton"));
    ok->setDefault(true);
    layout->addLayout(buttons);

    connect(m_pActivate, &QPushButton::clicked, this, &CWindowManagerDlg::ActivateSelected);
    connect(m_pSave, &QPushButton::clicked, this, &CWindowManagerDlg::SaveSelected);
    connect(m_pClose, &QPushButton::clicked, this, &CWindowManagerDlg::CloseSelected);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pList, &QListWidget::itemSelectionChanged, this, &CWindowManagerDlg::UpdateButtons);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, [this] {
        ActivateSelected();
        accept();
    });
    Refill();
}

void CWindowManagerDlg::Refill()
{
    m_pList->clear();
    CChildFrame* active = m_windows.ActiveChildFrame();
    for (CChildFrame* f : m_windows.ChildFrames()) {
        auto* item = new QListWidgetItem(m_windows.FrameTitle(f), m_pList);
        item->setData(Qt::UserRole, QVariant::fromValue(static_cast<QObject*>(f)));
        if (f == active)
            item->setSelected(true);
    }
    UpdateButtons();
}

void CWindowManagerDlg::UpdateButtons()
{
    const int selected = int(m_pList->selectedItems().size());
    m_pActivate->setEnabled(selected == 1);
    m_pSave->setEnabled(selected > 0);
    m_pClose->setEnabled(selected > 0);
}

namespace {
QList<QPointer<CChildFrame>> SelectedFrames(QListWidget* list)
{
    QList<QPointer<CChildFrame>> frames;
    for (QListWidgetItem* item : list->selectedItems())
        frames.append(qobject_cast<CChildFrame*>(item->data(Qt::UserRole).value<QObject*>()));
    return frames;
}
} // namespace

void CWindowManagerDlg::ActivateSelected()
{
    const auto frames = SelectedFrames(m_pList);
    if (frames.size() == 1 && frames.front())
        m_windows.ActivateFrame(frames.front());
}

void CWindowManagerDlg::SaveSelected()
{
    for (const auto& f : SelectedFrames(m_pList))
        if (f && f->GetDocument())
            f->GetDocument()->DoFileSave(this);
    Refill();
}

void CWindowManagerDlg::CloseSelected()
{
    for (const auto& f : SelectedFrames(m_pList))
        if (f)
            m_windows.CloseFrame(f);
    Refill();
}
