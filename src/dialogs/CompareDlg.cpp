#include "CompareDlg.h"

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

#include "uibase/AppMessages.h"
#include "uibase/Document.h"
#include "NumericTreeItem.h"
#include "uibase/UserPrompts.h"
#include "document/ExchangeMessages.h"
#include "document/FileLayer.h"
#include "document/Messages.h"
#include "document/ReferenceMessages.h"
#include "document/VandrelEdit2028Doc.h"

namespace {
const char* const kTitle = "Vergleichen mit";
const char* const kSourceLabel = "&Vergleichen mit:";
const char* const kFileButton = "&Datei...";
const char* const kSaveButton = "Als &Text speichern...";
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
        m_differences.clear();
        m_pTable->clear();
        m_pSaveButton->setEnabled(false);
        m_pSummary->setText(QString::fromUtf8(kNothingChosen));
        FillSources();
    });
    Compare(other->Core(), other->Title());
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
    Compare(*m_pFile, QFileInfo(path).fileName());
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

void CCompareDlg::Compare(const CVandrelEdit2028Doc& other, const QString& name)
{
    m_differences = CompareDatabases(other, m_active.Core());
    int added = 0;
    int gone = 0;
    m_pTable->setSortingEnabled(false);
    m_pTable->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<int>(m_differences.size()));
    for (size_t i = 0; i < m_differences.size(); ++i) {
        const ChannelDifference& d = m_differences[i];
        added += d.sign == '+';
        gone += d.sign == '-';
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
    for (int c = 0; c < 4; ++c)
        m_pTable->resizeColumnToContents(c);
    const int changed = static_cast<int>(m_differences.size()) - added - gone;
    m_pSummary->setText(
        m_differences.empty()
            ? QString::fromUtf8(kNoDifferences).arg(name, m_active.Title())
            : QString::fromUtf8(kCounts).arg(name, m_active.Title()).arg(added).arg(gone).arg(changed));
    m_pSaveButton->setEnabled(true);
}

void CCompareDlg::ShowRow(QTreeWidgetItem* item)
{
    if (item == nullptr || !m_showChannel)
        return;
    const size_t i = item->data(0, kIndexRole).toULongLong();
    if (i >= m_differences.size())
        return;
    const ChannelDifference& d = m_differences[i];
    // A channel of the active document, or one only the other open document has.
    if (d.newService)
        m_showChannel(&m_active, d.newService);
    else if (m_pOther)
        m_showChannel(m_pOther, d.oldService);
}

void CCompareDlg::SaveAsText()
{
    QString path = m_prompts.GetSaveFileName(this, QString::fromUtf8(kSaveCaption), QString(),
                                             QString::fromUtf8(kSaveFilter));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".txt");
    const std::string text = FormatDifferences(m_differences);
    std::string error;
    if (!CFileLayer::Default().WriteFileAtomic(QFile::encodeName(path).toStdString(),
                                               reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                                               error)) {
        m_prompts.Warning(this, QString::fromUtf8(appmsg::kAppName), QString::fromStdString(error));
        return;
    }
    m_prompts.Information(this, QString::fromUtf8(appmsg::kAppName), QString::fromUtf8(exmsg::kCsvCreated));
}
