#pragma once
// Every constant of the .ndb format in one place: tags, sizes, slot counts.
#include <cstddef>
#include <cstdint>

namespace ndb {

// Container and block headers share one 20-byte shape.
inline constexpr size_t kHeaderSize = 20;
inline constexpr size_t kHdrChecksum = 0;
inline constexpr size_t kHdrTagId = 4;
inline constexpr size_t kHdrTagVersion = 8;
inline constexpr size_t kHdrBodyChecksum = 12;
inline constexpr size_t kHdrBodyLength = 16;

inline constexpr uint32_t kContainerTagId = 0xDB20;
inline constexpr uint32_t kContainerTagVersion = 2;

inline constexpr size_t kDatabaseHeaderSize = 128;

struct BlockTag {
    uint32_t id;
    uint32_t version;
};

// Position in this table, counted from 1, is the block type code.
inline constexpr BlockTag kBlockTags[] = {
    {0xDB01, 2}, // 1 configuration (2788-byte body)
    {0xDB01, 3}, // 2 configuration (any other length)
    {0xDB02, 3}, // 3 satellites
    {0xDB03, 1}, // 4 transponders
    {0xDB04, 2}, // 5 services
    {0xDB05, 2}, // 6 timers, older version: not read
    {0xDB05, 3}, // 7 timers
    {0xDB20, 2}, // 8 the container's own tag: not a block
};

enum BlockType : int {
    kTypeNone = -1,
    kTypeConfigV2 = 1,
    kTypeConfigV3 = 2,
    kTypeSatellites = 3,
    kTypeTransponders = 4,
    kTypeServices = 5,
    kTypeOldTimers = 6,
    kTypeTimers = 7,
    kTypeContainer = 8,
};

// Configuration block
inline constexpr size_t kConfigImageSize = 2060;
inline constexpr size_t kConfigV2BodyLength = 2788;
inline constexpr size_t kConfigOsdLanguage = 72;
inline constexpr size_t kConfigAudio1 = 248;
inline constexpr size_t kConfigAudio2 = 252;
inline constexpr size_t kConfigSubtitle1 = 256;
inline constexpr size_t kConfigSubtitle2 = 260;
inline constexpr size_t kConfigFavNames = 1740;
inline constexpr size_t kFavNameSize = 20;
inline constexpr int kFavGroupCount = 8;

// Timer block
inline constexpr size_t kTimerHeadSize = 12;
inline constexpr size_t kTimerRecordSize = 340;
inline constexpr int kTimerSlots = 20;

// Satellite block
inline constexpr size_t kSatHeadSize = 8;
inline constexpr size_t kSatRecordSize = 52;
inline constexpr int kSatSlots = 250;
inline constexpr size_t kSatTailSize = 14;
inline constexpr size_t kSatBodySize = kSatHeadSize + kSatSlots * kSatRecordSize + kSatTailSize; // 13022

// Transponder block
inline constexpr size_t kTpHeadSize = 12;
inline constexpr size_t kTpRecordSize = 24;
inline constexpr int kTpSlots = 7000;

// Service block
inline constexpr size_t kSvcHeadSize = 20;
inline constexpr size_t kSvcRecordSize = 144;
inline constexpr int kSvcSlots = 19999;

} // namespace ndb
