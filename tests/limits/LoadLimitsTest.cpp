// Any input up to the size of a real database (and a little more) loads in
// well under a second, and no allocation is larger than the input justifies.
// The global allocation functions are replaced here to see every request.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <new>
#include <random>

#include "document/DemoDatabase.h"
#include "document/VandrelEdit2028Doc.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

namespace {

std::atomic<bool> g_watch{false};
std::atomic<size_t> g_live{0};
std::atomic<size_t> g_peak{0};
std::atomic<size_t> g_largest{0};

constexpr size_t kPrefix = 16; // keeps the size and the alignment of new

void* Allocate(size_t n)
{
    void* raw = std::malloc(n + kPrefix);
    if (raw == nullptr) {
        return nullptr;
    }
    *static_cast<size_t*>(raw) = n;
    if (g_watch.load(std::memory_order_relaxed)) {
        const size_t live = g_live.fetch_add(n, std::memory_order_relaxed) + n;
        if (live > g_peak.load(std::memory_order_relaxed)) {
            g_peak.store(live, std::memory_order_relaxed);
        }
        if (n > g_largest.load(std::memory_order_relaxed)) {
            g_largest.store(n, std::memory_order_relaxed);
        }
    }
    return static_cast<char*>(raw) + kPrefix;
}

void Release(void* p)
{
    if (p == nullptr) {
        return;
    }
    void* raw = static_cast<char*>(p) - kPrefix;
    const size_t n = *static_cast<size_t*>(raw);
    if (g_watch.load(std::memory_order_relaxed)) {
        // what was allocated before the watch began may be freed during it
        size_t live = g_live.load(std::memory_order_relaxed);
        g_live.store(live >= n ? live - n : 0, std::memory_order_relaxed);
    }
    std::free(raw);
}

} // namespace

void* operator new(size_t n)
{
    if (void* p = Allocate(n)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](size_t n)
{
    return operator new(n);
}
void* operator new(size_t n, const std::nothrow_t&) noexcept
{
    return Allocate(n);
}
void* operator new[](size_t n, const std::nothrow_t&) noexcept
{
    return Allocate(n);
}
void operator delete(void* p) noexcept
{
    Release(p);
}
void operator delete[](void* p) noexcept
{
    Release(p);
}
void operator delete(void* p, size_t) noexcept
{
    Release(p);
}
void operator delete[](void* p, size_t) noexcept
{
    Release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    Release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    Release(p);
}

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

struct Measured {
    LoadStatus status;
    double cpuSeconds;
    size_t largest;
    size_t peak;
};

Measured MeasureLoad(const Bytes& file)
{
    CVandrelEdit2028Doc* doc = new CVandrelEdit2028Doc;
    g_live = 0;
    g_peak = 0;
    g_largest = 0;
    g_watch = true;
    const std::clock_t start = std::clock();
    const LoadStatus status = doc->Load(file.data(), file.size());
    const std::clock_t end = std::clock();
    g_watch = false;
    delete doc;
    return {status, static_cast<double>(end - start) / CLOCKS_PER_SEC, g_largest.load(), g_peak.load()};
}

// The bounds every load must keep: processor time, the largest single
// allocation and the peak of live bytes, both against the input size. The
// fixed megabyte covers the tables of the fixed-size receiver format.
void ExpectWithinLimits(const Bytes& file, const std::string& what)
{
    const Measured m = MeasureLoad(file);
    const double timeLimit = kSanitized ? 1.0 : 0.25;
    EXPECT_LT(m.cpuSeconds, timeLimit) << what << ": " << file.size() << " bytes";
    EXPECT_LE(m.largest, 2 * file.size() + (1u << 20)) << what;
    EXPECT_LE(m.peak, 8 * file.size() + (2u << 20)) << what;
    EXPECT_LE(m.peak, 64u << 20) << what;
}

constexpr size_t kBudget = 4u << 20; // a little more than a full database

// A payload of as many copies of one block as fit into the budget.
Bytes ManyBlocks(uint32_t tag, uint32_t version, const Bytes& body)
{
    const Bytes block = FrameBlock(tag, version, body);
    Bytes payload = DbHeader().b;
    while (payload.size() + block.size() + kHeader <= kBudget) {
        Append(payload, block);
    }
    return SealContainer(payload);
}

} // namespace

TEST(LoadLimits, FullDemoDatabase)
{
    const Bytes file = BuildDemoDatabase({});
    ASSERT_GT(file.size(), 3000000u);
    EXPECT_EQ(MeasureLoad(file).status, LoadStatus::Loaded);
    ExpectWithinLimits(file, "demo database");
}

TEST(LoadLimits, EveryServiceSlotInUse)
{
    const Bytes file = BuildDemoDatabase({19000, 999});
    EXPECT_EQ(MeasureLoad(file).status, LoadStatus::Loaded);
    ExpectWithinLimits(file, "19999 channels");
}

TEST(LoadLimits, ChainsAgainstTheArrayOrder)
{
    // Every slot used, the television chain running from the last slot to
    // the first and the radio chain looping back into it: the chain walk
    // must not search the table once per step.
    TestDatabase db = MakeSmallDatabase();
    ServiceBody& s = db.services;
    for (int i = 0; i < kSvcSlots; ++i) {
        const uint16_t number = static_cast<uint16_t>(i + 1);
        s.records[static_cast<size_t>(i)].Number(number).Next(static_cast<uint16_t>(i)).Previous(
            static_cast<uint16_t>(i + 2));
        s.records[static_cast<size_t>(i)].Flags(i < 10000 ? 0 : 0x08);
    }
    s.records[5000].Next(static_cast<uint16_t>(kSvcSlots)); // back to the start
    s.FirstTv(static_cast<uint16_t>(kSvcSlots)).FirstRadio(10001).TvCount(10000).RadioCount(9999);
    const Bytes file = db.Build();
    EXPECT_NE(MeasureLoad(file).status, LoadStatus::Refused);
    ExpectWithinLimits(file, "reversed chains");
}

TEST(LoadLimits, ManySmallBlocksOfEveryKind)
{
    struct Case {
        const char* what;
        uint32_t tag, version;
        Bytes body;
    };
    const Case cases[] = {
        {"empty satellite blocks", kTagSatellites, 3, Bytes{}},
        {"short satellite blocks", kTagSatellites, 3, Bytes(8 + 52, 1)},
        {"empty transponder blocks", kTagTransponders, 1, Bytes{}},
        {"head-only service blocks", kTagServices, 2, Bytes(kSvcHead, 0)},
        {"one-slot service blocks", kTagServices, 2, Bytes(kSvcHead + kSvcRecord, 1)},
        {"short timer blocks", kTagTimers, 3, Bytes(kTimerHead, 0)},
        {"short configuration blocks", kTagConfig, 3, Bytes(10, 0)},
        {"configuration images", kTagConfig, 3, Bytes(kConfigImage, 0x41)},
    };
    for (const Case& c : cases) {
        const Bytes file = ManyBlocks(c.tag, c.version, c.body);
        EXPECT_EQ(MeasureLoad(file).status, LoadStatus::Loaded) << c.what;
        ExpectWithinLimits(file, c.what);
    }
}

TEST(LoadLimits, LengthsThatPromiseMoreThanThereIs)
{
    // The container claims 4 GB; a block inside a good container claims 4 GB.
    Bytes payload = DbHeader().b;
    Append(payload, FrameBlock(kTagServices, 2, Bytes(1000, 0), {false, false, 0xFFFFFFF0u}));
    Append(payload, Bytes(kBudget - payload.size() - 64, 0x33));
    const Bytes lyingBlock = SealContainer(payload);
    EXPECT_EQ(MeasureLoad(lyingBlock).status, LoadStatus::LoadedPartly);
    ExpectWithinLimits(lyingBlock, "block length beyond the payload");

    ContainerOptions lie;
    lie.declaredLength = 0xFFFFFFF0u;
    const Bytes lyingContainer = SealContainer(payload, lie);
    EXPECT_EQ(MeasureLoad(lyingContainer).status, LoadStatus::Refused);
    ExpectWithinLimits(lyingContainer, "payload length beyond the file");
}

TEST(LoadLimits, RandomPayloadsAndDamagedDatabases)
{
    std::mt19937 rng(2028);
    Bytes noise(kBudget - 64);
    for (uint8_t& b : noise) {
        b = static_cast<uint8_t>(rng());
    }
    const Bytes sealedNoise = SealContainer(noise);
    ExpectWithinLimits(sealedNoise, "random payload");
    ExpectWithinLimits(noise, "random bytes");

    // A full database with damaged bytes here and there, resealed.
    const Bytes demo = BuildDemoDatabase({});
    for (int round = 0; round < 8; ++round) {
        Bytes payload(demo.begin() + kHeader, demo.end());
        for (int k = 0; k < 64; ++k) {
            payload[rng() % payload.size()] = static_cast<uint8_t>(rng());
        }
        ExpectWithinLimits(SealContainer(payload), "damaged demo " + std::to_string(round));
    }
}
