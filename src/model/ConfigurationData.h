#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "FavoritenData.h"
#include "MemStream.h"
#include "NdbFormat.h"

class COptionList;

// The configuration block: a 2060-byte image of the body's start, the rest of
// the body as an opaque tail, and the eight favourite groups.
class CConfigurationData {
public:
    virtual ~CConfigurationData() = default;

    void ReadBlock(CMemStream& stream);
    void WriteBlock();
    void RemoveAll();

    // True once a body of at least 2060 bytes was read.
    bool HasImage() const { return m_bHasImage; }

    int GetSize() const { return static_cast<int>(m_groups.size()); }
    CFavoritenData* GetAt(int i) const { return m_groups[static_cast<size_t>(i)].get(); }
    int IndexOf(const CFavoritenData* group) const;
    // Moves group `moved` to the place of `target`; all groups are marked changed.
    void MoveGroup(int moved, int target);
    // The groups in their order, and putting the same groups into another order.
    std::vector<CFavoritenData*> GroupOrder() const;
    bool SetGroupOrder(const std::vector<CFavoritenData*>& order);

    uint8_t GetOsdLanguage() const { return m_image[ndb::kConfigOsdLanguage]; }
    void SetOsdLanguage(uint8_t code) { m_image[ndb::kConfigOsdLanguage] = code; }

    static void FillOsdLanguageList(COptionList& options);
    static void FillTrackLanguageList(COptionList& options);

    int32_t m_nBodyLength = 0;
    std::vector<uint8_t> m_tail;
    std::array<uint8_t, ndb::kConfigImageSize> m_image{};

private:
    bool m_bHasImage = false;
    // The body read was too short for the image: it is all in m_tail.
    bool m_bShortBody = false;
    std::vector<std::unique_ptr<CFavoritenData>> m_groups;
};
