#include "ReferenceReportDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "NumericTreeItem.h"
#include "document/ReferenceMatch.h"
#include "document/ReferenceMessages.h"

namespace {
const char* const kTitle = "Referenzliste angewendet";
const char* const kHeading = "Die Referenzliste „%1“ wurde angewendet.";
const char* const kLinesCaption = "Zeilen der Liste, die keinen Kanal zugeordnet haben:";
const char* const kAllLinesUsed = "Jede Zeile der Liste hat einen Kanal zugeordnet.";
const char* const kNewHint =
    "Die neuen Kanäle stehen am Ende ihrer Liste und tragen in der Spalte „Nr“ einen Stern, bis das Dokument "
    "gespeichert oder geschlossen wird. Im Kontextmenü wählt „Auswählen“ › „alle neuen“ sie aus.";
const char* const kColumns[] = {"Zeile", "Typ", "Nr", "Kanalname", "Grund"};
} // namespace

CReferenceReportDlg::CReferenceReportDlg(const ReferenceApplyResult& result, const QString& listName,
                                         QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("referenceReportDialog"));
    setWindowTitle(QString::fromUtf8(kTitle));
    setAccessibleName(windowTitle());
    auto* layout = new QVBoxLayout(this);

    auto* heading = new QLabel(QString::fromUtf8(kHeading).arg(listName), this);
    heading->setObjectName(QStringLiteral("referenceReportHeading"));
    heading->setWordWrap(true);
    layout->addWidget(heading);
    const std::vector<std::string> counts = ReportSummaryLines(result);
    for (size_t i = 0; i < m_counts.size(); ++i) {
        auto* label = new QLabel(QString::fromStdString(counts[i]), this);
        label->setObjectName(QStringLiteral("referenceCount%1").arg(i));
        label->setAccessibleName(label->text());
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(label);
        m_counts[i] = label;
    }

    const bool anyUnused = !result.notFound.empty() || !result.unreadable.empty();
    auto* linesCaption = new QLabel(QString::fromUtf8(anyUnused ? kLinesCaption : kAllLinesUsed), this);
    linesCaption->setObjectName(QStringLiteral("referenceLinesCaption"));
    layout->addSpacing(6);
    layout->addWidget(linesCaption);
    m_pLines = new QTreeWidget(this);
    m_pLines->setObjectName(QStringLiteral("referenceLines"));
    m_pLines->setAccessibleName(QString::fromUtf8(kLinesCaption));
    m_pLines->setRootIsDecorated(false);
    m_pLines->setUniformRowHeights(true);
    m_pLines->setAlternatingRowColors(true);
    QStringList headers;
    for (const char* c : kColumns)
        headers << QString::fromUtf8(c);
    m_pLines->setHeaderLabels(headers);
    const auto add = [this](const ReferenceLineIssue& issue, const QString& reason) {
        auto* item = new CNumericTreeItem(m_pLines);
        item->setText(0, QString::number(issue.lineNumber));
        item->setText(1, QString::fromStdString(issue.type));
        item->setText(2, QString::fromStdString(issue.number));
        item->setText(3, QString::fromStdString(issue.name));
        item->setText(4, reason);
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    };
    size_t more = 0;
    for (const ReportedIssue& r : ReportedIssues(result, more))
        add(*r.issue, r.unreadable ? QString::fromUtf8(refmsg::kUnreadable) + QStringLiteral(": ") +
                                         QString::fromStdString(r.issue->reason)
                                   : QString::fromUtf8(refmsg::kNotFoundLine));
    m_pLines->setSortingEnabled(true);
    m_pLines->sortByColumn(0, Qt::AscendingOrder);
    // The widths come from the first rows, not from measuring every one.
    m_pLines->header()->setResizeContentsPrecision(100);
    for (int c = 0; c < m_pLines->columnCount(); ++c)
        m_pLines->resizeColumnToContents(c);
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
    QPushButton* close = buttons->button(QDialogButtonBox::Close);
    close->setText(QStringLiteral("Schließen"));
    close->setObjectName(QStringLiteral("referenceReportClose"));
    close->setAccessibleName(close->text());
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(anyUnused ? 620 : 460, anyUnused ? 440 : 260);
}
