#pragma once
#include <QListView>
#include <vector>
#include "model/ServiceData.h"

class CChannelListModel;
class CRowDragController;
class CServiceData;

// The channel list without details: the names of the rows in columns
// (list display, "%4i %s" with the number) or as small or large icons. It
// shares the model with the details table and moves rows by dragging them
// the same way.
class CChannelIconView : public QListView {
    Q_OBJECT
public:
    enum class DisplayMode { List, SmallIcons, LargeIcons };

    explicit CChannelIconView(CChannelListModel& model, QWidget* parent = nullptr);
    ~CChannelIconView() override;

    // List display also switches the model's names to "%4i %s"; the icon
    // modes show the plain names.
    void SetDisplayMode(DisplayMode mode);
    DisplayMode GetDisplayMode() const { return m_mode; }

    // Rows of the selection, top to bottom.
    std::vector<int> SelectedRows() const;
    // Scrolls so the first selected row ends near the middle.
    void EnsureSelectionVisible();

    CRowDragController& DragController() const { return *m_pDrag; }
    // Takes the channel colours from the model for the empty area and text.
    void ApplyColors();

signals:
    // As the details table: the model's rows have moved already.
    void RowsMoved(CServiceData* target, const std::vector<CServiceData*>& dragged, bool below);
    void DropFailed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CChannelListModel& m_model;
    CRowDragController* m_pDrag = nullptr;
    DisplayMode m_mode = DisplayMode::List;
};
