#include "NewChannelMarks.h"

#include <QUndoStack>

#include "Document.h"

CNewChannelMarks& CNewChannelMarks::Of(CDocument& document)
{
    if (auto* marks = document.findChild<CNewChannelMarks*>(QString(), Qt::FindDirectChildrenOnly))
        return *marks;
    return *new CNewChannelMarks(document);
}

CNewChannelMarks::CNewChannelMarks(CDocument& document) : QObject(&document), m_document(document)
{
    setObjectName(QStringLiteral("newChannelMarks"));
    connect(&document, &CDocument::Saved, this, &CNewChannelMarks::Clear);
    connect(document.UndoStack(), &QUndoStack::indexChanged, this, &CNewChannelMarks::FollowUndoIndex);
}

void CNewChannelMarks::FollowUndoIndex(int index)
{
    if (m_services.empty())
        return;
    const QUndoStack* stack = m_document.UndoStack();
    // A new step in place of an undone one drops the marks for good.
    if (m_nUndoIndex > stack->count() || stack->command(m_nUndoIndex - 1) != m_pStep) {
        Clear();
        return;
    }
    // Shown while the step that applied the list is done.
    const bool shown = index >= m_nUndoIndex;
    if (shown == m_bShown)
        return;
    m_bShown = shown;
    emit Changed();
}

void CNewChannelMarks::Set(const std::vector<CServiceData*>& services)
{
    m_services = std::unordered_set<const CServiceData*>(services.begin(), services.end());
    m_nUndoIndex = m_document.UndoStack()->index();
    m_pStep = m_nUndoIndex > 0 ? m_document.UndoStack()->command(m_nUndoIndex - 1) : nullptr;
    m_bShown = true;
    emit Changed();
}

void CNewChannelMarks::Clear()
{
    if (m_services.empty())
        return;
    m_services.clear();
    m_pStep = nullptr;
    const bool wasShown = m_bShown;
    m_bShown = false;
    if (wasShown)
        emit Changed();
}
