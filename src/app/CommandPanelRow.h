#pragma once
#include <QWidget>
#include <vector>

class QGroupBox;
class QHBoxLayout;
class QIcon;
class QMenu;
class QToolButton;

// The row of panels of a command bar tab. Where the window is too narrow for
// all of them, panels give way from the right to one button each that opens
// the panel's commands as a menu, so that every command stays reachable and
// the window can be narrower than the whole bar.
class CCommandPanelRow : public QWidget {
    Q_OBJECT
public:
    explicit CCommandPanelRow(QWidget* parent = nullptr);

    // Appends panel; commands is what its collapsed form offers.
    void AddPanel(QGroupBox* panel, QMenu* commands, const QIcon& icon);
    // The button that stands for panel while it is collapsed, else nullptr.
    QToolButton* CollapsedButton(const QGroupBox* panel) const;

    // Every panel shown.
    QSize sizeHint() const override;
    // As narrow as the row can get: every panel collapsed.
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Panel {
        QGroupBox* panel;
        QToolButton* collapsed;
    };
    static int ExpandedWidth(const Panel& p);
    int Height() const;
    void Fit(int width);
    int Extent(const std::vector<int>& widths) const;

    QHBoxLayout* m_pLayout;
    std::vector<Panel> m_panels;
};
