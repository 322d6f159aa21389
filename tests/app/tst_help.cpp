// The manual opens from F1 in one window, and every link and picture of its
// pages leads to something that exists in the resources.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QTreeWidget>
#include <map>

#include "DocumentWindows.h"
#include "GuiTestSupport.h"
#include "HelpWindow.h"
#include "MainFrame.h"
#include "VandrelEdit2028App.h"
#include "uibase/Document.h"

namespace {
QList<CHelpWindow*> HelpWindows()
{
    QList<CHelpWindow*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* help = qobject_cast<CHelpWindow*>(w))
            found.append(help);
    return found;
}

QString ReadResource(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// What one page offers and refers to, as the browser's own parser reads it.
struct PageLinks {
    QSet<QString> anchors;
    QStringList links;
    QStringList images;
};

PageLinks ParsePage(const QString& html)
{
    QTextDocument doc;
    doc.setHtml(html);
    PageLinks page;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            for (const QString& name : format.anchorNames())
                page.anchors.insert(name);
            if (format.isAnchor() && !format.anchorHref().isEmpty())
                page.links.append(format.anchorHref());
            if (format.isImageFormat())
                page.images.append(format.toImageFormat().name());
        }
    }
    return page;
}
} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void f1OpensOneManualWindow();
    void everyLinkAndPictureResolves();

private:
    std::unique_ptr<CGuiFixture> m_f;
};

void TestHelp::init()
{
    m_f = std::make_unique<CGuiFixture>();
    QVERIFY(m_f->Start());
}

void TestHelp::cleanup()
{
    m_f.reset();
    QVERIFY(HelpWindows().isEmpty());
}

void TestHelp::f1OpensOneManualWindow()
{
    CMainFrame& frame = m_f->Frame();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QVERIFY(HelpWindows().isEmpty());

    QTest::keyClick(&frame, Qt::Key_F1);
    QCOMPARE(HelpWindows().size(), 1);
    CHelpWindow* help = HelpWindows().front();
    QVERIFY(help->isVisible());
    QTextBrowser* browser = help->Browser();
    QCOMPARE(browser->source(), QUrl(QStringLiteral("qrc:/help/index.html")));
    QCOMPARE(browser->documentTitle(), QStringLiteral("VandrelEdit2028 – Benutzerhandbuch"));
    QVERIFY(help->windowTitle().startsWith(browser->documentTitle()));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Rudevoz SF 2028")));

    // A chapter of the contents opens its page; back returns to the start.
    QTreeWidget* contents = help->Contents();
    QTreeWidgetItem* chapter = contents->topLevelItem(1);
    QVERIFY(chapter);
    contents->setCurrentItem(chapter);
    const QUrl chapterPage = browser->source();
    QVERIFY(chapterPage != QUrl(QStringLiteral("qrc:/help/index.html")));
    QCOMPARE(browser->documentTitle(), chapter->text(0));
    QAction* back = help->findChild<QAction*>(QStringLiteral("helpBack"));
    QVERIFY(back && back->isEnabled());
    back->trigger();
    QCOMPARE(browser->source(), QUrl(QStringLiteral("qrc:/help/index.html")));
    QCOMPARE(contents->currentItem(), contents->topLevelItem(0));
    contents->setCurrentItem(chapter);

    // The next F1, after the manual was closed or left behind, shows the
    // same window where the reader left it.
    help->close();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_F1);
    QCOMPARE(HelpWindows().size(), 1);
    QCOMPARE(HelpWindows().front(), help);
    QVERIFY(help->isVisible());
    QCOMPARE(browser->source(), chapterPage);
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57667")));
    QCOMPARE(HelpWindows().size(), 1);
    // Escape closes it.
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help->Browser(), Qt::Key_Escape);
    QVERIFY(!help->isVisible());

    // F1 in a modal dialog opens the page about that dialog, in a manual
    // the dialog does not lock; afterwards the manual is free again.
    m_f->App().OpenDocumentFile(m_f->WriteFile(QStringLiteral("a.ndb"), GoodDatabase()));
    QUrl shownInDialog;
    bool ownedByDialog = false;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, Qt::Key_F1);
        shownInDialog = help->Browser()->source();
        ownedByDialog = help->isVisible() && help->parentWidget() == dialog;
        dialog->reject();
    });
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_32777"))); // "Statistik"
    QCOMPARE(shownInDialog, QUrl(QStringLiteral("qrc:/help/timer-statistik.html")));
    QVERIFY(ownedByDialog);
    QCOMPARE(HelpWindows().size(), 1);
    QCOMPARE(help->parentWidget(), nullptr);
    QVERIFY(help->isVisible());
    m_f->Frame().ActiveDocument()->SetModifiedFlag(false);

    // Ending the program takes the manual with it.
    QVERIFY(m_f->Quit());
    QVERIFY(HelpWindows().isEmpty());
}

void TestHelp::everyLinkAndPictureResolves()
{
    std::map<QString, PageLinks> pages;
    QDirIterator it(QStringLiteral(":/help"), {QStringLiteral("*.html")});
    while (it.hasNext()) {
        const QString path = it.next();
        pages[QStringLiteral("qrc") + path] = ParsePage(ReadResource(path));
    }
    const QString start = QStringLiteral("qrc:/help/index.html");
    QVERIFY(pages.count(start));
    QVERIFY(pages.size() > 5);

    std::map<QString, QSet<QString>> linkedPages;
    QStringList broken;
    for (const auto& [page, links] : pages) {
        const QUrl base(page);
        for (const QString& href : links.links) {
            const QUrl target = base.resolved(QUrl(href));
            // Links out of the manual are the desktop browser's business.
            if (target.scheme() != QLatin1String("qrc"))
                continue;
            const QString file = target.adjusted(QUrl::RemoveFragment).toString();
            const auto found = pages.find(file);
            if (found == pages.end()) {
                broken << QStringLiteral("%1: %2").arg(page, href);
                continue;
            }
            linkedPages[page].insert(file);
            if (target.hasFragment() && !found->second.anchors.contains(target.fragment()))
                broken << QStringLiteral("%1: %2 (no such anchor)").arg(page, href);
        }
        for (const QString& src : links.images) {
            const QUrl image = base.resolved(QUrl(src));
            if (image.scheme() != QLatin1String("qrc") || !QFile::exists(QLatin1Char(':') + image.path()))
                broken << QStringLiteral("%1: image %2").arg(page, src);
        }
    }
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1Char('\n'))));

    // Every page can be found by following links from the start page.
    QSet<QString> reached{start};
    QStringList queue{start};
    while (!queue.isEmpty())
        for (const QString& next : linkedPages[queue.takeFirst()])
            if (!reached.contains(next)) {
                reached.insert(next);
                queue.append(next);
            }
    for (const auto& [page, links] : pages)
        QVERIFY2(reached.contains(page), qPrintable(page));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
