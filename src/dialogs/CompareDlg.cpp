#include "CompareDlg.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ExchangeCommands.h"
#include "NumericTreeItem.h"
#include "document/Messages.h"
#include "document/ReferenceMessages.h"
#include "document/VandrelEdit2028Doc.h"
#include "uibase/AppMessages.h"
#include "uibase/Document.h"
#include "uibase/UserPrompts.h"

namespace {
const char* const kTitle = "Vergleichen mit";
const char* const kSourceLabel = "&Vergleichen mit:";
const char* const kFileButton = "&Datei...";
const char* const kSaveButton = "Als &Text speichern...";
const char* const kSwapButton = "Alt und neu &tauschen";
const char* const kIgnoreNr = "Einträge &ausblenden, bei denen sich nur die Nr geändert hat";
const char* const kOpenCaption = "Datenbank zum Vergleichen öffnen";
const char* const kOpenFilter = "Kanallisten (*.ndb);;Alle Dateien (*)";
const char* const kSaveCaption = "Unterschiede speichern";
const char* const kSaveFilter = "Textdatei (*.txt)";
const char* const kNothingChosen = "Bitte ein anderes Dokument oder eine Datei zum Vergleichen wählen.";
// %1 the other database (old), %2 the active one (new).
const char* const kNoDifferences = "„%1“ und „%2“ enthalten dieselben Kanäle mit denselben Daten.";
// %1 old, %2 new, %3 new channels, %4 channels gone, %5 changed channels.
const char* const kCounts = "Von „%1“ nach „%2“: %3 neu, %4 entfallen, %5 geändert.";
const char* const kCompareAnyway = "\n\nTrotzdem vergleichen?";
const char* const kNoOtherDocument = "(kein anderes Dokument geöffnet)";
const char* const kFilePlaceholder = "Datei „%1“";
const char* const kNew = "neu";
const char* const kGone = "entfallen";
const char* const kColumns[] = {"Typ", "Nr alt", "Nr neu", "Kanalname", "Unterschied"};
// The row's place in the differences.
constexpr int kIndexRole = Qt::UserRole + 1;

QPushButton* Button(QWidget* parent, const char* text, const QString& name)
{
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(name);
    QString plain = b->text();
    b->setAccessibleName(plain.remove(QLatin1Char('&')));
    return b;
}
} // namespace

CCompareDlg::CCompareDlg(CDocument& active, IUserPrompts& prompts, DocumentsFn openDocuments,
                         ShowChannelFn showChannel, QWidget* parent)
    : QDialog(parent), m_active(active), m_prompts(prompts), m_openDocuments(std::move(openDocuments)),
      m_showChannel(std::move(showChannel))
{
    setObjectName(QStringLiteral("compareDialog"));
    setWindowTitle(QString::fromUtf8(kTitle) + QStringLiteral(" – ") + active.Title());
    setAccessibleName(QString::fromUtf8(kTitle));
    auto* layout = new QVBoxLayout(this);

    auto* sourceRow = new QHBoxLayout;
    auto* sourceLabel = new QLabel(QString::fromUtf8(kSourceLabel), this);
    m_pSource = new QComboBox(this);
    m_pSource->setObjectName(QStringLiteral("compareSource"));
    m_pSource->setAccessibleName(QStringLiteral("Vergleichen mit"));
    m_pSource->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_pSource->setMinimumContentsLength(24);
    sourceLabel->setBuddy(m_pSource);
    m_pFileButton = Button(this, kFileButton, QStringLiteral("compareFileButton"));
    sourceRow->addWidget(sourceLabel);
    sourceRow->addWidget(m_pSource, 1);
    sourceRow->addWidget(m_pFileButton);
    layout->addLayout(sourceRow);

    m_pSummary = new QLabel(QString::fromUtf8(kNothingChosen), this);
    m_pSummary->setObjectName(QStringLiteral("compareSummary"));
    m_pSummary->setWordWrap(true);
    m_pSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_pSummary);
    m_pDetails = new QLabel(this);
    m_pDetails->setObjectName(QStringLiteral("compareDetails"));
    m_pDetails->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pDetails->setVisible(false);
    layout->addWidget(m_pDetails);

    auto* optionRow = new QHBoxLayout;
    m_pIgnoreNr = new QCheckBox(QString::fromUtf8(kIgnoreNr), this);
    m_pIgnoreNr->setObjectName(QStringLiteral("compareIgnoreNr"));
    QString ignorePlain = m_pIgnoreNr->text();
    m_pIgnoreNr->setAccessibleName(ignorePlain.remove(QLatin1Char('&')));
    m_pSwapButton = Button(this, kSwapButton, QStringLiteral("compareSwapButton"));
    m_pSwapButton->setEnabled(false);
    optionRow->addWidget(m_pIgnoreNr, 1);
    optionRow->addWidget(m_pSwapButton);
    layout->addLayout(optionRow);

    m_pTable = new QTreeWidget(this);
    m_pTable->setObjectName(QStringLiteral("compareTable"));
    m_pTable->setAccessibleName(QStringLiteral("Unterschiede"));
    m_pTable->setRootIsDecorated(false);
    m_pTable->setUniformRowHeights(true);
    m_pTable->setAlternatingRowColors(true);
    m_pTable->setSelectionMode(QAbstractItemView::SingleSelection);
    QStringList headers;
    for (const char* c : kColumns)
        headers << QString::fromUtf8(c);
    m_pTable->setHeaderLabels(headers);
    // Widths from typical texts: measuring every row of a rescan's thousands
    // of differences would hold the window up.
    const QFontMetrics metrics = m_pTable->fontMetrics();
    const int digit = metrics.horizontalAdvance(QLatin1Char('0'));
    const int widths[] = {6, 7, 7, 26};
    for (int c = 0; c < 4; ++c)
        m_pTable->setColumnWidth(c, std::max(metrics.horizontalAdvance(headers[c]) + 24, digit * widths[c] + 16));
    // Unsorted at first: the rows stand as the lines of the text.
    m_pTable->header()->setSortIndicator(-1, Qt::AscendingOrder);
    m_pTable->setSortingEnabled(true);
    layout->addWidget(m_pTable, 1);

    auto* buttons = new QDialogButtonBox(this);
    m_pSaveButton = Button(this, kSaveButton, QStringLiteral("compareSaveButton"));
    m_pSaveButton->setEnabled(false);
    buttons->addButton(m_pSaveButton, QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setText(QStringLiteral("Schließen"));
    close->setObjectName(QStringLiteral("compareClose"));
    close->setAccessibleName(close->text());
    layout->addWidget(buttons);

    FillSources();
    connect(m_pSource, &QComboBox::activated, this, [this](int index) {
        CompareWithDocument(static_cast<CDocument*>(m_pSource->itemData(index).value<void*>()));
    });
    connect(m_pFileButton, &QPushButton::clicked, this, [this] { ChooseFile(); });
    connect(m_pSaveButton, &QPushButton::clicked, this, &CCompareDlg::SaveAsText);
    connect(m_pSwapButton, &QPushButton::clicked, this, &CCompareDlg::SwapSides);
    connect(m_pIgnoreNr, &QCheckBox::toggled, this, &CCompareDlg::FillTable);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pTable, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { ShowRow(item); });
    // The table points at records of the active document: it goes with it.
    connect(&active, &QObject::destroyed, this, &QWidget::close);
    resize(760, 480);
}

CCompareDlg::~CCompareDlg() = default;

void CCompareDlg::FillSources()
{
    m_pSource->clear();
    for (CDocument* doc : m_openDocuments()) {
        if (doc != &m_active)
            m_pSource->addItem(doc->Title(), QVariant::fromValue(static_cast<void*>(doc)));
    }
    m_pSource->setEnabled(m_pSource->count() > 0);
    if (!m_pFile)
        m_pSource->setPlaceholderText(m_pSource->count() > 0 ? QString() : QString::fromUtf8(kNoOtherDocument));
    // The compared document stays chosen.
    m_pSource->setCurrentIndex(
        m_pOther ? m_pSource->findData(QVariant::fromValue(static_cast<void*>(m_pOther.data()))) : -1);
}

bool CCompareDlg::CompareWithFirstDocument()
{
    if (m_pSource->count() == 0)
        return false;
    CompareWithDocument(static_cast<CDocument*>(m_pSource->itemData(0).value<void*>()));
    return true;
}

void CCompareDlg::CompareWithDocument(CDocument* other)
{
    if (other == nullptr || other == &m_active || !MayCompare(other->Core(), other->Title()))
        return;
    if (m_pOther)
        disconnect(m_pOther, nullptr, this, nullptr);
    m_pOther = other;
    m_pFile.reset();
    m_pSource->setCurrentIndex(m_pSource->findData(QVariant::fromValue(static_cast<void*>(other))));
    // A closed document takes its records with it: the table is emptied.
    connect(other, &QObject::destroyed, this, [this] {
        m_pOther = nullptr;
        Reset();
        FillSources();
    });
    m_strOtherName = other->Title();
    Compare();
}

void CCompareDlg::Reset()
{
    m_differences.clear();
    m_pTable->clear();
    m_pSaveButton->setEnabled(false);
    m_pSwapButton->setEnabled(false);
    m_pSummary->setText(QString::fromUtf8(kNothingChosen));
    m_pDetails->clear();
    m_pDetails->setVisible(false);
}

const CVandrelEdit2028Doc* CCompareDlg::OtherCore() const
{
    if (m_pOther)
        return &m_pOther->Core();
    return m_pFile.get();
}

void CCompareDlg::SwapSides()
{
    if (!OtherCore())
        return;
    m_bSwapped = !m_bSwapped;
    Compare();
}

bool CCompareDlg::CompareWithFile(const QString& path)
{
    auto file = std::make_unique<CVandrelEdit2028Doc>();
    std::string error;
    const LoadStatus status = file->LoadFile(QFile::encodeName(path).toStdString(), error);
    if (status == LoadStatus::Refused || status == LoadStatus::ReadError) {
        m_prompts.Warning(this, QString::fromUtf8(appmsg::kAppName),
                          status == LoadStatus::Refused
                              ? QStringLiteral("„%1“: ").arg(QFileInfo(path).fileName()) +
                                    QString::fromUtf8(msg::kUnexpectedFormat)
                              : QString::fromStdString(error));
        return false;
    }
    if (!MayCompare(*file, QFileInfo(path).fileName()))
        return false;
    if (m_pOther)
        disconnect(m_pOther, nullptr, this, nullptr);
    m_pOther = nullptr;
    m_pFile = std::move(file);
    m_pSource->setPlaceholderText(QString::fromUtf8(kFilePlaceholder).arg(QFileInfo(path).fileName()));
    m_pSource->setCurrentIndex(-1);
    m_strOtherName = QFileInfo(path).fileName();
    Compare();
    return true;
}

bool CCompareDlg::ChooseFile()
{
    const QString path = m_prompts.GetOpenFileName(this, QString::fromUtf8(kOpenCaption), QString(),
                                                   QString::fromUtf8(kOpenFilter));
    return !path.isEmpty() && CompareWithFile(path);
}

bool CCompareDlg::MayCompare(const CVandrelEdit2028Doc& other, const QString& name)
{
    const std::string partly =
        PartlyReadComparison(other, name.toStdString(), m_active.Core(), m_active.Title().toStdString());
    return partly.empty() ||
           m_prompts.Question(this, QString::fromUtf8(appmsg::kAppName),
                              QString::fromStdString(partly) + QString::fromUtf8(kCompareAnyway),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void CCompareDlg::Compare()
{
    const CVandrelEdit2028Doc* other = OtherCore();
    if (!other)
        return;
    m_differences =
        m_bSwapped ? CompareDatabases(m_active.Core(), *other) : CompareDatabases(*other, m_active.Core());
    const QString oldName = m_bSwapped ? m_active.Title() : m_strOtherName;
    const QString newName = m_bSwapped ? m_strOtherName : m_active.Title();
    const DifferenceSummary summary = SummarizeDifferences(m_differences);
    m_pSummary->setText(m_differences.empty() ? QString::fromUtf8(kNoDifferences).arg(oldName, newName)
                                              : QString::fromUtf8(kCounts)
                                                    .arg(oldName, newName)
                                                    .arg(summary.added)
                                                    .arg(summary.removed)
                                                    .arg(summary.changed));
    // The first summary line repeats the counts above.
    const std::vector<std::string> lines = SummaryLines(summary);
    QStringList details;
    for (size_t i = 1; i < lines.size(); ++i)
        details << QString::fromStdString(lines[i]);
    m_pDetails->setText(details.join(QLatin1Char('\n')));
    m_pDetails->setVisible(!details.isEmpty());
    m_pSaveButton->setEnabled(true);
    m_pSwapButton->setEnabled(true);
    FillTable();
}

void CCompareDlg::FillTable()
{
    const bool ignoreNr = m_pIgnoreNr->isChecked();
    m_pTable->setSortingEnabled(false);
    m_pTable->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<int>(m_differences.size()));
    for (size_t i = 0; i < m_differences.size(); ++i) {
        const ChannelDifference& d = m_differences[i];
        if (ignoreNr && OnlyNumberChanged(d))
            continue;
        auto* item = new CNumericTreeItem;
        item->setText(0, QString::fromUtf8(d.radio ? refmsg::kTypeRadio : refmsg::kTypeTv));
        item->setText(1, d.oldNumber ? QString::number(d.oldNumber) : QString());
        item->setText(2, d.newNumber ? QString::number(d.newNumber) : QString());
        item->setText(3, QString::fromStdString(d.name));
        item->setText(4, d.sign == '+'   ? QString::fromUtf8(kNew)
                         : d.sign == '-' ? QString::fromUtf8(kGone)
                                         : QString::fromStdString(ChangesText(d)));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(0, kIndexRole, static_cast<qulonglong>(i));
        items.append(item);
    }
    m_pTable->addTopLevelItems(items);
    m_pTable->header()->setSortIndicator(-1, Qt::AscendingOrder);
    m_pTable->setSortingEnabled(true);
}

void CCompareDlg::ShowRow(QTreeWidgetItem* item)
{
    if (item == nullptr || !m_showChannel)
        return;
    const size_t i = item->data(0, kIndexRole).toULongLong();
    if (i >= m_differences.size())
        return;
    const ChannelDifference& d = m_differences[i];
    // A channel of the active document, or one only the other open document
    // has; with the sides swapped the active document is the old side.
    if (m_bSwapped ? d.oldService : d.newService)
        m_showChannel(&m_active, m_bSwapped ? d.oldService : d.newService);
    else if (m_pOther)
        m_showChannel(m_pOther, m_bSwapped ? d.newService : d.oldService);
}

void CCompareDlg::SaveAsText()
{
    const QString path = m_prompts.GetSaveFileName(this, QString::fromUtf8(kSaveCaption),
                                                   SuggestedFileName(m_active, QStringLiteral(".txt")),
                                                   QString::fromUtf8(kSaveFilter));
    if (path.isEmpty())
        return;
    const QString oldName = m_bSwapped ? m_active.Title() : m_strOtherName;
    const QString newName = m_bSwapped ? m_strOtherName : m_active.Title();
    SaveTextFile(path,
                 FormatComparison(oldName.toStdString(), newName.toStdString(), m_differences,
                                  m_pIgnoreNr->isChecked()),
                 m_prompts, this);
}
