#include "DocumentWindows.h"

#include <QEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTabBar>
#include <QToolButton>

#include "DocumentArea.h"
#include "uibase/CommandIds.h"
#include "uibase/Document.h"
#include "views/LeftView.h"
#include "views/VandrelEdit2028View.h"

CDocumentWindows::CDocumentWindows(FrameServices services, QWidget* dialogParent)
    : QObject(dialogParent), m_services(std::move(services)), m_pDialogParent(dialogParent)
{
    setObjectName(QStringLiteral("documentWindows"));
    m_pArea = new CDocumentArea(dialogParent);
    m_pArea->setObjectName(QStringLiteral("documentArea"));
    m_pArea->setAccessibleName(QStringLiteral("Dokumente"));
    m_pArea->setViewMode(QMdiArea::TabbedView);
    m_pArea->setDocumentMode(true);
    m_pArea->setTabsClosable(true);
    m_pArea->setTabsMovable(true);
    m_pArea->setTabShape(QTabWidget::Rounded);
    m_pArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    m_pArea->setBackground(m_pArea->palette().brush(QPalette::Dark));
    connect(m_pArea, &QMdiArea::subWindowActivated, this, &CDocumentWindows::OnSubWindowActivated);

    // The document list at the right end of the tab area.
    m_pDocListMenu = new QMenu(m_pArea);
    m_pDocListMenu->setObjectName(QStringLiteral("documentListMenu"));
    connect(m_pDocListMenu, &QMenu::aboutToShow, this, &CDocumentWindows::FillDocumentListMenu);
    m_pDocListButton = new QToolButton(m_pArea);
    m_pDocListButton->setObjectName(QStringLiteral("documentListButton"));
    m_pDocListButton->setAccessibleName(QStringLiteral("Dokumentliste"));
    m_pDocListButton->setToolTip(QStringLiteral("Geöffnete Dokumente"));
    m_pDocListButton->setArrowType(Qt::DownArrow);
    m_pDocListButton->setAutoRaise(true);
    m_pDocListButton->setPopupMode(QToolButton::InstantPopup);
    m_pDocListButton->setMenu(m_pDocListMenu);
    m_pDocListButton->hide();
    m_pArea->installEventFilter(this);
}

CChildFrame* CDocumentWindows::CreateChildFrame(CDocument* document)
{
    auto* frame = new CChildFrame(document, m_services);
    frame->setObjectName(QStringLiteral("childFrame"));
    QMdiSubWindow* sub = m_pArea->addSubWindow(frame);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(QIcon()); // no document icons on tabs
    connect(frame, &CChildFrame::CloseRequested, this, [this](CChildFrame* f, bool& accept) {
        CDocument* doc = f->GetDocument();
        if (!m_bClosing && doc && FramesOf(doc).size() == 1)
            accept = doc->SaveModified(m_pDialogParent);
    });
    connect(sub, &QObject::destroyed, this,
            [this, doc = QPointer<CDocument>(document)] { OnFrameDestroyed(doc); });
    const bool first = FramesOf(document).size() == 1;
    if (first) {
        const auto titles = [this, document] {
            RefreshFrameTitles(document);
            emit TitlesChanged();
        };
        connect(document, &CDocument::ModifiedChanged, this, titles);
        connect(document, &CDocument::TitleChanged, this, titles);
    }
    emit FrameCreated(frame, first);
    RefreshFrameTitles(document);
    sub->showMaximized();
    m_pArea->setActiveSubWindow(sub);
    // A hidden frame (during start) activates nothing by itself.
    if (m_pArea->activeSubWindow() != sub)
        OnSubWindowActivated(sub);
    // The keys work on the channels at once.
    frame->ListView()->ActiveItemView()->setFocus(Qt::OtherFocusReason);
    PlaceDocumentListButton();
    UpdateCloseButtons();
    return frame;
}

void CDocumentWindows::OnSubWindowActivated(QMdiSubWindow* window)
{
    UpdateCloseButtons();
    if (window) {
        if (auto* frame = qobject_cast<CChildFrame*>(window->widget())) {
            frame->MarkActivated();
            m_pLastActive = frame;
        }
    }
    emit ActiveFrameChanged(ActiveChildFrame());
}

void CDocumentWindows::OnFrameDestroyed(CDocument* document)
{
    if (document) {
        if (FramesOf(document).isEmpty())
            emit LastWindowClosed(document);
        else
            RefreshFrameTitles(document);
    }
    PlaceDocumentListButton();
    emit FrameClosed(document);
}

QMdiSubWindow* CDocumentWindows::SubWindowOf(const CChildFrame* frame) const
{
    for (QMdiSubWindow* sub : m_pArea->subWindowList())
        if (sub->widget() == frame)
            return sub;
    return nullptr;
}

QList<CChildFrame*> CDocumentWindows::ChildFrames() const
{
    QList<CChildFrame*> frames;
    for (QMdiSubWindow* sub : m_pArea->subWindowList(QMdiArea::CreationOrder))
        if (auto* f = qobject_cast<CChildFrame*>(sub->widget()))
            frames.append(f);
    return frames;
}

QList<CChildFrame*> CDocumentWindows::FramesOf(const CDocument* document) const
{
    QList<CChildFrame*> frames;
    for (CChildFrame* f : ChildFrames())
        if (f->GetDocument() == document)
            frames.append(f);
    return frames;
}

CChildFrame* CDocumentWindows::ActiveChildFrame() const
{
    QMdiSubWindow* sub = m_pArea->activeSubWindow();
    if (!sub)
        sub = m_pArea->currentSubWindow();
    if (sub)
        return qobject_cast<CChildFrame*>(sub->widget());
    // Before the frame is shown the area has no current window yet.
    return m_pLastActive && SubWindowOf(m_pLastActive) && SubWindowOf(m_pLastActive)->isVisible()
               ? m_pLastActive.data()
               : nullptr;
}

CDocument* CDocumentWindows::ActiveDocument() const
{
    CChildFrame* f = ActiveChildFrame();
    return f ? f->GetDocument() : nullptr;
}

void CDocumentWindows::ActivateFrame(CChildFrame* frame)
{
    if (QMdiSubWindow* sub = SubWindowOf(frame))
        m_pArea->setActiveSubWindow(sub);
}

bool CDocumentWindows::CloseFrame(CChildFrame* frame)
{
    QMdiSubWindow* sub = SubWindowOf(frame);
    return sub ? sub->close() : false;
}

void CDocumentWindows::CloseFramesOf(CDocument* document)
{
    for (CChildFrame* f : FramesOf(document)) {
        f->SetCloseConfirmed();
        if (QMdiSubWindow* sub = SubWindowOf(f))
            sub->close();
    }
}

QString CDocumentWindows::FrameTitle(const CChildFrame* frame) const
{
    const CDocument* doc = frame->GetDocument();
    if (!doc)
        return QString();
    const QList<CChildFrame*> frames = FramesOf(doc);
    if (frames.size() < 2)
        return doc->Title();
    return QStringLiteral("%1:%2").arg(doc->Title()).arg(frames.indexOf(const_cast<CChildFrame*>(frame)) + 1);
}

void CDocumentWindows::RefreshFrameTitles(const CDocument* document)
{
    for (CChildFrame* f : FramesOf(document)) {
        if (QMdiSubWindow* sub = SubWindowOf(f)) {
            sub->setWindowTitle(FrameTitle(f) + QStringLiteral("[*]"));
            sub->setWindowModified(document->IsModified());
        }
    }
}

void CDocumentWindows::ShowChannel(CDocument* document, const CServiceData* service)
{
    if (document == nullptr || document->Core().m_services.IndexOf(service) < 0)
        return;
    CChildFrame* child = ActiveChildFrame();
    if (child == nullptr || child->GetDocument() != document) {
        const QList<CChildFrame*> frames = FramesOf(document);
        if (frames.isEmpty())
            return;
        child = frames.front();
        ActivateFrame(child);
    }
    if (child->IsTelevisionMode() == service->IsRadio())
        child->OnCommand(service->IsRadio() ? cmd::kRadio : cmd::kTelevision);
    CVandrelEdit2028View* list = child->ListView();
    if (list->FindRowOfService(service) < 0)
        child->Tree()->setCurrentItem(child->Tree()->SatellitesRoot());
    list->ShowSearchHit(const_cast<CServiceData*>(service));
}

void CDocumentWindows::UpdateCloseButtons()
{
    // The close button shows on the active tab only.
    auto* bar = m_pArea->findChild<QTabBar*>();
    if (!bar)
        return;
    for (int i = 0; i < bar->count(); ++i) {
        for (auto side : {QTabBar::LeftSide, QTabBar::RightSide})
            if (QWidget* button = bar->tabButton(i, side))
                button->setVisible(i == bar->currentIndex());
    }
}

void CDocumentWindows::FillDocumentListMenu()
{
    m_pDocListMenu->clear();
    CChildFrame* active = ActiveChildFrame();
    for (CChildFrame* f : ChildFrames()) {
        QString title = FrameTitle(f);
        if (f->GetDocument() && f->GetDocument()->IsModified())
            title += QLatin1Char('*');
        QAction* a = m_pDocListMenu->addAction(title);
        a->setCheckable(true);
        a->setChecked(f == active);
        connect(a, &QAction::triggered, this, [this, p = QPointer<CChildFrame>(f)] {
            if (p)
                ActivateFrame(p);
        });
    }
}

void CDocumentWindows::PlaceDocumentListButton()
{
    const QSize size(22, 22);
    m_pDocListButton->resize(size);
    m_pDocListButton->move(m_pArea->width() - size.width() - 2, 1);
    m_pDocListButton->setVisible(!m_pArea->subWindowList().isEmpty());
    m_pDocListButton->raise();
    // Keeps the tabs clear of the button.
    if (auto* bar = m_pArea->findChild<QTabBar*>())
        bar->setMaximumWidth(qMax(0, m_pArea->width() - size.width() - 6));
}

bool CDocumentWindows::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pArea && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        PlaceDocumentListButton();
    return QObject::eventFilter(watched, event);
}
