#include "ReferenceReportDlg.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ExchangeCommands.h"
#include "NumericTreeItem.h"
#include "document/ReferenceMatch.h"
#include "document/ReferenceMessages.h"
#include "uibase/UserPrompts.h"

namespace {
const char* const kTitle = "Referenzliste angewendet";
const char* const kHeading = "Die Referenzliste „%1“ wurde angewendet.";
const char* const kReviewCaption = "Bitte prüfen: Zeilen, die nicht über den Satelliten zugeordnet wurden:";
const char* const kLinesCaption = "Zeilen der Liste, die keinen Kanal zugeordnet haben:";
const char* const kAllLinesUsed = "Jede Zeile der Liste hat einen Kanal zugeordnet.";
const char* const kNewHint =
    "Die neuen Kanäle stehen am Ende ihrer Liste und tragen in der Spalte „Nr“ einen Stern, bis das Dokument "
    "gespeichert oder geschlossen wird. „Neue auswählen“ wählt sie in der Liste aus.";
const char* const kReviewColumns[] = {"Zeile", "Nr", "Name in der Liste", "Kanal jetzt", "Zugeordnet"};
const char* const kColumns[] = {"Zeile", "Typ", "Nr", "Kanalname", "Grund"};
const char* const kSelectNew = "&Neue auswählen";
const char* const kCopy = "&Kopieren";
const char* const kSave = "Als &Text speichern...";
const char* const kSaveCaption = "Bericht speichern";
const char* const kSaveFilter = "Textdatei (*.txt)";

QPushButton* Button(QWidget* parent, const char* text, const QString& name)
{
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(name);
    QString plain = b->text();
    b->setAccessibleName(plain.remove(QLatin1Char('&')));
    return b;
}

// A table for many rows: widths come from the headers and typical texts,
// never from measuring every row (a report may hold 20000 of them).
QTreeWidget* Table(QWidget* parent, const QString& name, const QString& accessible, const char* const* columns,
                   int count, const std::initializer_list<int>& widths)
{
    auto* table = new QTreeWidget(parent);
    table->setObjectName(name);
    table->setAccessibleName(accessible);
    table->setRootIsDecorated(false);
    table->setUniformRowHeights(true);
    table->setAlternatingRowColors(true);
    QStringList headers;
    for (int i = 0; i < count; ++i)
        headers << QString::fromUtf8(columns[i]);
    table->setHeaderLabels(headers);
    const QFontMetrics metrics = table->fontMetrics();
    int c = 0;
    for (int chars : widths) {
        const int header = metrics.horizontalAdvance(headers[c]) + 24;
        table->setColumnWidth(c, std::max(header, metrics.horizontalAdvance(QLatin1Char('0')) * chars + 16));
        ++c;
    }
    table->header()->setStretchLastSection(true);
    return table;
}

void Fill(QTreeWidget* table, QList<QTreeWidgetItem*> items)
{
    table->addTopLevelItems(items);
    // The entries come by line number already; sorting stays for the user.
    table->header()->setSortIndicator(0, Qt::AscendingOrder);
    table->setSortingEnabled(true);
}
} // namespace

CReferenceReportDlg::CReferenceReportDlg(const ReferenceApplyResult& result, const QString& listName,
                                         IUserPrompts& prompts, std::function<void()> selectNew,
                                         const QString& suggestedName, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_text(FormatReferenceReport(result)), m_strSuggestedName(suggestedName)
{
    setObjectName(QStringLiteral("referenceReportDialog"));
    setWindowTitle(QString::fromUtf8(kTitle));
    setAccessibleName(windowTitle());
    auto* layout = new QVBoxLayout(this);

    auto* heading = new QLabel(QString::fromUtf8(kHeading).arg(listName), this);
    heading->setObjectName(QStringLiteral("referenceReportHeading"));
    heading->setWordWrap(true);
    layout->addWidget(heading);
    m_pHint = new QLabel(QString::fromStdString(result.hint), this);
    m_pHint->setObjectName(QStringLiteral("referenceHint"));
    m_pHint->setWordWrap(true);
    m_pHint->setAccessibleName(m_pHint->text());
    m_pHint->setVisible(!result.hint.empty());
    QFont bold = m_pHint->font();
    bold.setBold(true);
    m_pHint->setFont(bold);
    layout->addWidget(m_pHint);
    const std::vector<std::string> counts = ReportSummaryLines(result);
    for (size_t i = 0; i < m_counts.size(); ++i) {
        auto* label = new QLabel(QString::fromStdString(counts[i]), this);
        label->setObjectName(QStringLiteral("referenceCount%1").arg(i));
        label->setAccessibleName(label->text());
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(label);
        m_counts[i] = label;
    }

    const bool anyReviewed = !result.reviewed.empty();
    auto* reviewCaption = new QLabel(QString::fromUtf8(kReviewCaption), this);
    reviewCaption->setObjectName(QStringLiteral("referenceReviewCaption"));
    m_pReviewed = Table(this, QStringLiteral("referenceReviewed"), QString::fromUtf8(kReviewCaption),
                        kReviewColumns, 5, {6, 6, 22, 22});
    QList<QTreeWidgetItem*> reviewed;
    reviewed.reserve(static_cast<int>(result.reviewed.size()));
    for (const ReferenceMatchReview& r : result.reviewed) {
        auto* item = new CNumericTreeItem;
        item->setText(0, QString::number(r.lineNumber));
        item->setText(1, QString::fromStdString(r.number));
        item->setText(2, QString::fromStdString(r.listName));
        item->setText(3, QString::fromStdString(r.channelName));
        item->setText(4, QString::fromUtf8(r.rule == ReferenceRule::Identifiers ? refmsg::kRuleIdentifiers
                                           : r.rule == ReferenceRule::OnidSid   ? refmsg::kRuleOnidSid
                                                                                : refmsg::kRuleName));
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        reviewed.append(item);
    }
    Fill(m_pReviewed, reviewed);
    reviewCaption->setVisible(anyReviewed);
    m_pReviewed->setVisible(anyReviewed);
    layout->addSpacing(6);
    layout->addWidget(reviewCaption);
    layout->addWidget(m_pReviewed, 1);

    const bool anyUnused = !result.notFound.empty() || !result.unreadable.empty();
    auto* linesCaption = new QLabel(QString::fromUtf8(anyUnused ? kLinesCaption : kAllLinesUsed), this);
    linesCaption->setObjectName(QStringLiteral("referenceLinesCaption"));
    layout->addSpacing(6);
    layout->addWidget(linesCaption);
    m_pLines = Table(this, QStringLiteral("referenceLines"), QString::fromUtf8(kLinesCaption), kColumns, 5,
                     {6, 6, 6, 22});
    QList<QTreeWidgetItem*> lines;
    const auto add = [&lines](const ReferenceLineIssue& issue, const QString& reason) {
        auto* item = new CNumericTreeItem;
        item->setText(0, QString::number(issue.lineNumber));
        item->setText(1, QString::fromStdString(issue.type));
        item->setText(2, QString::fromStdString(issue.number));
        item->setText(3, QString::fromStdString(issue.name));
        item->setText(4, reason);
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        lines.append(item);
    };
    // At most the report's limit of lines; the rest are counted below.
    size_t more = 0;
    for (const ReportedIssue& r : ReportedIssues(result, more))
        add(*r.issue, r.unreadable ? QString::fromUtf8(refmsg::kUnreadable) + QStringLiteral(": ") +
                                         QString::fromStdString(r.issue->reason)
                                   : QString::fromUtf8(refmsg::kNotFoundLine));
    Fill(m_pLines, lines);
    m_pLines->setVisible(anyUnused);
    layout->addWidget(m_pLines, 1);
    if (more > 0) {
        auto* rest = new QLabel(QString::fromStdString(MoreLinesText(more)), this);
        rest->setObjectName(QStringLiteral("referenceMoreLines"));
        layout->addWidget(rest);
    }

    if (!result.newChannels.empty()) {
        auto* hint = new QLabel(QString::fromUtf8(kNewHint), this);
        hint->setObjectName(QStringLiteral("referenceNewHint"));
        hint->setWordWrap(true);
        layout->addWidget(hint);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("referenceReportButtons"));
    m_pSelectNew = Button(this, kSelectNew, QStringLiteral("referenceSelectNew"));
    m_pSelectNew->setEnabled(!result.newChannels.empty() && selectNew);
    buttons->addButton(m_pSelectNew, QDialogButtonBox::ActionRole);
    QPushButton* copy = Button(this, kCopy, QStringLiteral("referenceCopy"));
    buttons->addButton(copy, QDialogButtonBox::ActionRole);
    QPushButton* save = Button(this, kSave, QStringLiteral("referenceSave"));
    buttons->addButton(save, QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->button(QDialogButtonBox::Close);
    close->setText(QStringLiteral("Schließen"));
    close->setObjectName(QStringLiteral("referenceReportClose"));
    close->setAccessibleName(close->text());
    // Enter closes the report; selecting the new channels is asked for.
    for (QPushButton* b : {m_pSelectNew, copy, save})
        b->setAutoDefault(false);
    close->setDefault(true);
    connect(m_pSelectNew, &QPushButton::clicked, this, [selectNew = std::move(selectNew)] {
        if (selectNew)
            selectNew();
    });
    connect(copy, &QPushButton::clicked, this, &CReferenceReportDlg::CopyText);
    connect(save, &QPushButton::clicked, this, &CReferenceReportDlg::SaveAsText);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    const bool tables = anyUnused || anyReviewed;
    resize(tables ? 680 : 500, tables ? (anyUnused && anyReviewed ? 560 : 440) : 280);
}

void CReferenceReportDlg::CopyText()
{
    QApplication::clipboard()->setText(Text());
}

void CReferenceReportDlg::SaveAsText()
{
    const QString path = m_prompts.GetSaveFileName(this, QString::fromUtf8(kSaveCaption), m_strSuggestedName,
                                                   QString::fromUtf8(kSaveFilter));
    SaveTextFile(path, m_text, m_prompts, this);
}
