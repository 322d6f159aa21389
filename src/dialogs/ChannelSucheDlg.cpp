#include "ChannelSucheDlg.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTreeWidget>
#include <algorithm>

#include "uibase/Document.h"
#include "uibase/ValueLabel.h"

namespace {
constexpr int kServiceRole = Qt::UserRole + 1;
enum Column { kColNr, kColName, kColType, kColSatellite, kColScrambled, kColumnCount };

// "Nr" sorts as integers, every other column by its upper-cased text.
class CHitItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        if (column == kColNr)
            return text(kColNr).toInt() < other.text(kColNr).toInt();
        return text(column).toUpper() < other.text(column).toUpper();
    }
};

QString EmptyCount()
{
    return QString::fromUtf8("        0     Kanäle");
}
} // namespace

CChannelSucheDlg::CChannelSucheDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("channelSearchPane"));
    setAccessibleName(QStringLiteral("Suchen"));
    m_pResults = new QTreeWidget(this);
    m_pResults->setObjectName(QStringLiteral("searchResults"));
    m_pResults->setAccessibleName(QStringLiteral("Suchergebnisse"));
    m_pResults->setRootIsDecorated(false);
    m_pResults->setUniformRowHeights(true);
    m_pResults->setAllColumnsShowFocus(true);
    m_pResults->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pResults->setHeaderLabels({QStringLiteral("Nr"), QStringLiteral("Kanalname"), QStringLiteral("Typ"),
                                 QStringLiteral("Satellit"), QStringLiteral("Vers.")});
    const int widths[kColumnCount] = {40, 100, 40, 70, 30};
    for (int c = 0; c < kColumnCount; ++c)
        m_pResults->setColumnWidth(c, widths[c]);
    m_pResults->header()->setSectionsMovable(true);
    m_pResults->setSortingEnabled(true);
    m_pResults->sortByColumn(kColNr, Qt::AscendingOrder);

    m_pLabel = new QLabel(QStringLiteral("Suchen nach .  .  ."), this);
    m_pEdit = new QLineEdit(this);
    m_pEdit->setObjectName(QStringLiteral("searchText"));
    m_pEdit->setAccessibleName(QStringLiteral("Suchen nach"));
    m_pLabel->setBuddy(m_pEdit);
    // Showing and activating the pane puts the cursor into the text field.
    setFocusProxy(m_pEdit);
    m_pCount = new CValueLabel(QStringLiteral("Trefferzahl"), EmptyCount(), this);
    m_pCount->setObjectName(QStringLiteral("searchHitCount"));
    m_pCount->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0); background: transparent;"));

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_pResults, 0, 0, 1, 3);
    layout->addWidget(m_pLabel, 1, 0);
    layout->addWidget(m_pEdit, 1, 1);
    layout->addWidget(m_pCount, 1, 2);
    layout->setColumnStretch(1, 1);

    connect(m_pEdit, &QLineEdit::textChanged, this, [this] { RunSearch(); });
    connect(m_pResults, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (item)
            emit ServiceChosen(static_cast<CServiceData*>(item->data(0, kServiceRole).value<void*>()));
    });
    m_pEdit->installEventFilter(this);
    m_pResults->installEventFilter(this);
}

bool CChannelSucheDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return QWidget::eventFilter(watched, event);
    // Down in the field goes on to the hits, the first one when none is current.
    if (watched == m_pEdit && key->key() == Qt::Key_Down && m_pResults->topLevelItemCount() > 0) {
        if (!m_pResults->currentItem())
            m_pResults->setCurrentItem(m_pResults->topLevelItem(0));
        m_pResults->setFocus(Qt::TabFocusReason);
        return true;
    }
    // Enter on a hit chooses it as a click does.
    if (watched == m_pResults && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        if (QTreeWidgetItem* item = m_pResults->currentItem()) {
            emit ServiceChosen(static_cast<CServiceData*>(item->data(0, kServiceRole).value<void*>()));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QSize CChannelSucheDlg::sizeHint() const
{
    int columns = 0;
    for (int c = 0; c < kColumnCount; ++c)
        columns += m_pResults->columnWidth(c);
    const int list = columns + 2 * m_pResults->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int field = m_pLabel->sizeHint().width() + m_pEdit->fontMetrics().averageCharWidth() * 16 +
                      m_pCount->sizeHint().width() + 2 * layout()->spacing();
    const QMargins margins = layout()->contentsMargins();
    return {std::max(list, field) + margins.left() + margins.right(), QWidget::sizeHint().height()};
}

CDocument* CChannelSucheDlg::BoundDocument() const
{
    return m_target.GetDocument() ? m_pDocument : nullptr;
}

QString CChannelSucheDlg::HitCountText() const
{
    return m_pCount->text();
}

void CChannelSucheDlg::Bind(CDocument* document, bool television, bool autoNumbering)
{
    m_bAutoNumbering = autoNumbering;
    if (document != m_pDocument) {
        if (m_pDocument)
            disconnect(m_pDocument, &QObject::destroyed, this, nullptr);
        // Never keep the records of a document that goes away.
        if (document)
            connect(document, &QObject::destroyed, this, &CChannelSucheDlg::Reset);
    }
    const bool changed = m_target.Bind(document ? &document->Core() : nullptr, television);
    m_pDocument = document;
    if (changed)
        RunSearch();
}

void CChannelSucheDlg::SearchAgain()
{
    RunSearch();
}

void CChannelSucheDlg::Reset()
{
    m_target.Reset();
    if (m_pDocument)
        disconnect(m_pDocument, &QObject::destroyed, this, nullptr);
    m_pDocument = nullptr;
    const QSignalBlocker block(m_pEdit);
    m_pEdit->clear();
    m_pResults->clear();
    m_pCount->SetValue(EmptyCount());
}

void CChannelSucheDlg::RunSearch()
{
    m_pResults->clear();
    const CVandrelEdit2028Doc* doc = m_target.GetDocument();
    const std::string text = m_pEdit->text().toStdString();
    if (doc == nullptr || !IsSearchTextLongEnough(text)) {
        m_pCount->SetValue(QString::fromStdString(SearchHitCountText(0)));
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<SearchHit> hits = SearchChannels(*doc, text, m_target.IsTelevision(), m_bAutoNumbering);
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<int>(hits.size()));
    for (const SearchHit& hit : hits) {
        auto* item = new CHitItem;
        item->setText(kColNr, QString::number(hit.number));
        item->setTextAlignment(kColNr, Qt::AlignRight | Qt::AlignVCenter);
        item->setText(kColName, QString::fromStdString(hit.name));
        item->setText(kColType, QString::fromStdString(hit.type));
        item->setText(kColSatellite, QString::fromStdString(hit.satellite));
        item->setText(kColScrambled, QString::fromStdString(hit.scrambled));
        item->setData(0, kServiceRole, QVariant::fromValue<void*>(hit.service));
        items.append(item);
    }
    m_pResults->addTopLevelItems(items);
    m_pCount->SetValue(QString::fromStdString(SearchHitCountText(static_cast<int>(hits.size()))));
    QGuiApplication::restoreOverrideCursor();
}
