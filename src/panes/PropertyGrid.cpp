#include "PropertyGrid.h"

#include <QToolTip>

#include <QApplication>
#include <QContextMenuEvent>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "PaneMessages.h"
#include "PropertyGridDelegate.h"

namespace {
// The least width of the row texts' column.
constexpr int kNameColumnWidth = 120;

// Read-only values are shown a shade lighter than the others.
QColor ReadOnlyText(const QColor& text, const QColor& back)
{
    return QColor((text.red() + back.red()) / 2, (text.green() + back.green()) / 2,
                  (text.blue() + back.blue()) / 2);
}
} // namespace

CPropertyGrid::CPropertyGrid(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("propertyGrid"));
    m_pTree = new QTreeWidget(this);
    m_pTree->setObjectName(QStringLiteral("propertyGridRows"));
    m_pTree->setColumnCount(2);
    m_pTree->setHeaderLabels(
        {QString::fromUtf8(panemsg::kPropertyColumn), QString::fromUtf8(panemsg::kValueColumn)});
    m_pTree->header()->setSectionsMovable(false);
    m_pTree->header()->setStretchLastSection(true);
    m_pTree->header()->resizeSection(0, kNameColumnWidth);
    connect(m_pTree->header(), &QHeaderView::sectionResized, this, [this](int section) {
        if (section == 0 && !m_bFittingNames)
            m_bNamesSizedByUser = true;
    });
    m_pTree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTree->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTree->setAllColumnsShowFocus(true);
    m_pTree->setUniformRowHeights(true);
    m_pTree->setIndentation(12);
    m_pTree->setFrameShape(QFrame::NoFrame); // the flat style
    m_pTree->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::DoubleClicked);
    m_pDelegate = new CPropertyGridDelegate(*this, this);
    m_pTree->setItemDelegate(m_pDelegate);
    m_pTree->installEventFilter(this);
    m_pTree->viewport()->installEventFilter(this);

    m_pDescription = new QLabel(this);
    m_pDescription->setObjectName(QStringLiteral("propertyGridDescription"));
    m_pDescription->setAccessibleName(QString::fromUtf8(panemsg::kDescription));
    m_pDescription->setWordWrap(true);
    m_pDescription->setTextFormat(Qt::RichText);
    m_pDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pDescription->setAutoFillBackground(true);
    m_pDescription->setMargin(4);
    m_pDescription->setFrameShape(QFrame::StyledPanel);

    // The description area below the rows; the user may give it more room.
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("propertyGridSplitter"));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(m_pTree);
    splitter->addWidget(m_pDescription);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    connect(m_pTree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { ShowDescription(current); });
    connect(m_pTree, &QTreeWidget::itemClicked, this, &CPropertyGrid::OnItemClicked);
    connect(m_pTree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        for (Group& g : m_groups)
            if (g.item == item && !m_bRebuilding)
                g.expanded = true;
    });
    connect(m_pTree, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        for (Group& g : m_groups)
            if (g.item == item && !m_bRebuilding)
                g.expanded = false;
    });

    m_colours = {QColor(228, 243, 254), QColor(46, 70, 165), QColor(200, 236, 209), QColor(33, 102, 49),
                 QColor(228, 243, 254), QColor(128, 0, 0),   QColor(255, 159, 159)};
    ApplyFont();
    ApplyPalette();
    ShowDescription(nullptr);
}

CPropertyGrid::~CPropertyGrid()
{
    // The rows must not reach back into a half-destroyed grid.
    for (Group& g : m_groups)
        for (auto& row : g.rows)
            row->SetGrid(nullptr);
}

// ---- groups and rows --------------------------------------------------------------------

int CPropertyGrid::AddGroup(const QString& caption)
{
    Group g;
    g.caption = caption;
    m_groups.push_back(std::move(g));
    Rebuild();
    return static_cast<int>(m_groups.size()) - 1;
}

QString CPropertyGrid::GroupCaption(int group) const
{
    return group >= 0 && group < GroupCount() ? m_groups[static_cast<size_t>(group)].caption : QString();
}

CPropertyGridRow* CPropertyGrid::AddRow(int group, CPropertyGridRow* row)
{
    if (group < 0 || group >= GroupCount()) {
        delete row;
        return nullptr;
    }
    row->SetGrid(this);
    m_groups[static_cast<size_t>(group)].rows.emplace_back(row);
    Rebuild();
    return row;
}

void CPropertyGrid::RemoveRowsOfGroup(int group)
{
    if (group < 0 || group >= GroupCount())
        return;
    Group& g = m_groups[static_cast<size_t>(group)];
    if (g.rows.empty())
        return;
    for (auto& row : g.rows)
        row->SetGrid(nullptr);
    // The items go first: the tree must not paint rows that are gone.
    std::vector<std::unique_ptr<CPropertyGridRow>> removed = std::move(g.rows);
    g.rows.clear();
    Rebuild();
}

QList<CPropertyGridRow*> CPropertyGrid::RowsOfGroup(int group) const
{
    QList<CPropertyGridRow*> rows;
    if (group >= 0 && group < GroupCount())
        for (const auto& row : m_groups[static_cast<size_t>(group)].rows)
            rows.append(row.get());
    return rows;
}

QList<CPropertyGridRow*> CPropertyGrid::Rows() const
{
    QList<CPropertyGridRow*> rows;
    for (int g = 0; g < GroupCount(); ++g)
        rows += RowsOfGroup(g);
    return rows;
}

CPropertyGridRow* CPropertyGrid::Row(int id) const
{
    for (const Group& g : m_groups)
        for (const auto& row : g.rows)
            if (row->Id() == id)
                return row.get();
    return nullptr;
}

QTreeWidgetItem* CPropertyGrid::ItemOf(const CPropertyGridRow* row) const
{
    return m_items.value(row, nullptr);
}

CPropertyGridRow* CPropertyGrid::RowOf(const QTreeWidgetItem* item) const
{
    return m_rowsOfItems.value(item, nullptr);
}

CPropertyGridRow* CPropertyGrid::RowOf(const QModelIndex& index) const
{
    return RowOf(m_pTree->itemFromIndex(index.siblingAtColumn(0)));
}

// ---- layout -------------------------------------------------------------------------------

void CPropertyGrid::Rebuild()
{
    m_bRebuilding = true;
    const CPropertyGridRow* current = RowOf(m_pTree->currentItem());
    m_pTree->clear();
    m_items.clear();
    m_rowsOfItems.clear();
    const auto addRow = [this](QTreeWidgetItem* parent, CPropertyGridRow* row) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_pTree);
        m_items.insert(row, item);
        m_rowsOfItems.insert(item, row);
        FillItem(item, row);
    };
    if (m_bAlphabetic) {
        for (Group& g : m_groups)
            g.item = nullptr;
        QList<CPropertyGridRow*> rows = Rows();
        std::stable_sort(rows.begin(), rows.end(), [](const CPropertyGridRow* a, const CPropertyGridRow* b) {
            return a->Name().compare(b->Name(), Qt::CaseInsensitive) < 0;
        });
        for (CPropertyGridRow* row : rows)
            addRow(nullptr, row);
    } else {
        for (Group& g : m_groups) {
            g.item = new QTreeWidgetItem(m_pTree);
            g.item->setFirstColumnSpanned(true);
            g.item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            FillGroupItem(g.item, g);
            for (const auto& row : g.rows)
                addRow(g.item, row.get());
            g.item->setExpanded(g.expanded);
        }
    }
    m_pTree->setRootIsDecorated(!m_bAlphabetic);
    if (QTreeWidgetItem* item = m_items.value(current, nullptr))
        m_pTree->setCurrentItem(item);
    FitNameColumn();
    m_bRebuilding = false;
    ShowDescription(m_pTree->currentItem());
}

void CPropertyGrid::FillGroupItem(QTreeWidgetItem* item, const Group& group)
{
    item->setText(0, group.caption);
    item->setData(0, Qt::AccessibleTextRole, group.caption);
    QFont bold = m_pTree->font();
    bold.setBold(true);
    item->setFont(0, bold);
    for (int c = 0; c < 2; ++c) {
        item->setBackground(c, m_colours.groupBack);
        item->setForeground(c, m_colours.groupText);
    }
}

void CPropertyGrid::FillItem(QTreeWidgetItem* item, const CPropertyGridRow* row)
{
    item->setText(0, row->Name());
    item->setText(1, row->Value());
    item->setData(0, Qt::UserRole, row->Id());
    item->setData(0, Qt::AccessibleTextRole, row->Name());
    item->setData(1, Qt::AccessibleTextRole, row->Value());
    item->setData(0, Qt::AccessibleDescriptionRole, row->Description());
    item->setData(1, Qt::AccessibleDescriptionRole, row->Description());
    item->setToolTip(1, row->Value());
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (row->IsEditable())
        flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    QFont font = m_pTree->font();
    font.setBold(row->IsModified());
    item->setFont(1, font);
    item->setForeground(0, m_colours.text);
    item->setForeground(1, row->IsEditable() ? m_colours.text : ReadOnlyText(m_colours.text, m_colours.back));
}

void CPropertyGrid::FitNameColumn()
{
    // Row texts in full (a favourite group of 19 letters), until the user
    // sets the width himself; never more than half the grid.
    if (m_bNamesSizedByUser)
        return;
    const int content =
        std::max(kNameColumnWidth, static_cast<const QAbstractItemView*>(m_pTree)->sizeHintForColumn(0));
    const int width = std::min(content, std::max(kNameColumnWidth, m_pTree->viewport()->width() / 2));
    m_bFittingNames = true;
    m_pTree->header()->resizeSection(0, width);
    m_bFittingNames = false;
}

void CPropertyGrid::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FitNameColumn();
}

void CPropertyGrid::UpdateRow(CPropertyGridRow* row)
{
    if (QTreeWidgetItem* item = ItemOf(row)) {
        FillItem(item, row);
        if (item == m_pTree->currentItem())
            ShowDescription(item);
    }
}

void CPropertyGrid::ExpandGroup(int group, bool expand)
{
    if (group < 0 || group >= GroupCount())
        return;
    Group& g = m_groups[static_cast<size_t>(group)];
    g.expanded = expand;
    if (g.item)
        g.item->setExpanded(expand);
}

bool CPropertyGrid::IsGroupExpanded(int group) const
{
    return group >= 0 && group < GroupCount() && m_groups[static_cast<size_t>(group)].expanded;
}

void CPropertyGrid::ExpandAll()
{
    for (int g = 0; g < GroupCount(); ++g)
        ExpandGroup(g, true);
    m_pTree->viewport()->update();
}

void CPropertyGrid::SetAlphabetic(bool alphabetic)
{
    if (alphabetic == m_bAlphabetic)
        return;
    m_bAlphabetic = alphabetic;
    Rebuild();
}

void CPropertyGrid::ClearModified()
{
    for (CPropertyGridRow* row : Rows())
        row->SetModified(false);
}

// ---- editing --------------------------------------------------------------------------------

void CPropertyGrid::CommitValue(CPropertyGridRow* row, const QString& value)
{
    if (!row || !row->IsEditable() || row->Grid() != this || value == row->Value())
        return;
    row->SetValue(value);
    row->SetModified(true);
    emit RowCommitted(row);
}

void CPropertyGrid::CommitLater(int rowId, const QString& value)
{
    // The editor is still open while its data is taken; the pane's answer
    // may rebuild rows, so it runs afterwards.
    const void* key = m_pRecordKey;
    QMetaObject::invokeMethod(
        this,
        [this, rowId, value, key] {
            if (key == m_pRecordKey)
                CommitValue(Row(rowId), value);
        },
        Qt::QueuedConnection);
}

bool CPropertyGrid::EditRow(int id)
{
    CPropertyGridRow* row = Row(id);
    QTreeWidgetItem* item = ItemOf(row);
    if (!item || !row->IsEditable())
        return false;
    m_pTree->setCurrentItem(item, 1);
    m_pTree->editItem(item, 1);
    return m_pTree->itemWidget(item, 1) != nullptr;
}

int CPropertyGrid::NextEditableRow(int id, bool forward) const
{
    // The rows in the order shown: open groups only.
    QList<const CPropertyGridRow*> shown;
    for (int i = 0; i < m_pTree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* top = m_pTree->topLevelItem(i);
        if (const CPropertyGridRow* row = RowOf(top))
            shown.append(row);
        if (top->isExpanded())
            for (int c = 0; c < top->childCount(); ++c)
                if (const CPropertyGridRow* row = RowOf(top->child(c)))
                    shown.append(row);
    }
    if (!forward)
        std::reverse(shown.begin(), shown.end());
    bool passed = false;
    for (const CPropertyGridRow* row : shown) {
        if (passed && row->IsEditable())
            return row->Id();
        passed = passed || row->Id() == id;
    }
    return 0;
}

void CPropertyGrid::ShowContextMenu(const QContextMenuEvent* event)
{
    if (m_contextActions.isEmpty())
        return;
    QPoint global = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        // From the keyboard: at the current row, or the top of the rows.
        const QTreeWidgetItem* current = m_pTree->currentItem();
        const QRect rect = current ? m_pTree->visualItemRect(current) : QRect();
        global = m_pTree->viewport()->mapToGlobal(rect.isValid() ? rect.center() : QPoint(8, 8));
    }
    delete m_pMenu;
    m_pMenu = new QMenu(this);
    m_pMenu->setObjectName(QStringLiteral("propertyGridMenu"));
    m_pMenu->setAccessibleName(m_pTree->accessibleName());
    m_pMenu->setAttribute(Qt::WA_DeleteOnClose);
    m_pMenu->addActions(m_contextActions);
    m_pMenu->popup(global);
}

bool CPropertyGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_pTree && watched != m_pTree->viewport())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::ContextMenu) {
        ShowContextMenu(static_cast<QContextMenuEvent*>(event));
        return true;
    }
    if (watched == m_pTree && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // F2 edits the value of the current row, whichever column has the focus.
        if (key->key() == Qt::Key_F2 && key->modifiers() == Qt::NoModifier) {
            if (const CPropertyGridRow* row = RowOf(m_pTree->currentItem()))
                EditRow(row->Id());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CPropertyGrid::OnItemClicked(QTreeWidgetItem* item, int column)
{
    // A click anywhere on an editable row opens its value.
    const CPropertyGridRow* row = RowOf(item);
    if (row && row->IsEditable() && column == 0)
        m_pTree->editItem(item, 1);
}

// ---- looks ------------------------------------------------------------------------------------

void CPropertyGrid::ShowDescription(QTreeWidgetItem* item)
{
    const CPropertyGridRow* row = RowOf(item);
    QString text;
    if (row)
        text =
            QStringLiteral("<b>%1</b><br>%2").arg(row->Name().toHtmlEscaped(), row->Description().toHtmlEscaped());
    else if (item)
        text = QStringLiteral("<b>%1</b>").arg(item->text(0).toHtmlEscaped());
    m_pDescription->setText(text);
    m_pDescription->setAccessibleDescription(row ? row->Description() : QString());
}

void CPropertyGrid::ShowRefusal(const QString& text)
{
    m_pDescription->setText(QStringLiteral("<b>%1</b>").arg(text.toHtmlEscaped()));
    m_pDescription->setAccessibleDescription(text);
    QToolTip::showText(m_pDescription->mapToGlobal(QPoint(0, 0)), text, m_pDescription);
}

void CPropertyGrid::SetColours(const GridColours& colours)
{
    m_colours = colours;
    ApplyPalette();
    Rebuild();
}

void CPropertyGrid::ApplyPalette()
{
    QPalette pal = m_pTree->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, m_colours.back);
        pal.setColor(group, QPalette::AlternateBase, m_colours.back);
        pal.setColor(group, QPalette::Window, m_colours.back);
        pal.setColor(group, QPalette::Text, m_colours.text);
    }
    m_pTree->setPalette(pal);
    QPalette desc = m_pDescription->palette();
    desc.setColor(QPalette::Window, m_colours.descriptionBack);
    desc.setColor(QPalette::WindowText, m_colours.descriptionText);
    m_pDescription->setPalette(desc);
}

void CPropertyGrid::ApplyFont()
{
    // The grid follows the system's message font: its size, weight and slant.
    const QFont system = QApplication::font("QMessageBox");
    QFont font = m_pTree->font();
    font.setFamily(system.family());
    if (system.pointSizeF() > 0)
        font.setPointSizeF(system.pointSizeF());
    else
        font.setPixelSize(system.pixelSize());
    font.setWeight(system.weight());
    font.setItalic(system.italic());
    m_pTree->setFont(font);
    m_pDescription->setFont(font);
    // Room for the row text and one line of description.
    m_pDescription->setMinimumHeight(QFontMetrics(font).lineSpacing() * 2 + 10);
    Rebuild();
}

bool CPropertyGrid::event(QEvent* event)
{
    if (event->type() == QEvent::ApplicationFontChange)
        ApplyFont();
    return QWidget::event(event);
}
