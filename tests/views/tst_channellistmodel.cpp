// The rows of the channel list: texts, alignments, colours, the record
// pointer, reordering, and sorting.
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include "ChannelListTestSupport.h"
#include "document/ChannelRows.h"
#include "model/ServiceData.h"

using namespace viewtest;

class TestChannelListModel : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void textsComeFromTheRecords();
    void headerTextsAndAlignments();
    void serviceRoleIsTheRecord();
    void markedGroupUsesFavouriteColours();
    void applyRowOrderDropsIndexesAtOnce();
    void applyRowOrderRefusesNonPermutations();
    void sortIsStableInBothDirections();
    void listDisplayShowsNumberBeforeName();
    void insertRemoveAndNumbers();
    void mimeDataNamesTheRows();

private:
    std::unique_ptr<CVandrelEdit2028Doc> m_doc;
    std::unique_ptr<CChannelListModel> m_model;
};

void TestChannelListModel::init()
{
    m_doc = LoadDocument(MakeTenChannelDatabase());
    QVERIFY(m_doc != nullptr);
    m_model = std::make_unique<CChannelListModel>(*m_doc);
    m_model->SetRows(SelectAllChannels(*m_doc, false));
    QCOMPARE(m_model->rowCount(), 10);
    QCOMPARE(m_model->columnCount(), int(kChannelColumnCount));
}

void TestChannelListModel::cleanup()
{
    m_model.reset();
    m_doc.reset();
}

void TestChannelListModel::textsComeFromTheRecords()
{
    for (int r = 0; r < m_model->rowCount(); ++r) {
        const ChannelRow& row = m_model->Rows()[size_t(r)];
        for (int c = 0; c < kChannelColumnCount; ++c) {
            const QString expected = QString::fromUtf8(ChannelColumnText(*m_doc, row, c));
            QCOMPARE(m_model->data(m_model->index(r, c), Qt::DisplayRole).toString(), expected);
            QCOMPARE(m_model->CellText(r, c), expected);
        }
    }
    QCOMPARE(m_model->CellText(1, kColName), QStringLiteral("arte"));
    QCOMPARE(m_model->CellText(1, kColNumber), QStringLiteral("2"));
    QCOMPARE(m_model->CellText(1, kColFrequency), QStringLiteral("9750"));
    QCOMPARE(m_model->CellText(1, kColType), QStringLiteral("TV"));

    // A Latin-1 name arrives as the right characters.
    auto small = LoadDocument(ndbtest::MakeSmallDatabase());
    QVERIFY(small != nullptr);
    CChannelListModel model(*small);
    model.SetRows(SelectAllChannels(*small, false));
    QCOMPARE(model.CellText(4, kColName), QString::fromUtf8("T\xC3\xA9l\xC3\xA9 5"));
    QCOMPARE(model.CellText(0, kColHD), QStringLiteral("X"));
    QCOMPARE(model.CellText(2, kColScrambled), QString(QChar(0x20AC)));
}

void TestChannelListModel::headerTextsAndAlignments()
{
    const QStringList headers = {
        QStringLiteral("Kanalname"), QStringLiteral("Nr"),        QStringLiteral("Typ"),
        QStringLiteral("Satellit"),  QStringLiteral("Frequenz"),  QString::fromUtf8("Polarit\xC3\xA4t"),
        QStringLiteral("Symbolrate"), QStringLiteral("ServiceID"), QStringLiteral("Video Pid"),
        QStringLiteral("Audio Pid"), QStringLiteral("PCR Pid"),   QStringLiteral("PMT Pid"),
        QStringLiteral("HD"),        QStringLiteral("T 1"),       QStringLiteral("T 2"),
        QStringLiteral("Ver."),      QStringLiteral("Gesp."),     QString::fromUtf8("\xC3\x9c" "ber."),
        QStringLiteral("Provider")};
    for (int c = 0; c < kChannelColumnCount; ++c) {
        QCOMPARE(m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), headers.at(c));
    }
    const int left = Qt::AlignLeft, right = Qt::AlignRight, centre = Qt::AlignHCenter;
    const int expected[kChannelColumnCount] = {left,  right,  left,   left,   left,   left,   left,
                                               right, right,  right,  right,  right,  centre, centre,
                                               centre, centre, centre, centre, left};
    for (int c = 0; c < kChannelColumnCount; ++c) {
        const int align = m_model->data(m_model->index(0, c), Qt::TextAlignmentRole).value<Qt::Alignment>();
        QCOMPARE(align & Qt::AlignHorizontal_Mask, expected[c]);
    }
}

void TestChannelListModel::serviceRoleIsTheRecord()
{
    for (int r = 0; r < m_model->rowCount(); ++r) {
        void* p = m_model->data(m_model->index(r, 7), CChannelListModel::ServiceRole).value<void*>();
        QCOMPARE(static_cast<CServiceData*>(p), m_doc->m_services.GetAt(r));
        QCOMPARE(m_model->ServiceAt(r), m_doc->m_services.GetAt(r));
        QCOMPARE(m_model->FindRowOfService(m_doc->m_services.GetAt(r)), r);
    }
    QVERIFY(m_model->ServiceAt(10) == nullptr);
    QCOMPARE(m_model->FindRowOfService(m_doc->m_services.GetAt(10)), -1);
}

void TestChannelListModel::markedGroupUsesFavouriteColours()
{
    const QColor text(1, 2, 3), back(4, 5, 6), favText(7, 8, 9), favBack(10, 11, 12);
    QSignalSpy colours(m_model.get(), &CChannelListModel::ColorsChanged);
    m_model->SetColors(text, back, favText, favBack);
    QCOMPARE(colours.count(), 1);
    auto fg = [&](int r) { return m_model->data(m_model->index(r, 3), Qt::ForegroundRole).value<QColor>(); };
    auto bg = [&](int r) { return m_model->data(m_model->index(r, 3), Qt::BackgroundRole).value<QColor>(); };
    for (int r = 0; r < 10; ++r) {
        QCOMPARE(fg(r), text);
        QCOMPARE(bg(r), back);
    }
    QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);
    // Group index 2 is favourite number 3, which the even channels carry.
    m_model->SetMarkedGroup(2);
    QCOMPARE(changed.count(), 1);
    for (int r = 0; r < 10; ++r) {
        const bool marked = m_model->ServiceAt(r)->GetFavouriteGroup() == 3;
        QCOMPARE(marked, r % 2 == 0);
        QCOMPARE(m_model->IsMarkedRow(r), marked);
        QCOMPARE(fg(r), marked ? favText : text);
        QCOMPARE(bg(r), marked ? favBack : back);
    }
    m_model->SetMarkedGroup(1);
    for (int r = 0; r < 10; ++r) {
        QCOMPARE(bg(r), back);
    }
}

void TestChannelListModel::applyRowOrderDropsIndexesAtOnce()
{
    // Announced as a reset between its own two signals: persistent indexes
    // (an assistive technology's cells hold one each) are dropped at once,
    // not carried to their new rows one by one.
    QPersistentModelIndex third(m_model->index(2, 5));
    QSignalSpy about(m_model.get(), &CChannelListModel::RowsAboutToBeReordered);
    QSignalSpy reset(m_model.get(), &QAbstractItemModel::modelReset);
    QSignalSpy done(m_model.get(), &CChannelListModel::RowsReordered);
    CServiceData* s3 = m_model->ServiceAt(2);
    m_model->ApplyRowOrder({9, 8, 7, 6, 5, 4, 3, 2, 1, 0});
    QCOMPARE(about.count(), 1);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(done.count(), 1);
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
    QCOMPARE(m_model->ServiceAt(7), s3);
    QVERIFY(!third.isValid());
}

void TestChannelListModel::applyRowOrderRefusesNonPermutations()
{
    QSignalSpy done(m_model.get(), &QAbstractItemModel::modelReset);
    m_model->ApplyRowOrder({0, 1, 2});
    m_model->ApplyRowOrder({0, 0, 2, 3, 4, 5, 6, 7, 8, 9});
    m_model->ApplyRowOrder({0, 1, 2, 3, 4, 5, 6, 7, 8, 10});
    QCOMPARE(done.count(), 0);
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

void TestChannelListModel::sortIsStableInBothDirections()
{
    m_model->SortRows(kColFrequency, true, false);
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{2, 6, 10, 1, 5, 9, 4, 8, 3, 7}));
    m_model->SetRows(SelectAllChannels(*m_doc, false));
    m_model->SortRows(kColFrequency, false, false);
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{3, 7, 4, 8, 1, 5, 9, 2, 6, 10}));
    // As texts the five-digit frequencies come first.
    m_model->SetRows(SelectAllChannels(*m_doc, false));
    m_model->SortRows(kColFrequency, true, true);
    QCOMPARE(m_model->CellText(0, kColFrequency), QStringLiteral("10744"));
    QCOMPARE(m_model->CellText(9, kColFrequency), QStringLiteral("9750"));

    // Names that agree in their first characters, differ only in case or
    // length, or only after the fourth character.
    const char* names[] = {"Das Erste HD", "das", "Da", "DAS ERSTE", "Das Vierte", "D", "Das Erste", "das vier",
                           "ZDF", "Das Erste"};
    m_model->SetRows(SelectAllChannels(*m_doc, false));
    for (int r = 0; r < 10; ++r)
        m_model->ServiceAt(r)->SetNameText(names[r]);
    m_model->SortRows(kColName, true, true);
    // Case is ignored and equal names keep their order (rows 4, 7, 10).
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{6, 3, 2, 4, 7, 10, 1, 8, 5, 9}));
    m_model->SortRows(kColName, false, true);
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{9, 5, 8, 1, 4, 7, 10, 2, 3, 6}));
}

void TestChannelListModel::listDisplayShowsNumberBeforeName()
{
    QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);
    m_model->SetListDisplay(true);
    QVERIFY(m_model->IsListDisplay());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_model->CellText(0, kColName), QStringLiteral("   1 zdf"));
    QCOMPARE(m_model->CellText(9, kColName), QStringLiteral("  10 Ctrl"));
    QCOMPARE(m_model->CellText(9, kColNumber), QStringLiteral("10"));
    // The names sort without their numbers ...
    m_model->SortRows(kColName, true, true);
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{8, 2, 4, 3, 10, 5, 9, 6, 7, 1}));
    // ... and by number the number in front counts.
    m_model->SortRows(kColName, true, false);
    QCOMPARE(RowNumbers(*m_model), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    m_model->SetListDisplay(false);
    QCOMPARE(m_model->CellText(0, kColName), QStringLiteral("zdf"));
}

void TestChannelListModel::insertRemoveAndNumbers()
{
    QSignalSpy inserted(m_model.get(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(m_model.get(), &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);
    CServiceData* first = m_model->ServiceAt(0);
    m_model->RemoveChannelRow(0);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(m_model->rowCount(), 9);
    m_model->InsertChannelRow(m_model->rowCount(), {first, 42});
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(m_model->ServiceAt(9), first);
    QCOMPARE(m_model->CellText(9, kColNumber), QStringLiteral("42"));
    m_model->SetNumber(9, 7);
    QCOMPARE(m_model->NumberAt(9), 7);
    QCOMPARE(changed.count(), 1);
    const QList<QVariant> args = changed.takeFirst();
    QCOMPARE(args.at(0).toModelIndex(), m_model->index(9, kColName));
    QCOMPARE(args.at(1).toModelIndex(), m_model->index(9, kColNumber));
    m_model->RefreshColumns(3, 6);
    QCOMPARE(changed.takeFirst().at(1).toModelIndex(), m_model->index(9, 6));
    m_model->RemoveChannelRow(99);
    QCOMPARE(removed.count(), 1);
}

void TestChannelListModel::mimeDataNamesTheRows()
{
    QCOMPARE(m_model->mimeTypes(), QStringList{QString::fromLatin1(CChannelListModel::kRowsMimeType)});
    std::unique_ptr<QMimeData> mime(m_model->mimeData({m_model->index(4, 0), m_model->index(1, 3), m_model->index(4, 2)}));
    QCOMPARE(mime->data(QString::fromLatin1(CChannelListModel::kRowsMimeType)), QByteArray("1,4"));
}

QTEST_MAIN(TestChannelListModel)
#include "tst_channellistmodel.moc"
