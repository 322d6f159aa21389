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
    // Once the step that applied the list is undone, the marks no longer
    // tell what the list left out.
    connect(document.UndoStack(), &QUndoStack::indexChanged, this, [this](int index) {
        if (index < m_nUndoIndex)
            Clear();
    });
}

void CNewChannelMarks::Set(const std::vector<CServiceData*>& services)
{
    m_services = std::unordered_set<const CServiceData*>(services.begin(), services.end());
    m_nUndoIndex = m_document.UndoStack()->index();
    emit Changed();
}

void CNewChannelMarks::Clear()
{
    if (m_services.empty())
        return;
    m_services.clear();
    emit Changed();
}
