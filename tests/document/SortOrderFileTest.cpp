// The stored sort order: the file's bytes, reading it back from damaged
// bytes, applying it to the same and to a rescanned database, and taking
// the application back.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>

#include <filesystem>
#include <fstream>
#include <memory>

#include "document/ChannelRows.h"
#include "document/DocumentChange.h"
#include "document/ExchangeMessages.h"
#include "document/SortOrderFile.h"
#include "document/VandrelEdit2028Doc.h"
#include "support/DocTestHelpers.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;
namespace fs = std::filesystem;

namespace {

// One record of the file, put together field by field.
Bytes OrderRecord(uint16_t sid, uint16_t key, bool west, uint16_t frequency, bool vertical, uint16_t symbolRate,
                  uint16_t tpId, uint16_t orgNetId, uint32_t favourite)
{
    Bytes r(24, 0);
    PutU16(r, 2, sid);
    PutU16(r, 4, key);
    PutU16(r, 6, west ? 1 : 0);
    PutU16(r, 8, frequency);
    PutU16(r, 10, vertical ? 1 : 0);
    PutU16(r, 12, symbolRate);
    PutU16(r, 14, tpId);
    PutU16(r, 16, orgNetId);
    PutU32(r, 20, favourite);
    return r;
}

Bytes OrderHeader(uint32_t version, uint32_t w, uint32_t s, uint32_t t, uint32_t r)
{
    Bytes b(20, 0);
    PutU32(b, 0, version);
    PutU32(b, 4, w);
    PutU32(b, 8, s);
    PutU32(b, 12, t);
    PutU32(b, 16, r);
    return b;
}

// The small database with Thor at 0.7 degrees West.
TestDatabase MakeOrderDatabase()
{
    TestDatabase db = MakeSmallDatabase();
    db.satellites.records[2].Position(7, true);
    return db;
}

// The same channels after a rescan: other transponder numbers, another
// order, other favourite groups, one new channel, and Hotbird moved to
// 13.1 degrees, so its channels (Rai 1, Radio Svizzera) are not recognised.
TestDatabase MakeRescannedDatabase()
{
    TestDatabase db = MakeOrderDatabase();
    for (int i = 0; i < 6; ++i) {
        db.transponders.records[static_cast<size_t>(i)].Number(static_cast<uint16_t>(101 + i));
    }
    db.satellites.records[1].Position(131, false);
    std::vector<ServiceRecord> old(db.services.records.begin(), db.services.records.begin() + 8);
    for (auto& s : old) {
        s.Transponder(static_cast<uint16_t>(GetU16(s.b, 6) + 100)).FavGroup(5);
    }
    old[7].FavGroup(6);
    ServiceRecord fresh;
    fresh.Transponder(101).ServiceId(4444).VideoPid(100).Name("Neu TV").Kept(50);
    const std::vector<ServiceRecord> tv = {old[4], fresh, old[3], old[2], old[1], old[0]};
    const std::vector<ServiceRecord> radio = {old[7], old[6], old[5]};
    db.services.PlaceInArrayOrder(tv, radio);
    return db;
}

class TempDir {
public:
    TempDir()
    {
        m_path = fs::temp_directory_path() /
                 ("sortorder_test_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~TempDir() { fs::remove_all(m_path); }
    fs::path operator/(const std::string& name) const { return m_path / name; }
    fs::path Write(const std::string& name, const Bytes& bytes) const
    {
        const fs::path p = m_path / name;
        std::ofstream out(p, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return p;
    }

private:
    fs::path m_path;
};

Bytes ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(SortOrderFile, TheFileHoldsTheHeaderAndOneRecordPerSlotInArrayOrder)
{
    CVandrelEdit2028Doc doc;
    LoadInto(doc, MakeOrderDatabase());
    Bytes expected = OrderHeader(1, 8, 8, 5, 3);
    // Transponder 1 and 2 are horizontal, the others vertical.
    Append(expected, OrderRecord(10301, 192, false, 11494, false, 22000, 1019, 1, 1));
    Append(expected, OrderRecord(11110, 192, false, 11494, false, 22000, 1019, 1, 2));
    Append(expected, OrderRecord(129, 192, false, 12188, false, 27500, 6, 133, 1));
    Append(expected, OrderRecord(3401, 130, false, 10992, true, 27500, 12000, 318, 0));
    Append(expected, OrderRecord(7, 6, true, 10872, true, 25000, 14, 70, 0)); // 0.7 degrees West stored as 6
    Append(expected, OrderRecord(28400, 192, false, 11494, false, 22000, 1019, 1, 4));
    Append(expected, OrderRecord(92, 192, false, 12188, false, 27500, 6, 133, 0));
    Append(expected, OrderRecord(3901, 130, false, 10992, true, 27500, 12000, 318, 0));
    EXPECT_EQ(BuildSortOrder(doc), expected);
}

TEST(SortOrderFile, AChannelWithoutTransponderOrSatelliteGetsAnEmptyRecordAndIsNotCounted)
{
    TestDatabase db = MakeOrderDatabase();
    db.services.records[3].Transponder(99);
    db.transponders.records[4].Satellite(77);
    CVandrelEdit2028Doc doc;
    LoadInto(doc, db);
    const Bytes file = BuildSortOrder(doc);
    ASSERT_EQ(file.size(), 20u + 8 * 24);
    EXPECT_EQ(GetU32(file, 4), 6u);
    EXPECT_EQ(GetU32(file, 8), 8u);
    EXPECT_EQ(Slice(file, 20 + 3 * 24, 24), Bytes(24, 0));
    EXPECT_EQ(Slice(file, 20 + 4 * 24, 24), Bytes(24, 0));
    // Applied to its own database it still places every channel it describes.
    SortOrderData order;
    ASSERT_EQ(ParseSortOrder(file.data(), file.size(), order), SortOrderStatus::Ok);
    EXPECT_EQ(ApplySortOrder(doc, order), 6);
}

TEST(SortOrderFile, AppliedToItsOwnDatabaseNothingMovesAndEveryChannelIsPlaced)
{
    CVandrelEdit2028Doc doc;
    LoadInto(doc, MakeOrderDatabase());
    const Bytes original = doc.Save();
    const Bytes file = BuildSortOrder(doc);
    SortOrderData order;
    ASSERT_EQ(ParseSortOrder(file.data(), file.size(), order), SortOrderStatus::Ok);
    EXPECT_EQ(order.described, 8u);
    EXPECT_EQ(ApplySortOrder(doc, order), 8);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.Save(), original);
}

TEST(SortOrderFile, ARescannedDatabaseTakesTheStoredOrderAndTheUnrecognisedStayBehind)
{
    CVandrelEdit2028Doc stored;
    LoadInto(stored, MakeOrderDatabase());
    const Bytes file = BuildSortOrder(stored);

    CVandrelEdit2028Doc doc;
    LoadInto(doc, MakeRescannedDatabase());
    ASSERT_EQ(Names(doc, false), (std::vector<std::string>{"T\xC3\xA9l\xC3\xA9 5", "Neu TV", "Rai 1", "Sky Cinema",
                                                           "ZDF HD", "Das Erste HD"}));
    SortOrderData order;
    ASSERT_EQ(ParseSortOrder(file.data(), file.size(), order), SortOrderStatus::Ok);
    EXPECT_EQ(ApplySortOrder(doc, order), 6);
    EXPECT_EQ(Names(doc, false), (std::vector<std::string>{"Das Erste HD", "ZDF HD", "Sky Cinema",
                                                           "T\xC3\xA9l\xC3\xA9 5", "Neu TV", "Rai 1"}));
    EXPECT_EQ(Names(doc, true), (std::vector<std::string>{"Bayern 3", "Antenne Bayern", "Radio Svizzera"}));
    // Stored groups for the recognised channels, a stored 0 included; the others keep theirs.
    EXPECT_EQ(Named(doc, "Das Erste HD")->GetFavouriteGroup(), 1);
    EXPECT_EQ(Named(doc, "ZDF HD")->GetFavouriteGroup(), 2);
    EXPECT_EQ(Named(doc, "T\xC3\xA9l\xC3\xA9 5")->GetFavouriteGroup(), 0);
    EXPECT_EQ(Named(doc, "Bayern 3")->GetFavouriteGroup(), 4);
    EXPECT_EQ(Named(doc, "Rai 1")->GetFavouriteGroup(), 5);
    EXPECT_EQ(Named(doc, "Radio Svizzera")->GetFavouriteGroup(), 6);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(doc.m_services.GetAt(i)->m_nListPos, i < 6 ? i + 1 : i - 5);
    }
    EXPECT_EQ(doc.m_services.GetTvCount(), 6u);
    EXPECT_EQ(doc.m_services.GetRadioCount(), 3u);
}

TEST(SortOrderFile, AStoredGroupWordPutsTheChannelIntoThatGroup)
{
    CVandrelEdit2028Doc doc;
    TestDatabase db = MakeOrderDatabase();
    db.services.records[0].FavGroup(5);
    LoadInto(doc, db);
    Bytes file = BuildSortOrder(doc);
    PutU32(file, 20 + 20, 3);
    SortOrderData order;
    ASSERT_EQ(ParseSortOrder(file.data(), file.size(), order), SortOrderStatus::Ok);
    ApplySortOrder(doc, order);
    EXPECT_EQ(doc.m_services.GetAt(0)->GetFavouriteGroup(), 3);
}

TEST(SortOrderFile, DuplicatedChannelsAreEachPlacedOnceAndNothingMoves)
{
    TestDatabase db = MakeOrderDatabase();
    std::vector<ServiceRecord> tv(db.services.records.begin(), db.services.records.begin() + 5);
    std::vector<ServiceRecord> radio(db.services.records.begin() + 5, db.services.records.begin() + 8);
    ServiceRecord copy = tv[0];
    copy.Name("Das Erste Kopie");
    tv.insert(tv.begin() + 2, copy);
    db.services.PlaceInArrayOrder(tv, radio);
    CVandrelEdit2028Doc doc;
    LoadInto(doc, db);
    const std::vector<std::string> before = Names(doc, false);
    const Bytes file = BuildSortOrder(doc);
    SortOrderData order;
    ASSERT_EQ(ParseSortOrder(file.data(), file.size(), order), SortOrderStatus::Ok);
    EXPECT_EQ(ApplySortOrder(doc, order), 9);
    EXPECT_EQ(Names(doc, false), before);
}

TEST(SortOrderFile, AStoredRadioRecordNeverPullsATelevisionChannelIntoTheRadioBlock)
{
    CVandrelEdit2028Doc doc;
    LoadInto(doc, MakeOrderDatabase());
    // A radio record naming the television channel Das Erste HD.
    Bytes file = OrderHeader(1, 1, 1, 0, 1);
    Append(file, OrderRecord(10301, 192, false, 11494, false, 22000, 1019, 1, 0));
    SortOrderData order;
    ASSERT_EQ(ParseSortOrder(file.data(), file.size(), order), SortOrderStatus::Ok);
    EXPECT_EQ(ApplySortOrder(doc, order), 0);
    EXPECT_EQ(Names(doc, false).front(), "Das Erste HD");
    EXPECT_EQ(doc.m_services.GetAt(5)->GetNameText(), "Bayern 3");
}

TEST(SortOrderFile, DamagedFilesAreReadWithoutTrustingTheirCounts)
{
    SortOrderData order;
    EXPECT_EQ(ParseSortOrder(nullptr, 0, order), SortOrderStatus::Invalid);
    const Bytes v1 = OrderHeader(1, 0, 0, 0, 0);
    EXPECT_EQ(ParseSortOrder(v1.data(), 3, order), SortOrderStatus::Invalid);
    EXPECT_EQ(ParseSortOrder(v1.data(), 12, order), SortOrderStatus::Invalid);
    EXPECT_EQ(ParseSortOrder(v1.data(), v1.size(), order), SortOrderStatus::Ok);
    const Bytes v2 = OrderHeader(2, 0, 0, 0, 0);
    EXPECT_EQ(ParseSortOrder(v2.data(), 4, order), SortOrderStatus::Outdated);

    // W larger than the records present.
    Bytes shortFile = OrderHeader(1, 3, 3, 3, 0);
    Append(shortFile, OrderRecord(1, 192, false, 1, false, 1, 1, 1, 0));
    Append(shortFile, OrderRecord(2, 192, false, 1, false, 1, 1, 1, 0));
    EXPECT_EQ(ParseSortOrder(shortFile.data(), shortFile.size(), order), SortOrderStatus::Invalid);
    EXPECT_EQ(order.described, 3u);

    // Huge counts are backed by nothing: only the records present are kept.
    Bytes huge = OrderHeader(1, 2, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu);
    Append(huge, OrderRecord(1, 192, false, 1, false, 1, 1, 1, 0));
    Append(huge, OrderRecord(2, 192, false, 1, false, 1, 1, 1, 0));
    huge.push_back(7); // a partial record
    ASSERT_EQ(ParseSortOrder(huge.data(), huge.size(), order), SortOrderStatus::Ok);
    EXPECT_EQ(order.records.size(), 2u);
    CVandrelEdit2028Doc doc;
    LoadInto(doc, MakeOrderDatabase());
    const Bytes before = doc.Save();
    EXPECT_EQ(ApplySortOrder(doc, order), 0);
    EXPECT_EQ(doc.Save(), before);

    // Records beyond T + R are not walked.
    Bytes extra = OrderHeader(1, 1, 1, 1, 0);
    Append(extra, OrderRecord(1, 192, false, 1, false, 1, 1, 1, 0));
    Append(extra, OrderRecord(2, 192, false, 1, false, 1, 1, 1, 0));
    ASSERT_EQ(ParseSortOrder(extra.data(), extra.size(), order), SortOrderStatus::Ok);
    EXPECT_EQ(order.records.size(), 1u);
}

TEST(SortOrderFile, ApplyingIsOneStepThatIsUndoneCompletely)
{
    CVandrelEdit2028Doc stored;
    LoadInto(stored, MakeOrderDatabase());
    const Bytes file = BuildSortOrder(stored);
    CVandrelEdit2028Doc doc;
    LoadInto(doc, MakeRescannedDatabase());
    const Bytes original = doc.Save();
    SortOrderData order;
    ASSERT_EQ(ParseSortOrder(file.data(), file.size(), order), SortOrderStatus::Ok);
    auto change = std::make_unique<CDocumentChange>(doc);
    ASSERT_EQ(ApplySortOrder(doc, order), 6);
    change->Finish();
    ASSERT_FALSE(change->IsEmpty());
    const Bytes applied = doc.Save();
    ASSERT_NE(applied, original);
    change->Undo();
    EXPECT_EQ(doc.Save(), original);
    change->Redo();
    EXPECT_EQ(doc.Save(), applied);
}

TEST(SortOrderFile, StoringCreatesTheDirectoryAndReportsAFileThatCannotBeCreated)
{
    TempDir dir;
    CVandrelEdit2028Doc doc;
    LoadInto(doc, MakeOrderDatabase());
    const fs::path path = dir / "data/VandrelEdit2028/AutomaticSortData.asd";
    std::string error;
    ASSERT_TRUE(StoreSortOrderFile(doc, path.string(), error)) << error;
    EXPECT_EQ(ReadAll(path), BuildSortOrder(doc));
    // Replaced by a later store.
    ASSERT_TRUE(StoreSortOrderFile(doc, path.string(), error)) << error;
    EXPECT_EQ(ReadAll(path), BuildSortOrder(doc));

    const fs::path blocker = dir.Write("file", Bytes{1});
    EXPECT_FALSE(StoreSortOrderFile(doc, (blocker / "AutomaticSortData.asd").string(), error));
    EXPECT_EQ(error.rfind(exmsg::kStoreOrderFailed, 0), 0u) << error;
}

TEST(SortOrderFile, ApplyingAFileReportsMissingOutdatedAndShortFiles)
{
    TempDir dir;
    CVandrelEdit2028Doc doc;
    LoadInto(doc, MakeOrderDatabase());
    const Bytes original = doc.Save();

    ApplyOrderResult r = ApplySortOrderFile(doc, (dir / "AutomaticSortData.asd").string());
    EXPECT_EQ(r.status, SortOrderStatus::Missing);
    EXPECT_EQ(r.causeCode, 2);
    EXPECT_EQ(r.message, "Bitte erst die Datei mit der Sortierung erstellen.\nFehlercode: 2");
    EXPECT_TRUE(r.summary.empty());
    r = ApplySortOrderFile(doc, (dir / "").string());
    EXPECT_EQ(r.status, SortOrderStatus::Missing);
    EXPECT_EQ(r.causeCode, 5) << "a directory cannot be read";

    Bytes outdated = BuildSortOrder(doc);
    PutU32(outdated, 0, 2);
    r = ApplySortOrderFile(doc, dir.Write("v2.asd", outdated).string());
    EXPECT_EQ(r.status, SortOrderStatus::Outdated);
    EXPECT_EQ(r.message, "Die Datei mit den Sortierinformationen ist veraltet.\nEs muss eine neue Datei erstellt werden.");
    EXPECT_TRUE(r.summary.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Save(), original);

    // A short file moves nothing but the positions are numbered again.
    for (int i = 0; i < doc.m_services.GetSize(); ++i) {
        doc.m_services.GetAt(i)->m_nListPos = 77;
    }
    const Bytes whole = BuildSortOrder(doc);
    const Bytes cut(whole.begin(), whole.begin() + 20 + 5 * 24);
    r = ApplySortOrderFile(doc, dir.Write("short.asd", cut).string());
    EXPECT_EQ(r.status, SortOrderStatus::Invalid);
    EXPECT_EQ(r.message, "Invalid file.");
    EXPECT_EQ(r.summary, "Es konnten 0 von 8 Services sortiert werden.");
    EXPECT_EQ(doc.m_services.GetAt(0)->m_nListPos, 1);
    EXPECT_EQ(doc.Save(), original);

    r = ApplySortOrderFile(doc, dir.Write("good.asd", whole).string());
    EXPECT_EQ(r.status, SortOrderStatus::Ok);
    EXPECT_TRUE(r.message.empty());
    EXPECT_EQ(r.sorted, 8);
    EXPECT_EQ(r.described, 8);
    EXPECT_EQ(r.summary, "Es konnten 8 von 8 Services sortiert werden.");
}

TEST(SortOrderFile, CauseCodesFollowTheFileExceptionTable)
{
    EXPECT_EQ(FileCauseCode(0), 0);
    EXPECT_EQ(FileCauseCode(ENOENT), 2);
    EXPECT_EQ(FileCauseCode(ENOTDIR), 3);
    EXPECT_EQ(FileCauseCode(EMFILE), 4);
    EXPECT_EQ(FileCauseCode(EACCES), 5);
    EXPECT_EQ(FileCauseCode(EBADF), 6);
    EXPECT_EQ(FileCauseCode(EIO), 10);
    EXPECT_EQ(FileCauseCode(ENOSPC), 13);
    EXPECT_EQ(FileCauseCode(EXDEV), 1);
}
