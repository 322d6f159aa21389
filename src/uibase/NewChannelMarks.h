#pragma once
#include <QObject>
#include <unordered_set>
#include <vector>

class CDocument;
class CServiceData;

// The channels a reference list did not name: the lists of the document
// mark them until it is saved or closed. Undoing the step that applied the
// list hides them; doing it again shows them again.
class CNewChannelMarks : public QObject {
    Q_OBJECT
public:
    // The marks of the document, made on first use; they live as long as it.
    static CNewChannelMarks& Of(CDocument& document);

    // Replaces the marks; they belong to the document's current undo step.
    void Set(const std::vector<CServiceData*>& services);
    void Clear();
    bool Contains(const CServiceData* service) const { return m_bShown && m_services.count(service) != 0; }
    bool IsEmpty() const { return !m_bShown || m_services.empty(); }

signals:
    void Changed();

private:
    explicit CNewChannelMarks(CDocument& document);
    void FollowUndoIndex(int index);

    CDocument& m_document;
    std::unordered_set<const CServiceData*> m_services;
    int m_nUndoIndex = 0;
    // The step that applied the list, to tell it from a later one at its place.
    const void* m_pStep = nullptr;
    bool m_bShown = false;
};
