#include "HelpWindow.h"

#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextList>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {
const char* kStartPage = "qrc:/help/index.html";
const char* kTitleSuffix = "Hilfe zu VandrelEdit2028";

QUrl WithoutFragment(const QUrl& url)
{
    return url.adjusted(QUrl::RemoveFragment);
}
} // namespace

CHelpWindow::CHelpWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("helpWindow"));
    setAccessibleName(QString::fromUtf8(kTitleSuffix));
    setWindowTitle(QString::fromUtf8(kTitleSuffix));

    m_pContents = new QTreeWidget;
    m_pContents->setObjectName(QStringLiteral("helpContents"));
    m_pContents->setAccessibleName(QStringLiteral("Inhalt"));
    m_pContents->setHeaderLabel(QStringLiteral("Inhalt"));
    m_pContents->header()->hide();
    m_pContents->setRootIsDecorated(false);
    m_pContents->setIndentation(14);

    m_pBrowser = new QTextBrowser;
    m_pBrowser->setObjectName(QStringLiteral("helpBrowser"));
    m_pBrowser->setAccessibleName(QStringLiteral("Hilfetext"));
    m_pBrowser->setOpenExternalLinks(true);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("helpSplitter"));
    splitter->addWidget(m_pContents);
    splitter->addWidget(m_pBrowser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({280, 800});
    setCentralWidget(splitter);

    auto* bar = addToolBar(QStringLiteral("Navigation"));
    bar->setObjectName(QStringLiteral("helpToolBar"));
    bar->setAccessibleName(QStringLiteral("Navigation"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // The desktop's icons where it has a theme, else the style's.
    const auto addAction = [this, bar](const char* themeIcon, QStyle::StandardPixmap icon, const QString& text,
                                       const char* name, const QKeySequence& keys, void (QTextBrowser::*slot)()) {
        QAction* a =
            bar->addAction(QIcon::fromTheme(QString::fromLatin1(themeIcon), style()->standardIcon(icon)), text);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        a->setToolTip(QStringLiteral("%1 (%2)").arg(text, keys.toString(QKeySequence::NativeText)));
        connect(a, &QAction::triggered, m_pBrowser, slot);
        return a;
    };
    m_pBack = addAction("go-previous", QStyle::SP_ArrowBack, QStringLiteral("Zurück"), "helpBack",
                        QKeySequence::Back, &QTextBrowser::backward);
    m_pForward = addAction("go-next", QStyle::SP_ArrowForward, QStringLiteral("Vorwärts"), "helpForward",
                           QKeySequence::Forward, &QTextBrowser::forward);
    m_pHome = addAction("go-home", QStyle::SP_DirHomeIcon, QStringLiteral("Startseite"), "helpHome",
                        QKeySequence(Qt::ALT | Qt::Key_Home), &QTextBrowser::home);
    m_pBack->setEnabled(false);
    m_pForward->setEnabled(false);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, m_pBack, &QAction::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, m_pForward, &QAction::setEnabled);
    connect(m_pBrowser, &QTextBrowser::sourceChanged, this, &CHelpWindow::OnSourceChanged);
    connect(m_pContents, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { OnContentsItemChosen(item); });
    // A click on the entry already chosen goes back to its place as well.
    connect(m_pContents, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const QUrl target = item->data(0, Qt::UserRole).toUrl();
        if (target != m_pBrowser->source())
            return;
        if (target.hasFragment())
            m_pBrowser->scrollToAnchor(target.fragment());
        else
            m_pBrowser->verticalScrollBar()->setValue(0);
    });

    // Escape closes the manual, as it closes a dialog.
    auto* closeAction = new QAction(QStringLiteral("Schließen"), this);
    closeAction->setObjectName(QStringLiteral("helpClose"));
    closeAction->setShortcut(Qt::Key_Escape);
    closeAction->setShortcutContext(Qt::WindowShortcut);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    QWidget::addAction(closeAction);

    BuildContents();
    m_pBrowser->setSource(StartPage());
    resize(1100, 760);
}

QUrl CHelpWindow::StartPage()
{
    return QUrl(QString::fromLatin1(kStartPage));
}

void CHelpWindow::ShowInFront()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void CHelpWindow::BuildContents()
{
    QFile file(QStringLiteral(":/help/index.html"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    QTextDocument start;
    start.setHtml(QString::fromUtf8(file.readAll()));

    auto* home = new QTreeWidgetItem(m_pContents, QStringList{QStringLiteral("Startseite")});
    home->setData(0, Qt::UserRole, StartPage());
    // The chapters are the links of the start page's lists; a nested list
    // gives the sections of the chapter above it.
    QTreeWidgetItem* chapter = nullptr;
    for (QTextBlock block = start.begin(); block.isValid(); block = block.next()) {
        const QTextList* list = block.textList();
        if (!list)
            continue;
        QString href;
        QString text;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isAnchor() || format.anchorHref().isEmpty())
                continue;
            if (!href.isEmpty() && format.anchorHref() != href)
                break;
            href = format.anchorHref();
            text += it.fragment().text();
        }
        if (href.isEmpty())
            continue;
        const bool section = list->format().indent() > 1 && chapter;
        text = text.simplified();
        auto* item = section ? new QTreeWidgetItem(chapter, QStringList{text})
                             : new QTreeWidgetItem(m_pContents, QStringList{text});
        item->setToolTip(0, text);
        item->setData(0, Qt::UserRole, StartPage().resolved(QUrl(href)));
        if (!section)
            chapter = item;
    }
    m_pContents->expandAll();
}

void CHelpWindow::OnSourceChanged(const QUrl& url)
{
    const QString title = m_pBrowser->documentTitle();
    setWindowTitle(title.isEmpty() ? QString::fromUtf8(kTitleSuffix)
                                   : QStringLiteral("%1 - %2").arg(title, QString::fromUtf8(kTitleSuffix)));
    // The entry of exactly this place, else the one of its page.
    QTreeWidgetItem* pageItem = nullptr;
    QTreeWidgetItem* exact = nullptr;
    for (QTreeWidgetItemIterator it(m_pContents); *it && !exact; ++it) {
        const QUrl target = (*it)->data(0, Qt::UserRole).toUrl();
        if (target == url)
            exact = *it;
        else if (!pageItem && target == WithoutFragment(url))
            pageItem = *it;
    }
    const QSignalBlocker block(m_pContents);
    m_pContents->setCurrentItem(exact ? exact : pageItem);
}

void CHelpWindow::OnContentsItemChosen(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const QUrl target = item->data(0, Qt::UserRole).toUrl();
    if (target.isValid() && target != m_pBrowser->source())
        m_pBrowser->setSource(target);
}
