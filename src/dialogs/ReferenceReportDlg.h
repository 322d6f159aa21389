#pragma once
#include <QDialog>
#include <array>
#include <functional>
#include <string>

class IUserPrompts;
class QLabel;
class QPushButton;
class QTreeWidget;
struct ReferenceApplyResult;

// After a reference list was applied: how many lines each rule matched, the
// lines matched by a looser rule for review, the lines of the list that
// found no channel or could not be read, and where the new channels are.
class CReferenceReportDlg : public QDialog {
    Q_OBJECT
public:
    // selectNew selects the new channels in the document's list; suggestedName
    // is the file name the save dialog offers.
    CReferenceReportDlg(const ReferenceApplyResult& result, const QString& listName, IUserPrompts& prompts,
                        std::function<void()> selectNew, const QString& suggestedName, QWidget* parent = nullptr);

    // The six counts, as ndbtool prints them.
    QLabel* CountLabel(int i) const { return m_counts[static_cast<size_t>(i)]; }
    // The note that the lines do not stand in the order of Nr; hidden without one.
    QLabel* Hint() const { return m_pHint; }
    // Line, Nr, name in the list, channel now and rule, one row per match to review.
    QTreeWidget* Reviewed() const { return m_pReviewed; }
    // Line, Typ, Nr, Kanalname and why, one row per unused line of the list.
    QTreeWidget* Lines() const { return m_pLines; }
    QPushButton* SelectNewButton() const { return m_pSelectNew; }
    // The report as text, as copying and saving give it.
    QString Text() const { return QString::fromStdString(m_text); }
    void CopyText();
    void SaveAsText();

private:
    IUserPrompts& m_prompts;
    std::string m_text;
    QString m_strSuggestedName;
    std::array<QLabel*, 6> m_counts{};
    QLabel* m_pHint = nullptr;
    QTreeWidget* m_pReviewed = nullptr;
    QTreeWidget* m_pLines = nullptr;
    QPushButton* m_pSelectNew = nullptr;
};
