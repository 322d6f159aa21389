#pragma once
#include <QToolBar>

class QAction;

// The toolbar of a property pane: command 154 expands every group, command
// 151 switches between grouped and alphabetical rows (pressed while
// alphabetical).
class CPropertiesToolBar : public QToolBar {
    Q_OBJECT
public:
    static constexpr int kExpandAll = 154;
    static constexpr int kSortAlphabetic = 151;

    explicit CPropertiesToolBar(QWidget* parent = nullptr);

    QAction* ExpandAllAction() const { return m_pExpandAll; }
    QAction* AlphabeticAction() const { return m_pAlphabetic; }

signals:
    void ExpandAllRequested();
    void AlphabeticToggled(bool alphabetic);

private:
    QAction* m_pExpandAll = nullptr;
    QAction* m_pAlphabetic = nullptr;
};
