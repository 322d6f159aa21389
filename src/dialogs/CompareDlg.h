#pragma once
#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "document/DatabaseDiff.h"

class CDocument;
class CServiceData;
class CVandrelEdit2028Doc;
class IUserPrompts;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// "Vergleichen mit...": the channels that differ between another database
// (an open document or a file; the old one) and the active document (the
// new one, until the sides are swapped), with a summary of what changed, as
// a sortable table that can be saved as text. A double click selects the
// channel in a list of its document.
class CCompareDlg : public QDialog {
    Q_OBJECT
public:
    using DocumentsFn = std::function<std::vector<CDocument*>()>;
    using ShowChannelFn = std::function<void(CDocument*, const CServiceData*)>;

    CCompareDlg(CDocument& active, IUserPrompts& prompts, DocumentsFn openDocuments, ShowChannelFn showChannel,
                QWidget* parent = nullptr);
    ~CCompareDlg() override;

    // Compares with the first other open document the combo box offers;
    // false when there is none.
    bool CompareWithFirstDocument();
    // Offers the documents open now (after one was opened or closed).
    void FillSources();
    void CompareWithDocument(CDocument* other);
    // Loads the file and compares with it; a file that cannot be read is
    // reported and changes nothing.
    bool CompareWithFile(const QString& path);
    // The open dialog, then CompareWithFile; false when cancelled or refused.
    bool ChooseFile();
    // The save dialog, then the comparison as text: the two sides, the
    // summary and the differences the table shows.
    void SaveAsText();
    // Makes the old side the new one and the other way round.
    void SwapSides();
    bool IsSwapped() const { return m_bSwapped; }

    QTreeWidget* Table() const { return m_pTable; }
    QComboBox* Source() const { return m_pSource; }
    QLabel* Summary() const { return m_pSummary; }
    // One line per moved satellite and changed transponder; hidden without any.
    QLabel* Details() const { return m_pDetails; }
    // Hides the entries whose only change is the number; off at first.
    QCheckBox* IgnoreNumber() const { return m_pIgnoreNr; }
    QPushButton* SwapButton() const { return m_pSwapButton; }
    const std::vector<ChannelDifference>& Differences() const { return m_differences; }
    // What a double click on the row does.
    void ShowRow(QTreeWidgetItem* item);

private:
    // A database read only in part is compared only when the user agrees.
    bool MayCompare(const CVandrelEdit2028Doc& other, const QString& name);
    void Compare();
    void FillTable();
    void Reset();
    const CVandrelEdit2028Doc* OtherCore() const;

    CDocument& m_active;
    IUserPrompts& m_prompts;
    DocumentsFn m_openDocuments;
    ShowChannelFn m_showChannel;
    QPointer<CDocument> m_pOther;                 // the compared open document
    std::unique_ptr<CVandrelEdit2028Doc> m_pFile; // or the compared file
    QString m_strOtherName;
    bool m_bSwapped = false;
    std::vector<ChannelDifference> m_differences;
    QComboBox* m_pSource = nullptr;
    QPushButton* m_pFileButton = nullptr;
    QPushButton* m_pSaveButton = nullptr;
    QPushButton* m_pSwapButton = nullptr;
    QCheckBox* m_pIgnoreNr = nullptr;
    QLabel* m_pSummary = nullptr;
    QLabel* m_pDetails = nullptr;
    QTreeWidget* m_pTable = nullptr;
};
