#include <gtest/gtest.h>

#include <random>

#include "model/Crc32.h"
#include "support/NdbTestBuilder.h"

TEST(Crc32, CheckValueAndEmptyInput)
{
    const std::string check = "123456789";
    const Ccrc32& crc = Ccrc32::GetInstance();
    EXPECT_EQ(crc.Compute(reinterpret_cast<const uint8_t*>(check.data()), check.size()), 0xCBF43926u);
    const uint8_t dummy = 0x55;
    EXPECT_EQ(crc.Compute(&dummy, 0), 0u);
    EXPECT_EQ(crc.Compute(nullptr, 0), 0u);
}

TEST(Crc32, OneInstanceForTheProcess)
{
    EXPECT_EQ(&Ccrc32::GetInstance(), &Ccrc32::GetInstance());
}

// Every length up to a few thousand and every start alignment: a sliced
// implementation goes wrong in its tail or head handling otherwise unseen.
TEST(Crc32, AgreesWithBitwiseCrcOverRandomLengthsAndAlignments)
{
    std::mt19937 rng(20280101u);
    std::vector<uint8_t> data(5000 + 16);
    for (auto& b : data) {
        b = static_cast<uint8_t>(rng());
    }
    const Ccrc32& crc = Ccrc32::GetInstance();
    for (size_t len = 0; len <= 5000; ++len) {
        const size_t start = len % 8;
        ASSERT_EQ(crc.Compute(data.data() + start, len), ndbtest::BitwiseCrc32(data.data() + start, len))
            << "length " << len << " start " << start;
    }
    std::uniform_int_distribution<size_t> pick(0, 5000);
    for (int i = 0; i < 300; ++i) {
        const size_t len = pick(rng);
        const size_t start = static_cast<size_t>(rng() % 16);
        ASSERT_EQ(crc.Compute(data.data() + start, len), ndbtest::BitwiseCrc32(data.data() + start, len))
            << "length " << len << " start " << start;
    }
}

TEST(Crc32, AllByteValuesAndLongRuns)
{
    std::vector<uint8_t> all(256);
    for (int i = 0; i < 256; ++i) {
        all[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    }
    const Ccrc32& crc = Ccrc32::GetInstance();
    EXPECT_EQ(crc.Compute(all.data(), all.size()), ndbtest::BitwiseCrc32(all));
    std::vector<uint8_t> ones(100000, 0xFF);
    EXPECT_EQ(crc.Compute(ones.data(), ones.size()), ndbtest::BitwiseCrc32(ones));
}

TEST(Crc32, CombineEqualsTheCrcOfTheJoinedBytes)
{
    std::mt19937 rng(7u);
    std::vector<uint8_t> data(70000);
    for (auto& b : data) {
        b = static_cast<uint8_t>(rng());
    }
    const Ccrc32& crc = Ccrc32::GetInstance();
    for (size_t split : {size_t{0}, size_t{1}, size_t{9}, size_t{64}, size_t{1000}, size_t{69999}, size_t{70000}}) {
        for (size_t total : {split, split + 1, split + 17, data.size()}) {
            if (total > data.size() || total < split) {
                continue;
            }
            const uint32_t a = crc.Compute(data.data(), split);
            const uint32_t b = crc.Compute(data.data() + split, total - split);
            EXPECT_EQ(crc.Combine(a, b, total - split), ndbtest::BitwiseCrc32(data.data(), total))
                << split << " " << total;
        }
    }
}
