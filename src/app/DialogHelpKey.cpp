#include "DialogHelpKey.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPointer>
#include <QTextBrowser>

#include "HelpWindow.h"

namespace {
struct DialogPage {
    const char* className;
    const char* page;
};
const DialogPage kPages[] = {
    {"CNewChannelDlg", "neuer-kanal.html"},        {"CVerschiebenAufPosDlg", "reihenfolge.html"},
    {"COptionsPropSheet", "timer-statistik.html"}, {"CTimerDlg", "timer-statistik.html"},
    {"CStatistikDlg", "timer-statistik.html"},     {"CCompareDlg", "referenzliste.html"},
    {"CReferenceReportDlg", "referenzliste.html"}, {"CWindowManagerDlg", "hauptfenster.html"},
    {"QPrintDialog", "export-drucken.html"},       {"QPrintPreviewDialog", "export-drucken.html"}};
} // namespace

CDialogHelpKey::CDialogHelpKey(std::function<CHelpWindow*()> showHelp, QObject* parent)
    : QObject(parent), m_showHelp(std::move(showHelp))
{
    qApp->installEventFilter(this);
}

CDialogHelpKey::~CDialogHelpKey()
{
    qApp->removeEventFilter(this);
}

QString CDialogHelpKey::PageOf(const QDialog* dialog)
{
    for (const QMetaObject* meta = dialog->metaObject(); meta; meta = meta->superClass())
        for (const DialogPage& p : kPages)
            if (qstrcmp(meta->className(), p.className) == 0)
                return QString::fromLatin1(p.page);
    return QStringLiteral("index.html");
}

bool CDialogHelpKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
        return QObject::eventFilter(watched, event);
    auto* dialog = qobject_cast<QDialog*>(static_cast<QWidget*>(watched)->window());
    if (!dialog || dialog != QApplication::activeModalWidget())
        return QObject::eventFilter(watched, event);
    OpenFor(dialog);
    return true;
}

void CDialogHelpKey::OpenFor(QDialog* dialog)
{
    CHelpWindow* help = m_showHelp();
    if (!help)
        return;
    if (help->parentWidget() != dialog) {
        const QRect where = help->geometry();
        help->setParent(dialog, Qt::Window);
        help->setGeometry(where);
        // Free again once the dialog is done; it stays on show.
        QPointer<CHelpWindow> guard(help);
        connect(dialog, &QDialog::finished, help, [guard] {
            if (!guard)
                return;
            const bool shown = guard->isVisible();
            const QRect where = guard->geometry();
            guard->setParent(nullptr, Qt::Window);
            guard->setGeometry(where);
            if (shown)
                guard->show();
        });
    }
    help->Browser()->setSource(QUrl(QStringLiteral("qrc:/help/") + PageOf(dialog)));
    help->ShowInFront();
}
