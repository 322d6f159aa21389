#pragma once
#include <QAbstractTableModel>
#include <QColor>
#include <QIcon>
#include <functional>
#include <vector>

#include "document/ChannelRows.h"

class CVandrelEdit2028Doc;
class CServiceData;

// The width a column starts with when none is stored.
int ChannelColumnDefaultWidth(int column);

// The rows of a channel list: pointers to the document's records in display
// order, with the number each row shows. Rows never own a record; sorting
// reorders the rows only, never the document's array.
class CChannelListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Item data of a row: the CServiceData pointer (as void*).
    static constexpr int ServiceRole = Qt::UserRole + 1;
    // The MIME type of dragged rows (the dragged row indexes, top to bottom).
    static const char* const kRowsMimeType;
    // Painted by the views instead of rows when there are none.
    static const char* const kEmptyListText;
    // Tooltip of the mark of a new channel.
    static const char* const kNewChannelText;

    explicit CChannelListModel(CVandrelEdit2028Doc& doc, QObject* parent = nullptr);

    CVandrelEdit2028Doc& Doc() const { return m_doc; }

    // Replaces all rows (a fill).
    void SetRows(std::vector<ChannelRow> rows);
    const std::vector<ChannelRow>& Rows() const { return m_rows; }
    CServiceData* ServiceAt(int row) const;
    int NumberAt(int row) const;
    // The first row holding the record, -1 when none.
    int FindRowOfService(const CServiceData* service) const;

    // Inserts one row before index row (row == rowCount() appends).
    void InsertChannelRow(int row, const ChannelRow& channel);
    // Inserts the rows, in their order, before index row in one step.
    void InsertChannelRows(int row, const std::vector<ChannelRow>& channels);
    void RemoveChannelRow(int row);
    // Sets the number of a row and announces columns 0 and 1 as changed.
    void SetNumber(int row, int number);
    // Announces every column of the row, or columns first..last of every row,
    // as changed (the texts are always computed from the records).
    void RefreshRow(int row);
    void RefreshColumns(int first, int last);

    // Reorders the rows: newOrder[i] is the old index of the row that stands
    // at i afterwards. Announced as a reset between RowsAboutToBeReordered
    // and RowsReordered: persistent indexes are dropped, not carried along,
    // and whoever keeps a selection takes it along by record.
    void ApplyRowOrder(const std::vector<int>& newOrder);
    // Sorts the rows by the texts of a column (text or number comparison),
    // stable, ascending or descending.
    void SortRows(int column, bool ascending, bool textComparison);

    // List display mode: column 0 reads "%4i %s" with the number.
    void SetListDisplay(bool listDisplay);
    bool IsListDisplay() const { return m_bListDisplay; }
    // Rows of this group (index 0-7, -1 none) are painted in the favourite
    // colours.
    void SetMarkedGroup(int groupIndex);
    int MarkedGroup() const { return m_nMarkedGroup; }
    void SetColors(const QColor& text, const QColor& back, const QColor& favText, const QColor& favBack);
    const QColor& TextColor() const { return m_text; }
    const QColor& BackColor() const { return m_back; }
    // Whether the row is painted in the favourite colours.
    bool IsMarkedRow(int row) const;
    // Tells which channels are new; their "Nr" cell carries a mark.
    void SetNewTest(std::function<bool(const CServiceData*)> isNew) { m_isNew = std::move(isNew); }
    bool IsNewRow(int row) const;
    // The mark of a new channel, as the "Nr" cell shows it.
    static QIcon NewMarkIcon();

    // The cell text as the list shows it.
    QString CellText(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

signals:
    // SetColors was called: the views take the new channel colours.
    void ColorsChanged();
    // Around ApplyRowOrder.
    void RowsAboutToBeReordered();
    void RowsReordered();

private:
    CVandrelEdit2028Doc& m_doc;
    std::vector<ChannelRow> m_rows;
    bool m_bListDisplay = false;
    int m_nMarkedGroup = -1;
    QColor m_text, m_back, m_favText, m_favBack;
    std::function<bool(const CServiceData*)> m_isNew;
};
