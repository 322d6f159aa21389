#pragma once
#include <QPointer>
#include <QWidget>

#include "CommandTarget.h"
#include "Document.h"

class QVBoxLayout;

// One document window, shown as a tab of the main frame. Holds the views of
// its document; until the tree and the channel list exist it shows a
// placeholder (CreateViews).
class CChildFrame : public QWidget, public ICommandTarget {
    Q_OBJECT
public:
    explicit CChildFrame(CDocument* document, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // Display mode of the channel list: list (true) or details (false). The
    // list starts in details mode.
    bool IsListMode() const { return m_bListMode; }
    void SetListMode(bool listMode);
    // Width of column 0 in list mode, set by the status-bar slider.
    virtual void SetListColumnWidth(int width) { m_nListColumnWidth = width; }
    int ListColumnWidth() const { return m_nListColumnWidth; }

    // The channel count text of this window's list for the status bar.
    QString ChannelCountText() const { return m_strChannelCount; }
    void SetChannelCountText(const QString& text);

    // Set by the main frame when the window becomes active.
    void MarkActivated() { m_bActivatedOnce = true; }
    bool WasActivated() const { return m_bActivatedOnce; }

    // Closing asks the main frame whether the document may go; set when the
    // question has already been answered.
    void SetCloseConfirmed() { m_bCloseConfirmed = true; }

signals:
    // The main frame refreshes its status bar on this: the window was
    // activated, switched display mode, or is closing.
    void ViewStateChanged(CChildFrame* frame);
    void ChannelCountChanged(CChildFrame* frame);
    // Emitted on a close request; the receiver clears accept to keep the window.
    void CloseRequested(CChildFrame* frame, bool& accept);

protected:
    // Creates the views of the window inside layout; replaced by the tree and
    // the channel list.
    virtual void CreateViews(QVBoxLayout* layout);
    void closeEvent(QCloseEvent* event) override;

private:
    QPointer<CDocument> m_pDocument;
    bool m_bListMode = false;
    bool m_bActivatedOnce = false;
    bool m_bCloseConfirmed = false;
    int m_nListColumnWidth = 0;
    QString m_strChannelCount;
};
