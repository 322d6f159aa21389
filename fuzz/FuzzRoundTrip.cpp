// Load, save, reload: the load lists exactly the channels the file's chains
// hold; whatever it accepted must be saved as a file that loads again whole
// and lists the same channels the loaded document listed, keeps every record
// on no chain where it stood, and saving is a fixed point from the first save
// on.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "AllocGuard.h"
#include "NdbFraming.h"
#include "document/ChannelRows.h"
#include "document/VandrelEdit2028Doc.h"

namespace {

// With VEFUZZ_DUMP=prefix the saved files are written out for a closer look
// when a check fails.
void Dump(const char* name, const std::vector<uint8_t>& bytes)
{
    if (const char* prefix = std::getenv("VEFUZZ_DUMP")) {
        const std::string path = std::string(prefix) + name;
        if (FILE* f = std::fopen(path.c_str(), "wb")) {
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
    }
}

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "==vefuzz== round trip: %s\n", what);
    __builtin_trap();
}

// The channel lists as the user sees them: per kind, the record images in
// list order. Number, previous and next are part of the image; after a save
// they are the values written, so the reloaded document must show them too.
std::vector<std::vector<uint8_t>> Channels(const CVandrelEdit2028Doc& doc, bool radio)
{
    std::vector<std::vector<uint8_t>> out;
    for (const ChannelRow& row : SelectAllChannels(doc, radio)) {
        out.emplace_back(row.service->m_record.begin(), row.service->m_record.end());
    }
    return out;
}

// The channels of one kind as listed: the record objects, and their images
// without number and links, which the save rewrites.
struct Listed {
    std::vector<const CServiceData*> records;
    std::vector<std::vector<uint8_t>> unlinked;
    bool operator==(const Listed& o) const { return records == o.records && unlinked == o.unlinked; }
};

Listed ListedChannels(const CVandrelEdit2028Doc& doc, bool radio)
{
    Listed out;
    for (const ChannelRow& row : SelectAllChannels(doc, radio)) {
        out.records.push_back(row.service);
        out.unlinked.emplace_back(row.service->m_record.begin() + 6, row.service->m_record.end());
    }
    return out;
}

// The service table as the file's chains describe it, worked out from the
// raw body on its own: per kind the channels in list order, and the slots
// that are no channels (empty slots and records on neither chain) in file
// order.
//
// A chain starts at the head's first number of its kind and goes on with
// each record's next number; a number names its first slot in file order
// that no earlier chain took, and the chain ends at number 0, at a number no
// such slot has, at a slot it already holds, or after the slots it may
// still take. The channels are both chains, then the numbered slots on
// neither chain that follow up to the first empty one (the save would chain
// them), television before radio, each kind in that order.
struct ServiceTable {
    std::vector<std::vector<uint8_t>> channels[2];
    std::vector<std::vector<uint8_t>> rest;
};

ServiceTable TableOfBody(const std::vector<uint8_t>& body)
{
    constexpr size_t kHead = 20;
    constexpr size_t kRecord = 144;
    constexpr size_t kSlots = 19999;
    ServiceTable table;
    if (body.size() < kHead) {
        return table;
    }
    const size_t n = std::min(kSlots, (body.size() - kHead) / kRecord);
    auto slot = [&](size_t i) { return body.data() + kHead + i * kRecord; };
    auto u16 = [](const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); };
    std::vector<std::pair<uint16_t, size_t>> byNumber;
    for (size_t i = 0; i < n; ++i) {
        byNumber.emplace_back(u16(slot(i)), i);
    }
    std::sort(byNumber.begin(), byNumber.end());
    std::vector<int> chainOf(n, 0);
    std::vector<size_t> order;
    auto walk = [&](uint16_t number, int chain, size_t maxSteps) {
        for (size_t steps = 0; number != 0 && steps < maxSteps; ++steps) {
            auto it = std::lower_bound(byNumber.begin(), byNumber.end(), std::make_pair(number, size_t{0}));
            while (it != byNumber.end() && it->first == number && chainOf[it->second] != 0 &&
                   chainOf[it->second] != chain) {
                ++it;
            }
            if (it == byNumber.end() || it->first != number || chainOf[it->second] == chain) {
                return;
            }
            chainOf[it->second] = chain;
            order.push_back(it->second);
            number = u16(slot(it->second) + 4);
        }
    };
    walk(u16(body.data() + 8), 1, kSlots);
    walk(u16(body.data() + 10), 2, kSlots - order.size());
    auto image = [&](size_t i) { return std::vector<uint8_t>(slot(i), slot(i) + kRecord); };
    bool channel = true;
    for (size_t i = 0; i < n; ++i) {
        if (chainOf[i] == 0) {
            channel = channel && u16(slot(i)) != 0;
            if (channel) {
                order.push_back(i);
            } else {
                table.rest.push_back(image(i));
            }
        }
    }
    for (size_t i : order) {
        table.channels[(slot(i)[31] & 0x08) != 0 ? 1 : 0].push_back(image(i));
    }
    return table;
}

// The images of the records behind the channels: empty slots and records on
// no chain, in array order.
std::vector<std::vector<uint8_t>> BehindTheChannels(const CVandrelEdit2028Doc& doc)
{
    std::vector<std::vector<uint8_t>> out;
    for (int i = doc.m_services.ChannelEnd(); i < doc.m_services.GetSize(); ++i) {
        const CServiceData& s = *doc.m_services.GetAt(i);
        out.emplace_back(s.m_record.begin(), s.m_record.end());
    }
    return out;
}

// The body of the service block a whole load read: the last one in the
// file. False when the input is not framed whole.
bool ServiceBodyOf(const uint8_t* data, size_t size, std::vector<uint8_t>& body)
{
    vefuzz::Database db;
    if (!vefuzz::Parse(data, size, db) || !db.trailing.empty()) {
        return false;
    }
    body.clear();
    for (const vefuzz::Block& b : db.blocks) {
        if (!b.seal) {
            return false;
        }
        if (b.tagId == 0xDB04 && b.version == 2) {
            body = b.body;
        }
    }
    return true;
}

std::vector<uint8_t> SaveWatched(CVandrelEdit2028Doc& doc, size_t inputSize)
{
    // The save collects into a buffer sized for a full database up front.
    vefuzz::BeginWatch("save", vefuzz::LimitsFor(inputSize, 4u << 20, 5u << 20));
    std::vector<uint8_t> bytes = doc.Save();
    vefuzz::EndWatch();
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CVandrelEdit2028Doc first;
    vefuzz::BeginWatch("load", vefuzz::LimitsFor(size, 1u << 20, 2u << 20));
    const LoadStatus status = first.Load(data, size);
    vefuzz::EndWatch();
    if (status != LoadStatus::Loaded && status != LoadStatus::LoadedPartly) {
        return 0;
    }
    // The lists the user sees before saving: the head counts agree with
    // them, and the save must write exactly these channels.
    const Listed listed[2] = {ListedChannels(first, false), ListedChannels(first, true)};
    if (listed[0].records.size() != first.m_services.GetTvCount() ||
        listed[1].records.size() != first.m_services.GetRadioCount() ||
        static_cast<int>(listed[0].records.size() + listed[1].records.size()) != first.m_services.ChannelEnd()) {
        Fail("the head counts differ from the listed channels");
    }
    // A whole load lists exactly the channels the file's chains hold (with
    // the numbered records right behind them, which the save would chain)
    // and keeps every other slot, empty or on no chain, behind them.
    std::vector<uint8_t> serviceBody;
    if (status == LoadStatus::Loaded && ServiceBodyOf(data, size, serviceBody)) {
        const ServiceTable table = TableOfBody(serviceBody);
        if (Channels(first, false) != table.channels[0] || Channels(first, true) != table.channels[1]) {
            Fail("the lists differ from the channels the chains hold");
        }
        if (BehindTheChannels(first) != table.rest) {
            Fail("the slots behind the channels are not those on no chain, in file order");
        }
    }
    const std::vector<std::vector<uint8_t>> behind = BehindTheChannels(first);
    const std::vector<uint8_t> saved1 = SaveWatched(first, size);
    if (!(ListedChannels(first, false) == listed[0]) || !(ListedChannels(first, true) == listed[1])) {
        Fail("the save changed which records are listed");
    }
    Dump("saved1.ndb", saved1);
    // A save changes nothing that a second save would write differently.
    if (first.Save() != saved1) {
        Fail("two saves of one document differ");
    }

    CVandrelEdit2028Doc second;
    if (second.Load(saved1.data(), saved1.size()) != LoadStatus::Loaded) {
        Fail("the saved file does not load whole");
    }
    for (bool radio : {false, true}) {
        if (Channels(first, radio) != Channels(second, radio)) {
            Fail(radio ? "the reloaded radio list differs" : "the reloaded television list differs");
        }
    }
    // The head written counts the channels written (the reload counts them
    // anew and would not notice).
    if (ServiceBodyOf(saved1.data(), saved1.size(), serviceBody) && serviceBody.size() >= 20) {
        const size_t tv = Channels(second, false).size();
        const size_t radio = Channels(second, true).size();
        if (vefuzz::GetU32(&serviceBody[0]) != tv || vefuzz::GetU32(&serviceBody[4]) != radio ||
            (serviceBody[16] | (serviceBody[17] << 8)) != static_cast<int>(tv + radio)) {
            Fail("the saved head does not count the channels written");
        }
    }
    // A file without a configuration block gets an empty one on saving, whose
    // eight groups appear on reloading; all other counts stay.
    if ((first.m_configuration.HasImage() &&
         second.m_configuration.GetSize() != first.m_configuration.GetSize()) ||
        second.m_satellites.GetSize() != first.m_satellites.GetSize() ||
        second.m_transponders.GetSize() != first.m_transponders.GetSize() ||
        second.m_timers.GetSize() != first.m_timers.GetSize() ||
        second.m_services.GetSize() != first.m_services.GetSize()) {
        Fail("the reloaded document holds a different number of records");
    }
    // Records on no chain, and the empty slots, stay as and where they were
    // when loaded: the save writes them back untouched.
    if (BehindTheChannels(first) != behind || BehindTheChannels(second) != behind) {
        Fail("a record behind the channels changed or moved");
    }
    const std::vector<uint8_t> saved2 = SaveWatched(second, saved1.size());
    Dump("saved2.ndb", saved2);
    if (saved2 != saved1) {
        Fail("saving the reloaded file gives other bytes");
    }
    return 0;
}
