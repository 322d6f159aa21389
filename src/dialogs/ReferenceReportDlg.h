#pragma once
#include <QDialog>
#include <array>

class QLabel;
class QTreeWidget;
struct ReferenceApplyResult;

// After a reference list was applied: how many lines each rule matched, the
// lines of the list that found no channel or could not be read, and where
// the new channels are.
class CReferenceReportDlg : public QDialog {
    Q_OBJECT
public:
    CReferenceReportDlg(const ReferenceApplyResult& result, const QString& listName, QWidget* parent = nullptr);

    // The six counts, as ndbtool prints them.
    QLabel* CountLabel(int i) const { return m_counts[static_cast<size_t>(i)]; }
    // Line, Typ, Nr, Kanalname and why, one row per unused line of the list.
    QTreeWidget* Lines() const { return m_pLines; }

private:
    std::array<QLabel*, 6> m_counts{};
    QTreeWidget* m_pLines = nullptr;
};
