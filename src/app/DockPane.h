#pragma once
#include <QDockWidget>

class QToolButton;
class QLabel;

// A dockable pane of the main frame: docks at any edge or floats, and can
// hide itself automatically. Qt has no auto-hide panes, so an auto-hidden
// pane is hidden and represented by a tab button on the edge it was docked
// at; pointing at or clicking the tab shows the pane until the mouse and the
// keyboard focus have left it again. The pin button in the title bar
// switches between the two states.
class CDockPane : public QDockWidget {
    Q_OBJECT
public:
    CDockPane(const QString& title, int paneId, QWidget* parent = nullptr);

    int PaneId() const { return m_nPaneId; }

    // Makes the pane visible and active without moving it.
    void ShowPane();

    bool IsAutoHide() const { return m_bAutoHide; }
    void SetAutoHide(bool autoHide);
    // True while an auto-hidden pane is shown from its tab.
    bool IsPeeking() const { return m_bAutoHide && isVisible(); }
    // Hides a pane shown from its tab once neither the mouse nor the focus is in it.
    void HideIfLeft();

    // The tab button that stands for the pane while it is auto-hidden; the
    // main frame puts it on the bar of the pane's edge.
    QToolButton* AutoHideTab() const { return m_pTab; }

    // The placeholder content; the pane's own widgets replace it.
    void SetContent(QWidget* content);

signals:
    void AutoHideChanged(CDockPane* pane, bool autoHide);

private:
    void BuildTitleBar();
    void UpdatePinButton();

    int m_nPaneId;
    bool m_bAutoHide = false;
    QToolButton* m_pTab = nullptr;
    QToolButton* m_pPin = nullptr;
    QLabel* m_pTitle = nullptr;
};
