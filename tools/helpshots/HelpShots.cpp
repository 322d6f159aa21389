// help_screenshots: takes the pictures of the user manual from the real
// editor. Run by scripts/help-screenshots.sh under a virtual display:
//   help_screenshots DATABASE OUTDIR
// writes OUTDIR/<name>.png for every picture, plus hilfefenster.png (the
// manual itself, for reviews; not part of the manual).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTreeWidget>
#include <cstdio>

#include "ChildFrame.h"
#include "uibase/CommandIds.h"
#include "DockPane.h"
#include "uibase/Document.h"
#include "HelpWindow.h"
#include "MainFrame.h"
#include "QtSettingsStore.h"
#include "VandrelEdit2028App.h"
#include "dialogs/ChannelSucheDlg.h"
#include "dialogs/StatistikDlg.h"
#include "document/VandrelEdit2028Doc.h"
#include "views/LeftView.h"
#include "views/VandrelEdit2028View.h"

namespace {
// Lets layouts, timers and the window system catch up.
void Settle(int ms = 400)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool Save(const QPixmap& picture, const QDir& out, const char* name)
{
    const QString path = out.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    if (!picture.save(path)) {
        std::fprintf(stderr, "Kann %s nicht schreiben.\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), picture.width(), picture.height());
    return true;
}

QTreeWidgetItem* FindChild(QTreeWidgetItem* parent, const QString& text)
{
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i)->text(0).contains(text))
            return parent->child(i);
    return nullptr;
}

// Selects the first channel the list shows whose name is name (any name
// when name is null).
void SelectChannel(CVandrelEdit2028Doc& doc, CVandrelEdit2028View* list, const char* name)
{
    for (int i = 0; i < doc.m_services.GetSize(); ++i) {
        CServiceData* s = doc.m_services.GetAt(i);
        if (s->GetNumber() != 0 && (!name || s->GetNameText() == name) && list->FindRowOfService(s) >= 0) {
            list->SelectServices({s});
            list->EnsureSelectionVisible();
            list->ShowServiceInPanes(false);
            return;
        }
    }
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: help_screenshots DATENBANK AUSGABEORDNER\n");
        return 1;
    }
    const QString database = QString::fromLocal8Bit(argv[1]);
    QDir out(QString::fromLocal8Bit(argv[2]));
    if (!out.mkpath(QStringLiteral(".")))
        return 1;

    CVandrelEdit2028App::InstallGermanTranslations();
    // A fresh settings file: the pictures show the layout of a first start.
    QTemporaryDir settingsDir;
    CVandrelEdit2028App app(
        nullptr, std::make_unique<CQtSettingsStore>(settingsDir.filePath(QStringLiteral("settings.ini"))));
    if (!app.InitInstance({database}))
        return 1;
    CMainFrame* frame = app.MainFrame();
    // The size the program chooses at a first start.
    frame->move(0, 0);
    Settle(1000);
    CChildFrame* child = frame->ActiveChildFrame();
    CDocument* document = frame->ActiveDocument();
    if (!child || !document)
        return 1;
    CVandrelEdit2028Doc& doc = document->Core();
    CLeftView* tree = child->Tree();
    CVandrelEdit2028View* list = child->ListView();
    bool ok = true;

    // The main window: one satellite chosen, one of its channels selected.
    if (QTreeWidgetItem* astra = FindChild(tree->SatellitesRoot(), QStringLiteral("Astra")))
        tree->setCurrentItem(astra);
    Settle();
    SelectChannel(doc, list, "ZDF");
    Settle();
    ok = Save(frame->grab(), out, "hauptfenster") && ok;

    // The channel pane on its own, floating and tall enough for all its rows.
    CDockPane* channelPane = frame->Pane(cmd::kPaneProperties);
    channelPane->setFloating(true);
    channelPane->resize(300, 560);
    Settle();
    ok = Save(channelPane->grab(), out, "kanal-eigenschaften") && ok;
    channelPane->setFloating(false);
    Settle();

    // A favourite group with its channels, numbered one by one.
    tree->setCurrentItem(tree->GroupItem(1));
    Settle();
    SelectChannel(doc, list, nullptr);
    Settle();
    ok = Save(child->grab(QRect(0, 0, qMin(child->width(), 760), qMin(child->height(), 400))), out, "favoriten") &&
         ok;

    // The search pane with the hits for "sport", on all television channels.
    tree->setCurrentItem(tree->SatellitesRoot());
    Settle();
    CDockPane* searchPane = frame->Pane(cmd::kPaneSearch);
    searchPane->ShowPane();
    frame->resizeDocks({searchPane}, {340}, Qt::Horizontal);
    frame->ChannelSearch()->SearchField()->setText(QStringLiteral("sport"));
    Settle();
    // The top of the hits and, at the bottom, the search field.
    const QPixmap search = searchPane->grab();
    int top = qMin(search.height(), 300);
    if (auto* results = searchPane->findChild<QTreeWidget*>(QStringLiteral("searchResults")))
        if (QTreeWidgetItem* row = results->topLevelItem(15))
            top = results->viewport()->mapTo(searchPane, results->visualItemRect(row).bottomLeft()).y() + 1;
    QLineEdit* field = frame->ChannelSearch()->SearchField();
    const int bottom = searchPane->height() - field->mapTo(searchPane, QPoint()).y() + 4;
    QPixmap cropped(search.width(), top + bottom);
    cropped.fill(Qt::white);
    {
        QPainter p(&cropped);
        p.drawPixmap(0, 0, search, 0, 0, search.width(), top);
        p.drawPixmap(0, top, search, 0, search.height() - bottom, search.width(), bottom);
    }
    ok = Save(cropped, out, "suchen") && ok;

    // Statistics.
    {
        CStatistikDlg statistics(doc, frame);
        statistics.resize(760, 440);
        statistics.show();
        Settle(800);
        ok = Save(statistics.grab(), out, "statistik") && ok;
        statistics.close();
    }

    // The print preview of a favourite group.
    tree->setCurrentItem(tree->GroupItem(2));
    Settle();
    if (QAction* preview = frame->Action(cmd::kFilePrintPreview))
        preview->trigger();
    Settle(800);
    if (auto* dialog = frame->findChild<QPrintPreviewDialog*>()) {
        dialog->resize(680, 560);
        Settle(600);
        // The page as wide as the window: its text can be read.
        if (auto* pages = dialog->findChild<QPrintPreviewWidget*>())
            pages->fitToWidth();
        Settle(1200);
        ok = Save(dialog->grab(), out, "seitenansicht") && ok;
        dialog->close();
    } else {
        std::fprintf(stderr, "Die Seitenansicht hat sich nicht geöffnet.\n");
        ok = false;
    }
    Settle();

    // The manual itself, for a look at the result.
    if (CHelpWindow* help = frame->ShowHelp()) {
        help->Browser()->setSource(QUrl(QStringLiteral("qrc:/help/hauptfenster.html")));
        Settle(800);
        ok = Save(help->grab(), out, "hilfefenster") && ok;
    }

    app.CloseAllDocuments();
    return ok ? 0 : 1;
}
