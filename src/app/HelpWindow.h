#pragma once
#include <QMainWindow>
#include <QUrl>

class QAction;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

// The user manual: German HTML pages from the resources in a browser with
// back, forward, home and a table of contents. The contents are the linked
// list entries of the start page, so a chapter added there shows up here.
class CHelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    static QUrl StartPage();

    QTextBrowser* Browser() const { return m_pBrowser; }
    QTreeWidget* Contents() const { return m_pContents; }

    // Shows the window, or brings it back in front where it was left.
    void ShowInFront();

private:
    void BuildContents();
    void OnSourceChanged(const QUrl& url);
    void OnContentsItemChosen(QTreeWidgetItem* item);

    QTextBrowser* m_pBrowser = nullptr;
    QTreeWidget* m_pContents = nullptr;
    QAction* m_pBack = nullptr;
    QAction* m_pForward = nullptr;
    QAction* m_pHome = nullptr;
};
