#include "ChannelListModel.h"

#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <QtMath>
#include <algorithm>
#include <cstdint>
#include <numeric>

#include "document/ChannelEdits.h"
#include "document/VandrelEdit2028Doc.h"

const char* const CChannelListModel::kRowsMimeType = "application/x-vandreledit2028-rows";
const char* const CChannelListModel::kEmptyListText = "Kein Eintrag vorhanden!";
const char* const CChannelListModel::kNewChannelText = "Neu: nicht in der Referenzliste";

namespace {

Qt::Alignment ColumnAlignment(int column)
{
    switch (column) {
    case kColNumber:
    case kColServiceId:
    case kColVideoPid:
    case kColAudioPid:
    case kColPcrPid:
    case kColPmtPid:
        return Qt::AlignRight | Qt::AlignVCenter;
    case kColHD:
    case kColTuner1:
    case kColTuner2:
    case kColScrambled:
    case kColLocked:
    case kColSkip:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

int ChannelColumnDefaultWidth(int column)
{
    static constexpr int kWidths[kChannelColumnCount] = {140, 40, 40, 80, 50, 40, 50, 60, 60, 60,
                                                         60,  60, 30, 30, 30, 40, 40, 40, 140};
    return column >= 0 && column < kChannelColumnCount ? kWidths[column] : 0;
}

CChannelListModel::CChannelListModel(CVandrelEdit2028Doc& doc, QObject* parent)
    : QAbstractTableModel(parent), m_doc(doc)
{
}

void CChannelListModel::SetRows(std::vector<ChannelRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

CServiceData* CChannelListModel::ServiceAt(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows[static_cast<size_t>(row)].service : nullptr;
}

int CChannelListModel::NumberAt(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows[static_cast<size_t>(row)].number : 0;
}

int CChannelListModel::FindRowOfService(const CServiceData* service) const
{
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].service == service) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void CChannelListModel::InsertChannelRow(int row, const ChannelRow& channel)
{
    row = std::clamp(row, 0, rowCount());
    beginInsertRows({}, row, row);
    m_rows.insert(m_rows.begin() + row, channel);
    endInsertRows();
}

void CChannelListModel::InsertChannelRows(int row, const std::vector<ChannelRow>& channels)
{
    if (channels.empty())
        return;
    row = std::clamp(row, 0, rowCount());
    beginInsertRows({}, row, row + static_cast<int>(channels.size()) - 1);
    m_rows.insert(m_rows.begin() + row, channels.begin(), channels.end());
    endInsertRows();
}

void CChannelListModel::RemoveChannelRow(int row)
{
    if (row < 0 || row >= rowCount()) {
        return;
    }
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void CChannelListModel::SetNumber(int row, int number)
{
    if (row < 0 || row >= rowCount()) {
        return;
    }
    m_rows[static_cast<size_t>(row)].number = number;
    emit dataChanged(index(row, kColName), index(row, kColNumber));
}

void CChannelListModel::RefreshRow(int row)
{
    if (row >= 0 && row < rowCount()) {
        emit dataChanged(index(row, 0), index(row, kChannelColumnCount - 1));
    }
}

void CChannelListModel::RefreshColumns(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, kChannelColumnCount - 1);
    if (rowCount() > 0 && first <= last) {
        emit dataChanged(index(0, first), index(rowCount() - 1, last));
    }
}

void CChannelListModel::ApplyRowOrder(const std::vector<int>& newOrder)
{
    const int n = rowCount();
    if (static_cast<int>(newOrder.size()) != n) {
        return;
    }
    // Only a permutation of the rows is a new order.
    std::vector<char> seen(static_cast<size_t>(n), 0);
    for (int old : newOrder) {
        if (old < 0 || old >= n || seen[static_cast<size_t>(old)]) {
            return;
        }
        seen[static_cast<size_t>(old)] = 1;
    }

    // A reset, not a layout change: a layout change carries every persistent
    // index to its new row, and an assistive technology that has read the
    // list holds one per cell it read (Qt's accessible cells keep them). Qt
    // keeps persistent indexes in a hash that clusters when rows have many
    // columns, so carrying them, or dropping them one by one, took minutes
    // for 20000 rows; a reset forgets them all at once.
    emit RowsAboutToBeReordered();
    beginResetModel();
    std::vector<ChannelRow> rows;
    rows.reserve(m_rows.size());
    for (int old : newOrder) {
        rows.push_back(m_rows[static_cast<size_t>(old)]);
    }
    m_rows = std::move(rows);
    endResetModel();
    emit RowsReordered();
}

void CChannelListModel::SortRows(int column, bool ascending, bool textComparison)
{
    if (column < 0 || column >= kChannelColumnCount || m_rows.size() < 2) {
        return;
    }
    // A refill usually comes in the order asked for already (by number):
    // then nothing moves and the views keep their rows as they are. Numbers
    // that are not negative compare as their zero-padded texts do, so that
    // case needs no texts.
    if (column == kColNumber && !textComparison) {
        const auto byNumber = [ascending](const ChannelRow& a, const ChannelRow& b) {
            return ascending ? a.number < b.number : b.number < a.number;
        };
        const bool noneNegative =
            std::all_of(m_rows.begin(), m_rows.end(), [](const ChannelRow& r) { return r.number >= 0; });
        if (noneNegative && std::is_sorted(m_rows.begin(), m_rows.end(), byNumber))
            return;
    }
    // Only the name column carries the number in list display mode.
    const bool listDisplay = m_bListDisplay && column == kColName;
    SortKeyTable keys;
    if (column == kColName && !listDisplay && textComparison) {
        std::vector<const CServiceData*> services;
        services.reserve(m_rows.size());
        for (const ChannelRow& row : m_rows)
            services.push_back(row.service);
        keys = NameSortKeys(services);
    } else {
        std::vector<std::string> texts;
        texts.reserve(m_rows.size());
        for (const ChannelRow& row : m_rows)
            texts.push_back(ChannelColumnText(m_doc, row, column, listDisplay));
        keys = ToSortKeyTable(SortKeys(texts, !textComparison, listDisplay));
    }
    const size_t n = keys.Size();
    bool inOrder = true;
    for (size_t i = 1; i < n && inOrder; ++i)
        inOrder = ascending ? !(keys.Key(i) < keys.Key(i - 1)) : !(keys.Key(i - 1) < keys.Key(i));
    if (inOrder) {
        return;
    }
    // The first eight characters of each key as two numbers decide most
    // comparisons; the keys themselves only where those are equal. Missing
    // characters count as 0, below every character, as a shorter key sorts
    // before a longer one that starts with it.
    struct Entry {
        uint64_t head;
        uint64_t next;
        int row;
    };
    const auto chars = [](std::u16string_view key, size_t from) {
        uint64_t packed = 0;
        for (size_t k = from; k < from + 4; ++k)
            packed = (packed << 16) | (k < key.size() ? key[k] : 0u);
        return packed;
    };
    std::vector<Entry> entries;
    entries.reserve(n);
    for (size_t i = 0; i < n; ++i)
        entries.push_back({chars(keys.Key(i), 0), chars(keys.Key(i), 4), static_cast<int>(i)});
    // Equal keys keep their order in both directions: there is no second
    // key, so the row itself decides between them, which makes the quicker
    // unstable sort give the stable order.
    const auto compareKeys = [&keys](const Entry& a, const Entry& b) {
        if (a.head != b.head)
            return a.head < b.head ? -1 : 1;
        if (a.next != b.next)
            return a.next < b.next ? -1 : 1;
        return keys.Key(static_cast<size_t>(a.row)).compare(keys.Key(static_cast<size_t>(b.row)));
    };
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        const int c = compareKeys(a, b);
        if (c != 0)
            return ascending ? c < 0 : c > 0;
        return a.row < b.row;
    });
    std::vector<int> order;
    order.reserve(entries.size());
    for (const Entry& e : entries)
        order.push_back(e.row);
    ApplyRowOrder(order);
}

void CChannelListModel::SetListDisplay(bool listDisplay)
{
    if (m_bListDisplay == listDisplay) {
        return;
    }
    m_bListDisplay = listDisplay;
    if (rowCount() > 0) {
        emit dataChanged(index(0, kColName), index(rowCount() - 1, kColName), {Qt::DisplayRole});
    }
}

void CChannelListModel::SetMarkedGroup(int groupIndex)
{
    m_nMarkedGroup = groupIndex;
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, kChannelColumnCount - 1),
                         {Qt::ForegroundRole, Qt::BackgroundRole});
    }
}

void CChannelListModel::SetColors(const QColor& text, const QColor& back, const QColor& favText, const QColor& favBack)
{
    m_text = text;
    m_back = back;
    m_favText = favText;
    m_favBack = favBack;
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, kChannelColumnCount - 1),
                         {Qt::ForegroundRole, Qt::BackgroundRole});
    }
    emit ColorsChanged();
}

bool CChannelListModel::IsMarkedRow(int row) const
{
    const CServiceData* s = ServiceAt(row);
    return s != nullptr && m_nMarkedGroup >= 0 && s->GetFavouriteGroup() == m_nMarkedGroup + 1;
}

bool CChannelListModel::IsNewRow(int row) const
{
    const CServiceData* s = ServiceAt(row);
    return s != nullptr && m_isNew && m_isNew(s);
}

QIcon CChannelListModel::NewMarkIcon()
{
    static const QIcon icon = [] {
        QIcon result;
        for (int size : {12, 16, 24}) {
            QPixmap pm(size, size);
            pm.fill(Qt::transparent);
            QPainter p(&pm);
            p.setRenderHint(QPainter::Antialiasing);
            // A five-pointed star, the usual sign of something new.
            QPainterPath star;
            const QPointF centre(size / 2.0, size / 2.0 + size * 0.04);
            for (int i = 0; i < 10; ++i) {
                const qreal radius = (i % 2 ? 0.21 : 0.48) * size;
                const qreal angle = qDegreesToRadians(-90.0 + i * 36.0);
                const QPointF point = centre + QPointF(radius * qCos(angle), radius * qSin(angle));
                if (i == 0) {
                    star.moveTo(point);
                } else {
                    star.lineTo(point);
                }
            }
            star.closeSubpath();
            p.setPen(QPen(QColor(150, 90, 0), 1.0));
            p.setBrush(QColor(255, 180, 20));
            p.drawPath(star);
            result.addPixmap(pm);
        }
        return result;
    }();
    return icon;
}

QString CChannelListModel::CellText(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= kChannelColumnCount) {
        return {};
    }
    return QString::fromUtf8(ChannelColumnText(m_doc, m_rows[static_cast<size_t>(row)], column, m_bListDisplay));
}

int CChannelListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CChannelListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kChannelColumnCount;
}

QVariant CChannelListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kChannelColumnCount) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return CellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(ColumnAlignment(index.column()));
    case Qt::ForegroundRole: {
        const QColor& c = IsMarkedRow(index.row()) ? m_favText : m_text;
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::BackgroundRole: {
        const QColor& c = IsMarkedRow(index.row()) ? m_favBack : m_back;
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::DecorationRole:
        if (index.column() == kColNumber && IsNewRow(index.row())) {
            return NewMarkIcon();
        }
        return {};
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        if (index.column() == kColNumber && IsNewRow(index.row())) {
            return QString::fromUtf8(kNewChannelText);
        }
        return {};
    case ServiceRole:
        return QVariant::fromValue(static_cast<void*>(ServiceAt(index.row())));
    default:
        return {};
    }
}

QVariant CChannelListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kChannelColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role == Qt::DisplayRole) {
        return QString::fromUtf8(ChannelColumnHeader(section));
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(ColumnAlignment(section));
    }
    return {};
}

Qt::ItemFlags CChannelListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
}

Qt::DropActions CChannelListModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions CChannelListModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList CChannelListModel::mimeTypes() const
{
    return {QString::fromLatin1(kRowsMimeType)};
}

QMimeData* CChannelListModel::mimeData(const QModelIndexList& indexes) const
{
    std::vector<int> rows;
    for (const QModelIndex& idx : indexes) {
        if (idx.isValid() && idx.row() < rowCount()) {
            rows.push_back(idx.row());
        }
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QStringList parts;
    for (int r : rows) {
        parts.append(QString::number(r));
    }
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kRowsMimeType), parts.join(QLatin1Char(',')).toLatin1());
    return mime;
}
