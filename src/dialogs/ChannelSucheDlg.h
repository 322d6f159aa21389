#pragma once
#include <QWidget>

#include "document/ChannelSearch.h"
#include "model/ServiceData.h"

class CDocument;
class CServiceData;
class CValueLabel;
class QLabel;
class QLineEdit;
class QTreeWidget;

// The search pane "Suchen": finds the channels of the bound document whose
// names contain the typed text, while the user types. A click on a hit
// asks the main frame to select that channel in the active channel list.
class CChannelSucheDlg : public QWidget {
    Q_OBJECT
public:
    explicit CChannelSucheDlg(QWidget* parent = nullptr);
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Binds the pane to the document and the window's kind; searches again
    // only when either changed.
    void Bind(CDocument* document, bool television, bool autoNumbering);
    // Runs the search again with the current text (after channels were
    // deleted, cut, pasted or restored).
    void SearchAgain();
    // Forgets the document and empties text, hits and count.
    void Reset();
    CDocument* BoundDocument() const;

    QLineEdit* SearchField() const { return m_pEdit; }
    QTreeWidget* ResultList() const { return m_pResults; }
    QString HitCountText() const;

    // Wide enough for all five result columns and for the search field
    // between its label and the hit count.
    QSize sizeHint() const override;

signals:
    void ServiceChosen(CServiceData* service);

private:
    void RunSearch();

    CChannelSearchTarget m_target;
    CDocument* m_pDocument = nullptr;
    bool m_bAutoNumbering = true;
    QTreeWidget* m_pResults = nullptr;
    QLineEdit* m_pEdit = nullptr;
    QLabel* m_pLabel = nullptr;
    CValueLabel* m_pCount = nullptr;
};
