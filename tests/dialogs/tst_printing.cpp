// The printed channel list: pages written to PDF files through QPrinter and
// read back with pdftotext (poppler-utils), the selection of the tree node,
// the empty list, the print commands and the preview.
#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <memory>

#include "uibase/AppSettings.h"
#include "DialogTestSupport.h"
#include "dialogs/Drucken.h"
#include "dialogs/PrintCommands.h"
#include "views/LeftView.h"
#include "uibase/CommandIds.h"

using namespace ndbtest;

namespace {

constexpr int kOnTransponder2Every = 3; // every third channel is on transponder 2

// count television channels "Kanal 001"...: every third on transponder 2,
// the others on transponder 1 (satellite "Astra 19.2E"); two radio channels
// on transponder 1 and a television channel whose transponder is unknown.
TestDatabase ManyChannels(int count)
{
    TestDatabase db = MakeSmallDatabase();
    std::vector<ServiceRecord> tv(static_cast<size_t>(count) + 1);
    for (int i = 0; i < count; ++i) {
        const std::string name = QStringLiteral("Kanal %1").arg(i + 1, 3, 10, QLatin1Char('0')).toStdString();
        tv[static_cast<size_t>(i)]
            .Transponder(i % kOnTransponder2Every == kOnTransponder2Every - 1 ? 2 : 1)
            .ServiceId(static_cast<uint16_t>(1000 + i))
            .Name(name);
    }
    tv[static_cast<size_t>(count)].Transponder(99).ServiceId(4242).Name("Irgendwo TV");
    std::vector<ServiceRecord> radio(2);
    radio[0].Transponder(1).Flags(0x08).Name("Radio Eins");
    radio[1].Transponder(1).Flags(0x08).Name("Radio Zwei");
    db.services = ServiceBody();
    db.services.PlaceInArrayOrder(tv, radio);
    return db;
}

// The lines a page holds on the printer, counted in page units from the
// height of the printer's default font.
int ExpectedLinesPerPage(QPrinter& printer)
{
    const QFontMetrics metrics(QFont(), &printer);
    const int lineHeight = metrics.height() + std::max(0, metrics.leading());
    const double sy = printer.height() / 6950.0;
    const int units = static_cast<int>(std::ceil(lineHeight / sy));
    return std::max(1, (6950 - 400) / units - 5);
}

QString PdfToText()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
}

// The text of the PDF file (page 0: all pages), laid out as printed; empty
// when pdftotext fails.
QString PdfText(const QString& path, int page = 0)
{
    QStringList args{QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    args << path << QStringLiteral("-");
    QProcess process;
    process.start(PdfToText(), args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// pdftotext ends every page with a form feed.
int PdfPageCount(const QString& path)
{
    return static_cast<int>(PdfText(path).count(QLatin1Char('\f')));
}

QString Simplified(const std::string& utf8)
{
    return QString::fromStdString(utf8).simplified();
}

// The printed line holding the text, or empty.
QString LineWith(const QString& pageText, const QString& text)
{
    for (const QString& line : pageText.split(QLatin1Char('\n')))
        if (line.contains(text))
            return line;
    return {};
}

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void pdftotextIsInstalled();
    void channelsFallIntoPagesOfTheLinesPerPage();
    void pagesAreTheSameAtEveryResolution();
    void pageUnitsArePixelsOnAPageSizedDevice();
    void headingColumnsAndFooterOnPageOne();
    void rowsShowTheirColumns();
    void anEmptySelectionPrintsOnePageSayingSo();
    void radioAndTelevisionListsHoldTheirKind();
    void aFavouriteGroupNodeOfTheTree();
    void satelliteAndTransponderNodesOfTheTree();
    void thePageRangeOfThePrinterIsKept();
    void quickPrintPrintsEveryPage();
    void printDialogCancelledPrintsNothing();
    void printDialogAcceptedPrints();
    void aJobThatCannotStartIsReported();
    void printingWorksAgainAfterAJobWithoutPrinter();
    void previewOpensClosesAndPrints();
    void otherCommandsAreNotTaken();

private:
    // Loads db from a file named liste.ndb, so the document has its title.
    void Load(const TestDatabase& db);
    // A PDF printer at the given resolution writing name in the temporary folder.
    std::unique_ptr<QPrinter> PdfPrinter(const QString& name,
                                         QPrinter::PrinterMode mode = QPrinter::HighResolution);
    // Prints the selection with the quick print command; the PDF file's path.
    QString QuickPrint(const PrintJobInput& in, const QString& name,
                       QPrinter::PrinterMode mode = QPrinter::HighResolution);
    PrintJobInput InputForNode(QTreeWidgetItem* item, bool television = true);

    CFakePrompts m_prompts;
    AppSettings m_settings;
    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<CDocument> m_pDoc;
    std::unique_ptr<QWidget> m_pWindow;
    std::unique_ptr<CLeftView> m_pTree;
};

void TestPrinting::init()
{
    m_prompts = CFakePrompts();
    m_settings = AppSettings();
    m_pDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_pDir->isValid());
    // With VE_PRINT_KEEP set the printed PDF files stay for looking at them.
    if (qEnvironmentVariableIsSet("VE_PRINT_KEEP"))
        m_pDir->setAutoRemove(false);
    m_pWindow = std::make_unique<QWidget>();
    m_pWindow->setObjectName(QStringLiteral("documentWindow"));
}

void TestPrinting::cleanup()
{
    m_pTree.reset();
    m_pWindow.reset();
    m_pDoc.reset();
    m_pDir.reset();
}

void TestPrinting::Load(const TestDatabase& db)
{
    const QString path = m_pDir->filePath(QStringLiteral("liste.ndb"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const Bytes bytes = db.Build();
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    file.close();
    m_pDoc = std::make_unique<CDocument>(m_prompts);
    QString error;
    QCOMPARE(m_pDoc->Load(path, error), LoadStatus::Loaded);
    QCOMPARE(m_pDoc->Title(), QStringLiteral("liste.ndb"));
    m_pTree = std::make_unique<CLeftView>(*m_pDoc, m_settings);
    m_pTree->BuildTree();
}

std::unique_ptr<QPrinter> TestPrinting::PdfPrinter(const QString& name, QPrinter::PrinterMode mode)
{
    auto printer = std::make_unique<QPrinter>(mode);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setOutputFileName(m_pDir->filePath(name));
    return printer;
}

QString TestPrinting::QuickPrint(const PrintJobInput& in, const QString& name, QPrinter::PrinterMode mode)
{
    std::unique_ptr<QPrinter> printer = PdfPrinter(name, mode);
    if (!RunPrintCommand(cmd::kFilePrintDirect, *m_pDoc, in, *printer, m_pWindow.get(), &m_prompts))
        return {};
    return printer->outputFileName();
}

PrintJobInput TestPrinting::InputForNode(QTreeWidgetItem* item, bool television)
{
    m_pTree->setCurrentItem(item);
    return MakePrintJobInput(television, m_pTree->CurrentNode());
}

void TestPrinting::pdftotextIsInstalled()
{
    // Without it nothing printed can be checked: a failure, not a skip.
    QVERIFY2(!PdfToText().isEmpty(), "pdftotext (poppler-utils) is missing: run scripts/setup.sh");
    QVERIFY(!QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty());
}

void TestPrinting::channelsFallIntoPagesOfTheLinesPerPage()
{
    QVERIFY(!PdfToText().isEmpty());
    std::unique_ptr<QPrinter> probe = PdfPrinter(QStringLiteral("probe.pdf"));
    const int lines = ExpectedLinesPerPage(*probe);
    QVERIFY(lines > 20);
    // Two full pages and seven rows on transponder 1.
    const int matching = 2 * lines + 7;
    // Of every three channels two are on transponder 1.
    const int count = matching + (matching - 1) / (kOnTransponder2Every - 1);
    Load(ManyChannels(count));

    PrintJobInput in;
    in.selection.transponder = m_pDoc->Core().m_transponders.GetAt(0);
    int onTransponder1 = 0;
    for (int i = 0; i < m_pDoc->Core().m_services.GetSize(); ++i)
        onTransponder1 += IsPrinted(m_pDoc->Core(), in.selection, false, *m_pDoc->Core().m_services.GetAt(i));
    QCOMPARE(onTransponder1, matching);

    CDrucken job(m_pDoc->Core(), in.selection, false, m_pDoc->Title());
    job.BeginPrinting(*probe, QFont());
    QCOMPARE(job.LinesPerPage(), lines);
    QCOMPARE(job.PageCount(), 3);

    const QString pdf = QuickPrint(in, QStringLiteral("transponder.pdf"));
    QVERIFY(QFile::exists(pdf));
    QCOMPARE(PdfPageCount(pdf), 3);

    // Running numbers go on over the pages; the list position is the
    // channel's own: the first row of page 2 is match lines + 1, whose place
    // among all channels skips every third.
    auto listPosOfMatch = [](int n) { return n + (n - 1) / (kOnTransponder2Every - 1); };
    auto nameOf = [](int pos) { return QStringLiteral("Kanal %1").arg(pos, 3, 10, QLatin1Char('0')); };
    for (int page = 1; page <= 3; ++page) {
        const QString text = PdfText(pdf, page);
        const int first = (page - 1) * lines + 1;
        const int last = std::min(page * lines, onTransponder1);
        const QString firstLine = LineWith(text, nameOf(listPosOfMatch(first)));
        QVERIFY2(QRegularExpression(QStringLiteral("^\\s*%1\\s+%2\\s+Kanal")
                                        .arg(first)
                                        .arg(listPosOfMatch(first)))
                     .match(firstLine)
                     .hasMatch(),
                 qPrintable(firstLine));
        QVERIFY(!LineWith(text, nameOf(listPosOfMatch(last))).isEmpty());
        if (page < 3)
            QVERIFY(LineWith(text, nameOf(listPosOfMatch(last + 1))).isEmpty());
        if (page > 1)
            QVERIFY(LineWith(text, nameOf(listPosOfMatch(first - 1))).isEmpty());
        QVERIFY(text.contains(QStringLiteral("Seite: %1").arg(page)));
    }
    // Channels of transponder 2 are not printed.
    QVERIFY(LineWith(PdfText(pdf), nameOf(3)).isEmpty());
}

void TestPrinting::pagesAreTheSameAtEveryResolution()
{
    QVERIFY(!PdfToText().isEmpty());
    Load(ManyChannels(150));
    PrintJobInput in; // every television channel
    const QString high = QuickPrint(in, QStringLiteral("high.pdf"), QPrinter::HighResolution);
    const QString screen = QuickPrint(in, QStringLiteral("screen.pdf"), QPrinter::ScreenResolution);
    const int pages = PdfPageCount(high);
    QVERIFY(pages >= 2);
    QCOMPARE(PdfPageCount(screen), pages);
    // The same channel closes page 1 on both.
    auto lastName = [](const QString& text) {
        QString last;
        for (const QRegularExpressionMatch& m : QRegularExpression(QStringLiteral("Kanal \\d\\d\\d")).globalMatch(text))
            last = m.captured();
        return last;
    };
    QCOMPARE(lastName(PdfText(screen, 1)), lastName(PdfText(high, 1)));
}

void TestPrinting::pageUnitsArePixelsOnAPageSizedDevice()
{
    // A page of 4892 by 6950 points at 72 dots per inch has 4892 by 6950 pixels.
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_pDir->filePath(QStringLiteral("units.pdf")));
    printer.setResolution(72);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(QSizeF(4892, 6950), QPageSize::Point), QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0)));
    QCOMPARE(printer.width(), 4892);
    QCOMPARE(printer.height(), 6950);

    Load(MakeSmallDatabase());
    CDrucken job(m_pDoc->Core(), PrintSelection(), false, m_pDoc->Title());
    job.BeginPrinting(printer, QFont());
    QCOMPARE(job.Scale().X(250), 250);
    QCOMPARE(job.Scale().Y(6949), 6949);
    const QFontMetrics metrics(QFont(), &printer);
    QCOMPARE(job.LinesPerPage(), (6950 - 400) / (metrics.height() + std::max(0, metrics.leading())) - 5);
    QCOMPARE(job.RowHeight(), metrics.height());
}

void TestPrinting::headingColumnsAndFooterOnPageOne()
{
    QVERIFY(!PdfToText().isEmpty());
    Load(MakeSmallDatabase());
    PrintJobInput in;
    in.selection.transponder = m_pDoc->Core().m_transponders.GetAt(0);
    const QString pdf = QuickPrint(in, QStringLiteral("heading.pdf"));
    QCOMPARE(PdfPageCount(pdf), 1);
    const QString text = PdfText(pdf, 1);
    const std::string heading =
        "Fernsehkanäle Transponder: " + m_pDoc->Core().m_transponders.GetAt(0)->FormatSummaryText();
    QVERIFY2(text.simplified().contains(Simplified(heading)), qPrintable(text));
    QVERIFY(text.simplified().contains(QStringLiteral("Transponder: 11494")));
    const QString columns = LineWith(text, QStringLiteral("Kanalname"));
    QVERIFY2(QRegularExpression(QStringLiteral("#\\s+Nr\\s+Kanalname\\s+Satellit\\s+Transponder\\s+SID\\s+€"))
                 .match(columns)
                 .hasMatch(),
             qPrintable(columns));
    // Footer: the document's title and the page number on one line.
    const QString footer = LineWith(text, QStringLiteral("Seite: 1"));
    QVERIFY2(footer.contains(QStringLiteral("liste.ndb")), qPrintable(footer));
    // The heading comes before the column headings, the rows after them.
    QVERIFY(text.indexOf(QStringLiteral("Fernsehkanäle")) < text.indexOf(QStringLiteral("Kanalname")));
    QVERIFY(text.indexOf(QStringLiteral("Kanalname")) < text.indexOf(QStringLiteral("Das Erste HD")));
    QVERIFY(text.indexOf(QStringLiteral("Das Erste HD")) < text.indexOf(QStringLiteral("Seite: 1")));
}

void TestPrinting::rowsShowTheirColumns()
{
    QVERIFY(!PdfToText().isEmpty());
    Load(ManyChannels(4));
    PrintJobInput in; // every television channel, the one without transponder too
    const QString pdf = QuickPrint(in, QStringLiteral("rows.pdf"));
    const QString text = PdfText(pdf, 1);
    const std::string tp1 = m_pDoc->Core().m_transponders.GetAt(0)->FormatSummaryText();
    const QString first = LineWith(text, QStringLiteral("Kanal 001"));
    QVERIFY2(QRegularExpression(QStringLiteral("^\\s*1\\s+1\\s+Kanal 001\\s+Astra 19\\.2E\\s+%1\\s+1000\\s*$")
                                    .arg(QRegularExpression::escape(Simplified(tp1))))
                 .match(first.simplified().prepend(QLatin1Char(' ')))
                 .hasMatch(),
             qPrintable(first));
    // No satellite and no transponder known: both columns stay empty.
    const QString nowhere = LineWith(text, QStringLiteral("Irgendwo TV"));
    QVERIFY2(QRegularExpression(QStringLiteral("^\\s*5\\s+5\\s+Irgendwo TV\\s+4242\\s*$")).match(nowhere).hasMatch(),
             qPrintable(nowhere));
    QVERIFY(!text.contains(QStringLiteral("Radio Eins")));
}

void TestPrinting::anEmptySelectionPrintsOnePageSayingSo()
{
    QVERIFY(!PdfToText().isEmpty());
    Load(MakeSmallDatabase());
    // Group "Sport" (index 2) holds no channel.
    const PrintJobInput in = InputForNode(m_pTree->GroupItem(2));
    QCOMPARE(in.selection.favouriteGroup, 2);
    const QString pdf = QuickPrint(in, QStringLiteral("empty.pdf"));
    QCOMPARE(PdfPageCount(pdf), 1);
    const QString text = PdfText(pdf, 1);
    QVERIFY(text.contains(QStringLiteral("Kein Eintrag vorhanden!")));
    QVERIFY(text.simplified().contains(QStringLiteral("Fernsehkanäle im Favoritenordner: Sport")));
    QVERIFY(text.contains(QStringLiteral("Seite: 1")));
    QVERIFY(!text.contains(QStringLiteral("Das Erste HD")));

    // A radio window on a satellite without radio channels likewise.
    PrintJobInput radio;
    radio.radio = true;
    radio.selection.satelliteIndex = 2; // "Thor 0.8W": one television channel only
    const QString radioPdf = QuickPrint(radio, QStringLiteral("empty-radio.pdf"));
    QCOMPARE(PdfPageCount(radioPdf), 1);
    QVERIFY(PdfText(radioPdf).contains(QStringLiteral("Kein Eintrag vorhanden!")));
}

void TestPrinting::radioAndTelevisionListsHoldTheirKind()
{
    QVERIFY(!PdfToText().isEmpty());
    Load(MakeSmallDatabase());
    const QStringList tvNames = {QStringLiteral("Das Erste HD"), QStringLiteral("ZDF HD"),
                                 QStringLiteral("Sky Cinema"), QStringLiteral("Rai 1"), QStringLiteral("Télé 5")};
    const QStringList radioNames = {QStringLiteral("Bayern 3"), QStringLiteral("Antenne Bayern"),
                                    QStringLiteral("Radio Svizzera")};

    const QString tv = PdfText(QuickPrint(InputForNode(m_pTree->SatellitesRoot(), true), QStringLiteral("tv.pdf")));
    const QString radio =
        PdfText(QuickPrint(InputForNode(m_pTree->SatellitesRoot(), false), QStringLiteral("radio.pdf")));
    QVERIFY(tv.contains(QStringLiteral("Fernsehkanäle")));
    QVERIFY(!tv.contains(QStringLiteral("Radiokanäle")));
    QVERIFY(radio.contains(QStringLiteral("Radiokanäle")));
    QVERIFY(!radio.contains(QStringLiteral("Fernsehkanäle")));
    for (const QString& name : tvNames) {
        QVERIFY2(tv.contains(name), qPrintable(name));
        QVERIFY2(!radio.contains(name), qPrintable(name));
    }
    for (const QString& name : radioNames) {
        QVERIFY2(radio.contains(name), qPrintable(name));
        QVERIFY2(!tv.contains(name), qPrintable(name));
    }
    // Radio rows numbered from 1 with their own list positions; "€" only for
    // the scrambled one (CA value 2); CA value 1 is free.
    QVERIFY(QRegularExpression(QStringLiteral("^\\s*2\\s+2\\s+Antenne Bayern.*€\\s*$"))
                .match(LineWith(radio, QStringLiteral("Antenne Bayern")))
                .hasMatch());
    QVERIFY(!LineWith(radio, QStringLiteral("Bayern 3")).contains(QStringLiteral("€")));
    QVERIFY(LineWith(tv, QStringLiteral("Sky Cinema")).contains(QStringLiteral("€")));
    QVERIFY(!LineWith(tv, QStringLiteral("Télé 5")).contains(QStringLiteral("€")));
}

void TestPrinting::aFavouriteGroupNodeOfTheTree()
{
    QVERIFY(!PdfToText().isEmpty());
    Load(MakeSmallDatabase());
    const PrintJobInput in = InputForNode(m_pTree->GroupItem(0));
    QCOMPARE(m_pTree->CurrentNode().kind, CLeftView::NodeKind::FavouriteGroup);
    QCOMPARE(in.selection.favouriteGroup, 0);
    QCOMPARE(in.selection.satelliteIndex, -1);
    QVERIFY(in.selection.transponder == nullptr);
    const QString text = PdfText(QuickPrint(in, QStringLiteral("group.pdf")));
    QVERIFY2(text.simplified().contains(QStringLiteral("Fernsehkanäle im Favoritenordner: Film")), qPrintable(text));
    QVERIFY(QRegularExpression(QStringLiteral("^\\s*1\\s+1\\s+Das Erste HD"))
                .match(LineWith(text, QStringLiteral("Das Erste HD")))
                .hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("^\\s*2\\s+3\\s+Sky Cinema"))
                .match(LineWith(text, QStringLiteral("Sky Cinema")))
                .hasMatch());
    QVERIFY(!text.contains(QStringLiteral("ZDF HD")));
    QVERIFY(!text.contains(QStringLiteral("Rai 1")));

    // The radio window on group 3 ("Dokus") lists "Bayern 3", group value 4.
    const QString radio = PdfText(QuickPrint(InputForNode(m_pTree->GroupItem(3), false), QStringLiteral("g3.pdf")));
    QVERIFY(radio.simplified().contains(QStringLiteral("Radiokanäle im Favoritenordner: Dokus")));
    QVERIFY(radio.contains(QStringLiteral("Bayern 3")));
    QVERIFY(!radio.contains(QStringLiteral("Antenne Bayern")));
}

void TestPrinting::satelliteAndTransponderNodesOfTheTree()
{
    QVERIFY(!PdfToText().isEmpty());
    Load(MakeSmallDatabase());
    QTreeWidgetItem* astra = nullptr;
    for (int i = 0; i < m_pTree->SatellitesRoot()->childCount(); ++i)
        if (m_pTree->SatellitesRoot()->child(i)->text(0).contains(QStringLiteral("Astra")))
            astra = m_pTree->SatellitesRoot()->child(i);
    QVERIFY(astra);
    const PrintJobInput sat = InputForNode(astra);
    QCOMPARE(sat.selection.satelliteIndex, 0);
    const QString satText = PdfText(QuickPrint(sat, QStringLiteral("sat.pdf")));
    QVERIFY(satText.simplified().contains(QStringLiteral("Fernsehkanäle vom Satelliten: Astra 19.2E")));
    for (const QString& name : {QStringLiteral("Das Erste HD"), QStringLiteral("ZDF HD"), QStringLiteral("Sky Cinema")})
        QVERIFY2(satText.contains(name), qPrintable(name));
    QVERIFY(!satText.contains(QStringLiteral("Rai 1")));

    // Astra's second transponder (number 2) holds "Sky Cinema" only.
    QTreeWidgetItem* tpItem = nullptr;
    for (int i = 0; i < astra->childCount(); ++i) {
        m_pTree->setCurrentItem(astra->child(i));
        if (m_pTree->CurrentNode().transponder && m_pTree->CurrentNode().transponder->GetNumber() == 2)
            tpItem = astra->child(i);
    }
    QVERIFY(tpItem);
    const PrintJobInput tp = InputForNode(tpItem);
    QCOMPARE(m_pTree->CurrentNode().kind, CLeftView::NodeKind::Transponder);
    QCOMPARE(m_pTree->CurrentNode().satelliteIndex, 0);
    QCOMPARE(tp.selection.satelliteIndex, -1);
    const QString tpText = PdfText(QuickPrint(tp, QStringLiteral("tp.pdf")));
    QVERIFY(tpText.simplified().contains(
        Simplified("Fernsehkanäle Transponder: " + tp.selection.transponder->FormatSummaryText())));
    QVERIFY(tpText.contains(QStringLiteral("Sky Cinema")));
    QVERIFY(!tpText.contains(QStringLiteral("ZDF HD")));

    // No current node: every channel of the kind, with no selection text.
    m_pTree->setCurrentItem(nullptr);
    const PrintJobInput all = MakePrintJobInput(true, m_pTree->CurrentNode());
    QCOMPARE(all.selection.satelliteIndex, -1);
    QCOMPARE(all.selection.favouriteGroup, -1);
    QVERIFY(all.selection.transponder == nullptr);
    QVERIFY(!all.radio);
}

void TestPrinting::thePageRangeOfThePrinterIsKept()
{
    QVERIFY(!PdfToText().isEmpty());
    Load(ManyChannels(300));
    std::unique_ptr<QPrinter> printer = PdfPrinter(QStringLiteral("range.pdf"));
    CDrucken job(m_pDoc->Core(), PrintSelection(), false, m_pDoc->Title());
    job.BeginPrinting(*printer, QFont());
    const int pages = job.PageCount();
    QVERIFY(pages >= 4);

    printer->setPrintRange(QPrinter::PageRange);
    printer->setFromTo(2, 3);
    QVERIFY(job.Print(*printer));
    QCOMPARE(PdfPageCount(printer->outputFileName()), 2);
    QVERIFY(PdfText(printer->outputFileName(), 1).contains(QStringLiteral("Seite: 2")));
    QVERIFY(PdfText(printer->outputFileName(), 2).contains(QStringLiteral("Seite: 3")));

    // A last page beyond the list ends with the list.
    printer->setOutputFileName(m_pDir->filePath(QStringLiteral("range2.pdf")));
    printer->setFromTo(pages - 1, pages + 5);
    QVERIFY(job.Print(*printer));
    QCOMPARE(PdfPageCount(printer->outputFileName()), 2);
    QCOMPARE(job.LastPage(pages + 5), pages);
    QCOMPARE(job.LastPage(2), 2);
}

void TestPrinting::quickPrintPrintsEveryPage()
{
    QVERIFY(!PdfToText().isEmpty());
    Load(ManyChannels(300));
    std::unique_ptr<QPrinter> printer = PdfPrinter(QStringLiteral("quick.pdf"));
    // A range left from an earlier print dialog does not limit it.
    printer->setPrintRange(QPrinter::PageRange);
    printer->setFromTo(2, 2);
    CDrucken job(m_pDoc->Core(), PrintSelection(), false, m_pDoc->Title());
    job.BeginPrinting(*printer, QFont());
    QVERIFY(RunPrintCommand(cmd::kFilePrintDirect, *m_pDoc, PrintJobInput(), *printer, m_pWindow.get(), &m_prompts));
    QCOMPARE(PdfPageCount(printer->outputFileName()), job.PageCount());
    QVERIFY(m_prompts.records.isEmpty());
}

void TestPrinting::printDialogCancelledPrintsNothing()
{
    Load(MakeSmallDatabase());
    std::unique_ptr<QPrinter> printer = PdfPrinter(QStringLiteral("cancelled.pdf"));
    bool sawDialog = false;
    QTimer::singleShot(100, this, [&sawDialog] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            sawDialog = dialog->objectName() == QStringLiteral("printDialog") && dialog->maxPage() == 1;
            dialog->reject();
        }
    });
    QVERIFY(RunPrintCommand(cmd::kFilePrint, *m_pDoc, PrintJobInput(), *printer, m_pWindow.get(), &m_prompts));
    QVERIFY(sawDialog);
    QVERIFY(!QFile::exists(printer->outputFileName()));
}

void TestPrinting::printDialogAcceptedPrints()
{
    QVERIFY(!PdfToText().isEmpty());
    Load(ManyChannels(300));
    std::unique_ptr<QPrinter> printer = PdfPrinter(QStringLiteral("dialog.pdf"));
    CDrucken job(m_pDoc->Core(), PrintSelection(), false, m_pDoc->Title());
    job.BeginPrinting(*printer, QFont());
    int maxPage = 0;
    QTimer::singleShot(100, this, [&maxPage] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            maxPage = dialog->maxPage();
            dialog->accept();
        }
    });
    QVERIFY(RunPrintCommand(cmd::kFilePrint, *m_pDoc, PrintJobInput(), *printer, m_pWindow.get(), &m_prompts));
    QCOMPARE(maxPage, job.PageCount());
    QVERIFY(QFile::exists(printer->outputFileName()));
    QCOMPARE(PdfPageCount(printer->outputFileName()), job.PageCount());
}

void TestPrinting::aJobThatCannotStartIsReported()
{
    Load(MakeSmallDatabase());
    std::unique_ptr<QPrinter> printer = PdfPrinter(QStringLiteral("no/such/folder/x.pdf"));
    QVERIFY(RunPrintCommand(cmd::kFilePrintDirect, *m_pDoc, PrintJobInput(), *printer, m_pWindow.get(), &m_prompts));
    const QList<PromptRecord> warnings = m_prompts.OfKind(QStringLiteral("warning"));
    QCOMPARE(warnings.size(), 1);
    QCOMPARE(warnings.first().text, QStringLiteral("Der Druckauftrag konnte nicht gestartet werden."));
    QCOMPARE(warnings.first().caption, QStringLiteral("VandrelEdit2028"));
}

void TestPrinting::printingWorksAgainAfterAJobWithoutPrinter()
{
    QVERIFY(!PdfToText().isEmpty());
    Load(MakeSmallDatabase());
    // With no printer set up, the printer writes PDF and has no file name.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    QVERIFY(RunPrintCommand(cmd::kFilePrintDirect, *m_pDoc, PrintJobInput(), printer, m_pWindow.get(), &m_prompts));
    QCOMPARE(m_prompts.OfKind(QStringLiteral("warning")).size(), 1);

    // The print dialog then names a PDF file, and the job writes it.
    const QString pdf = m_pDir->filePath(QStringLiteral("after.pdf"));
    printer.setOutputFileName(pdf);
    QCOMPARE(printer.outputFileName(), pdf);
    QTimer::singleShot(100, this, [] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    QVERIFY(RunPrintCommand(cmd::kFilePrint, *m_pDoc, PrintJobInput(), printer, m_pWindow.get(), &m_prompts));
    QCOMPARE(m_prompts.OfKind(QStringLiteral("warning")).size(), 1);
    QCOMPARE(PdfPageCount(pdf), 1);
}

void TestPrinting::previewOpensClosesAndPrints()
{
    QVERIFY(!PdfToText().isEmpty());
    Load(ManyChannels(300));
    m_pWindow->show();
    std::unique_ptr<QPrinter> printer = PdfPrinter(QStringLiteral("preview.pdf"));
    CDrucken job(m_pDoc->Core(), PrintSelection(), false, m_pDoc->Title());
    job.BeginPrinting(*printer, QFont());

    QVERIFY(OpenPrintPreview(m_pWindow.get()) == nullptr);
    QVERIFY(RunPrintCommand(cmd::kFilePrintPreview, *m_pDoc, PrintJobInput(), *printer, m_pWindow.get(), &m_prompts));
    QPointer<QPrintPreviewDialog> preview = OpenPrintPreview(m_pWindow.get());
    QVERIFY(preview);
    QVERIFY(preview->isVisible());
    QVERIFY(!preview->isModal());
    QCOMPARE(preview->accessibleName(), QStringLiteral("Seitenansicht"));
    auto* pages = preview->findChild<QPrintPreviewWidget*>(QStringLiteral("printPreviewPages"));
    QVERIFY(pages);
    QTRY_COMPARE(pages->pageCount(), job.PageCount());
    QVERIFY(!QFile::exists(printer->outputFileName()));
    dlgtest::SaveShot(preview, QStringLiteral("printpreview"));

    // "&Seitenansicht" again closes it.
    QVERIFY(RunPrintCommand(cmd::kFilePrintPreview, *m_pDoc, PrintJobInput(), *printer, m_pWindow.get(), &m_prompts));
    QVERIFY(preview.isNull());
    QVERIFY(OpenPrintPreview(m_pWindow.get()) == nullptr);

    // "Schnelldruc&k" while the preview is open prints from it and closes it.
    QVERIFY(RunPrintCommand(cmd::kFilePrintPreview, *m_pDoc, PrintJobInput(), *printer, m_pWindow.get(), &m_prompts));
    preview = OpenPrintPreview(m_pWindow.get());
    QVERIFY(preview);
    QVERIFY(RunPrintCommand(cmd::kFilePrintDirect, *m_pDoc, PrintJobInput(), *printer, m_pWindow.get(), &m_prompts));
    QVERIFY(preview.isNull());
    QCOMPARE(PdfPageCount(printer->outputFileName()), job.PageCount());
}

void TestPrinting::otherCommandsAreNotTaken()
{
    Load(MakeSmallDatabase());
    std::unique_ptr<QPrinter> printer = PdfPrinter(QStringLiteral("other.pdf"));
    QVERIFY(!RunPrintCommand(57606, *m_pDoc, PrintJobInput(), *printer, m_pWindow.get(), &m_prompts));
    QVERIFY(!RunPrintCommand(57603, *m_pDoc, PrintJobInput(), *printer, m_pWindow.get(), &m_prompts));
    QVERIFY(!QFile::exists(printer->outputFileName()));
    QVERIFY(IsPrintCommand(57607) && IsPrintCommand(57608) && IsPrintCommand(57609));
    QVERIFY(!IsPrintCommand(57606));
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
