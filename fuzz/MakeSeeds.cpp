// Writes the seed corpora: small handcrafted databases that reach every
// reader and its edge cases, two demo databases of full table size, record
// sequences and whole payloads for the clipboard, and stored sort order
// files. Payloads and order files are written from the document the paste
// and sort-order targets work on. Seeds are made at fuzz time, so no binary
// files live in the repository.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzDocument.h"
#include "NdbFraming.h"
#include "document/ChannelClipboard.h"
#include "document/ChannelRows.h"
#include "document/DemoDatabase.h"
#include "document/ReferenceListFile.h"
#include "document/SortOrderFile.h"
#include "document/VandrelEdit2028Doc.h"
#include "model/MemStream.h"
#include "model/SatelliteData.h"
#include "model/ServiceData.h"
#include "model/TransponderData.h"

using namespace vefuzz;
namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes Filled(size_t n, uint8_t seed)
{
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) {
        b[i] = static_cast<uint8_t>(seed + i * 7);
    }
    return b;
}

Block MakeBlock(uint32_t id, uint32_t version, Bytes body)
{
    Block b;
    b.tagId = id;
    b.version = version;
    b.body = std::move(body);
    return b;
}

Bytes Config(size_t length)
{
    Bytes b = Filled(length, 0x31);
    const char* names[] = {"MOVIE", "NEWS", "Meine", "MUSIC", "CHILD", "DRAMA", "FAMILY", "MISC."};
    for (size_t i = 0; i < 8 && 1740 + 20 * i + 20 <= length; ++i) {
        std::memset(&b[1740 + 20 * i], 0, 20);
        std::memcpy(&b[1740 + 20 * i], names[i], std::strlen(names[i]));
    }
    return b;
}

Bytes Satellites(int records)
{
    Bytes b = Filled(8 + 52 * records + 14, 0x52);
    for (int i = 0; i < records; ++i) {
        uint8_t* r = &b[8 + 52 * i];
        r[0] = static_cast<uint8_t>(i + 1);
        std::memset(r + 3, 0, 20);
        std::memcpy(r + 3, "Astra", 5);
        r[23] = static_cast<uint8_t>(i % 2 ? 0x10 : 0);
        PutU16(r + 24, static_cast<uint16_t>(192 + 10 * i));
    }
    return b;
}

Bytes Transponders(int records)
{
    Bytes b = Filled(12 + 24 * records, 0x73);
    for (int i = 0; i < records; ++i) {
        uint8_t* r = &b[12 + 24 * i];
        PutU16(r + 0, static_cast<uint16_t>(i + 1));
        PutU16(r + 10, static_cast<uint16_t>(11000 + i));
        PutU16(r + 14, 27500);
        PutU32(r + 16, static_cast<uint32_t>(i % 2));
        r[20] = static_cast<uint8_t>(i % 3 + 1);
    }
    return b;
}

// tv television and radio radio services in array order, chained as a save
// writes them, then empty slots.
Bytes Services(int tv, int radio, int empty)
{
    const int used = tv + radio;
    Bytes b = Filled(20 + 144 * static_cast<size_t>(used + empty), 0x94);
    for (int i = 0; i < used + empty; ++i) {
        uint8_t* r = &b[20 + 144 * static_cast<size_t>(i)];
        const bool isRadio = i >= tv && i < used;
        const bool inUse = i < used;
        const bool last = i == tv - 1 || i == used - 1;
        const bool firstOfKind = i == 0 || i == tv;
        PutU16(r + 0, inUse ? static_cast<uint16_t>(i + 1) : 0);
        PutU16(r + 2, inUse && !firstOfKind ? static_cast<uint16_t>(i) : 0);
        PutU16(r + 4, inUse && !last ? static_cast<uint16_t>(i + 2) : 0);
        PutU16(r + 6, static_cast<uint16_t>(inUse ? i % 5 + 1 : 0));
        PutU16(r + 8, static_cast<uint16_t>(100 + i));
        PutU16(r + 28, static_cast<uint16_t>(i % 3));
        r[30] = static_cast<uint8_t>(i % 9);
        r[31] = static_cast<uint8_t>((isRadio ? 0x08 : 0) | (i % 4 == 1 ? 0x10 : 0) | (i % 5 == 2 ? 0x20 : 0));
        r[32] = i % 2 ? 27 : 1;
        std::memset(r + 40, 0, 20);
        std::snprintf(reinterpret_cast<char*>(r + 40), 20, "Kanal %d", i);
    }
    uint8_t* h = b.data();
    PutU32(h + 0, static_cast<uint32_t>(tv));
    PutU32(h + 4, static_cast<uint32_t>(radio));
    PutU16(h + 8, tv > 0 ? 1 : 0);
    PutU16(h + 10, radio > 0 ? static_cast<uint16_t>(tv + 1) : 0);
    PutU16(h + 12, static_cast<uint16_t>(tv));
    PutU16(h + 14, radio > 0 ? static_cast<uint16_t>(used) : 0);
    PutU16(h + 16, static_cast<uint16_t>(used));
    return b;
}

Bytes Timers(int records, size_t tail)
{
    Bytes b = Filled(12 + 340 * static_cast<size_t>(records) + tail, 0xB5);
    for (int i = 0; i < records; ++i) {
        uint8_t* r = &b[12 + 340 * static_cast<size_t>(i)];
        PutU16(r + 0, static_cast<uint16_t>(i % 2));
        r[6] = static_cast<uint8_t>(i % 6);
        PutU16(r + 8, 2028);
        r[41] = 0x30;
        r[42] = 0x21;
        PutU16(r + 44, 150);
    }
    return b;
}

Database Small()
{
    Database db;
    db.dbHeader = Filled(128, 0x11);
    db.blocks.push_back(MakeBlock(0xDB01, 2, Config(2788)));
    db.blocks.push_back(MakeBlock(0xDB02, 3, Satellites(3)));
    db.blocks.push_back(MakeBlock(0xDB03, 1, Transponders(5)));
    db.blocks.push_back(MakeBlock(0xDB04, 2, Services(4, 3, 3)));
    db.blocks.push_back(MakeBlock(0xDB05, 3, Timers(20, 0)));
    return db;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 5) {
        std::fprintf(
            stderr,
            "usage: %s DATABASE_SEED_DIR CLIPBOARD_SEED_DIR [SORT_ORDER_SEED_DIR [REFERENCE_LIST_SEED_DIR]]\n",
            argv[0]);
        return 1;
    }
    const fs::path dbDir = argv[1];
    const fs::path clipDir = argv[2];
    fs::create_directories(dbDir);
    fs::create_directories(clipDir);

    int n = 0;
    auto put = [&](const std::string& name, const Bytes& bytes) {
        WriteFile(dbDir / (name + ".ndb"), bytes);
        ++n;
    };

    put("small", Build(Small()));
    {
        Database db;
        db.dbHeader = Filled(128, 0x11);
        put("header-only", Build(db));
    }
    {
        Database db = Small();
        db.blocks[0] = MakeBlock(0xDB01, 3, Config(2060));
        db.blocks[4] = MakeBlock(0xDB05, 3, Timers(20, 33));
        put("config-2060-timer-tail", Build(db));
    }
    {
        Database db = Small();
        std::swap(db.blocks[0], db.blocks[3]);
        std::swap(db.blocks[1], db.blocks[4]);
        put("blocks-reordered", Build(db));
    }
    {
        Database db = Small();
        db.blocks[3] = MakeBlock(0xDB04, 2, Services(0, 4, 2));
        put("radio-only", Build(db));
    }
    {
        // a television chain that comes back to its start
        Database db = Small();
        Bytes s = Services(4, 0, 1);
        PutU16(&s[20 + 3 * 144 + 4], 1);
        db.blocks[3] = MakeBlock(0xDB04, 2, s);
        put("looped-chain", Build(db));
    }
    {
        // a radio record on the television chain, and a numbered record on no chain
        Database db = Small();
        Bytes s = Services(3, 2, 2);
        s[20 + 1 * 144 + 31] |= 0x08;
        PutU16(&s[20 + 5 * 144], 9);
        db.blocks[3] = MakeBlock(0xDB04, 2, s);
        put("mixed-kinds", Build(db));
    }
    {
        Database db = Small();
        db.blocks.insert(db.blocks.begin() + 2, MakeBlock(0xDB05, 2, Timers(1, 0)));
        put("old-timers-block", Build(db));
    }
    {
        Database db = Small();
        db.blocks[1].seal = false;
        db.blocks[1].declaredLength = static_cast<uint32_t>(db.blocks[1].body.size());
        db.blocks[1].bodyCrc = 0x12345678;
        db.blocks[1].headerCrc = 0;
        put("bad-checksum", Build(db));
    }
    {
        Database db = Small();
        db.blocks.push_back(db.blocks[1]);
        db.blocks.push_back(db.blocks[0]);
        db.trailing = Filled(11, 0xEE);
        put("doubled-blocks-trailing", Build(db));
    }
    {
        Database db;
        db.dbHeader = Filled(128, 0x11);
        db.blocks.push_back(MakeBlock(0xDB01, 3, Config(100)));
        db.blocks.push_back(MakeBlock(0xDB02, 3, Bytes(5, 1)));
        db.blocks.push_back(MakeBlock(0xDB03, 1, Bytes(3, 2)));
        db.blocks.push_back(MakeBlock(0xDB04, 2, Bytes(19, 3)));
        db.blocks.push_back(MakeBlock(0xDB05, 3, Bytes(7, 4)));
        put("short-bodies", Build(db));
    }
    {
        Database db = Small();
        db.blocks[1] = MakeBlock(0xDB02, 3, Satellites(250));
        db.blocks[1].body.resize(13022 + 40, 0);
        put("satellite-surplus", Build(db));
    }
    put("demo-small", BuildDemoDatabase({3, 2}));
    put("demo", BuildDemoDatabase({60, 15}));

    // Clipboard sequences: the first byte selects the reader.
    int c = 0;
    auto clip = [&](const std::string& name, uint8_t selector, const CMemStream& s) {
        Bytes b{selector};
        b.insert(b.end(), s.Data(), s.Data() + s.GetLength());
        WriteFile(clipDir / (name + ".bin"), b);
        ++c;
    };
    CSatelliteDataArray sats;
    CTransponderDataArray tps;
    CServiceDataArray svcs;
    {
        const Bytes s = Satellites(3);
        CMemStream in = CMemStream::View(s.data(), s.size());
        sats.ReadBlock(in);
        const Bytes t = Transponders(4);
        CMemStream tin = CMemStream::View(t.data(), t.size());
        tps.ReadBlock(tin);
        const Bytes v = Services(3, 2, 0);
        CMemStream vin = CMemStream::View(v.data(), v.size());
        svcs.ReadBlock(vin);
    }
    CMemStream s1, s2, s3, empty;
    sats.WriteStream(s1);
    tps.WriteStream(s2);
    svcs.WriteStream(s3);
    CSatelliteDataArray none;
    none.WriteStream(empty);
    clip("satellites", 0, s1);
    clip("transponders", 1, s2);
    clip("services", 2, s3);
    clip("empty", 3, empty);

    // Whole payloads copied from the fuzz targets' document; the selector
    // picks the kind (bit 0) and the row to paste before (from bit 3 on).
    CVandrelEdit2028Doc doc;
    const Bytes demo = BuildDemoDatabase(kFuzzDemo);
    if (doc.Load(demo.data(), demo.size()) != LoadStatus::Loaded) {
        std::fprintf(stderr, "the demo database does not load\n");
        return 1;
    }
    auto payload = [&](const std::string& name, uint8_t selector, bool radio, std::vector<size_t> rows) {
        const std::vector<ChannelRow> all = SelectAllChannels(doc, radio);
        std::vector<CServiceData*> selected;
        for (size_t r : rows) {
            if (r < all.size()) {
                selected.push_back(all[r].service);
            }
        }
        Bytes b{selector};
        const Bytes p = CopyChannels(doc, selected).payload;
        b.insert(b.end(), p.begin(), p.end());
        WriteFile(clipDir / (name + ".bin"), b);
        ++c;
    };
    payload("paste-tv-end", 4, false, {0, 1, 2});
    payload("paste-tv-before-row", 4 + (5 << 3), false, {7, 3, 30, 59});
    payload("paste-radio-end", 5, true, {0, 14});
    payload("paste-radio-before-row", 5 + (2 << 3), true, {4});
    payload("paste-tv-into-radio", 5, false, {10, 11});
    {
        // A mixed payload: the radio entry first, so the later ones paste and it stops.
        const std::vector<ChannelRow> tv = SelectAllChannels(doc, false);
        const std::vector<ChannelRow> radio = SelectAllChannels(doc, true);
        Bytes b{4};
        const Bytes p = CopyChannels(doc, {radio[0].service, tv[1].service, tv[2].service}).payload;
        b.insert(b.end(), p.begin(), p.end());
        WriteFile(clipDir / "paste-mixed-kinds.bin", b);
        Bytes cut(b.begin(), b.end() - 30);
        WriteFile(clipDir / "paste-truncated.bin", cut);
        c += 2;
    }

    int o = 0;
    if (argc >= 4) {
        const fs::path orderDir = argv[3];
        fs::create_directories(orderDir);
        auto order = [&](const std::string& name, const Bytes& bytes) {
            WriteFile(orderDir / (name + ".asd"), bytes);
            ++o;
        };
        const Bytes stored = BuildSortOrder(doc);
        order("same-database", stored);
        // The records in reverse order within each kind: applying moves every channel.
        Bytes reversed = stored;
        const uint32_t t = stored[12] | (stored[13] << 8);
        const uint32_t r = stored[16] | (stored[17] << 8);
        auto rec = [&](Bytes& b, uint32_t i) { return b.begin() + static_cast<long>(20 + 24 * i); };
        for (uint32_t i = 0; i < t / 2; ++i) {
            std::swap_ranges(rec(reversed, i), rec(reversed, i + 1), rec(reversed, t - 1 - i));
        }
        for (uint32_t i = 0; i < r / 2; ++i) {
            std::swap_ranges(rec(reversed, t + i), rec(reversed, t + i + 1), rec(reversed, t + r - 1 - i));
        }
        order("reversed", reversed);
        Bytes outdated = stored;
        outdated[0] = 2;
        order("version-2", outdated);
        order("short", Bytes(stored.begin(), stored.begin() + 20 + 24 * 3));
        order("header-only", Bytes(stored.begin(), stored.begin() + 20));
        Bytes swapped = stored;
        std::swap_ranges(swapped.begin() + 12, swapped.begin() + 16, swapped.begin() + 16);
        order("kinds-swapped", swapped);
    }
    int l = 0;
    if (argc == 5) {
        // Reference lists of the document as written and as spreadsheets
        // save them: numbers turned round, Windows-1252 with commas, UTF-16
        // with TABs, quotes, lines that cannot be read, columns missing.
        const fs::path listDir = argv[4];
        fs::create_directories(listDir);
        auto list = [&](const std::string& name, const std::string& text) {
            WriteFile(listDir / name, Bytes(text.begin(), text.end()));
            ++l;
        };
        const std::string written = BuildReferenceList(doc);
        list("written.csv", written);
        std::string reversed = "Nr;Typ;Kanalname;Satellit;ONID;TSID;SID;Favorit\n";
        for (const bool radio : {false, true}) {
            const std::vector<ChannelRow> rows = SelectAllChannels(doc, radio);
            for (const ChannelRow& row : rows) {
                const int number = static_cast<int>(rows.size()) + 1 - row.number;
                reversed += std::to_string(number) + (radio ? ";Radio;" : ";TV;") + row.service->GetNameText() +
                            ";19.2E;1;1;" + std::to_string(row.service->GetServiceId()) + ";" +
                            std::to_string(number % 9) + "\n";
            }
        }
        list("numbers-reversed.csv", reversed);
        list("windows-1252.csv", "Typ,Nr,Kanalname,SID\r\nTV,1,\"M\xFCnchen, \"\"TV\"\"\",7\r\nRadio,2,X,\r\n");
        std::string utf16 = "\xFF\xFE";
        for (const char c : std::string("Nr\tTyp\tSID\r\n1\tTV\t3\r\n2\tradio\t4\r\n")) {
            utf16 += c;
            utf16 += '\0';
        }
        list("utf16.txt", utf16);
        list("unreadable.csv", "Nr;Typ;Kanalname\n0;TV;A\nx;Radio;B\n1;Kino;C\n2;TV;\"offen\n");
        list("missing-columns.csv", "Nr;Kanalname\n1;A\n");
    }
    std::printf("%d database seeds in %s, %d clipboard seeds in %s, %d sort order seeds, %d reference lists\n", n,
                dbDir.c_str(), c, clipDir.c_str(), o, l);
    return 0;
}
