#include "ConfigurationData.h"

#include <algorithm>
#include <cstring>

#include "NdbPrepackaging.h"
#include "OptionList.h"

void CConfigurationData::ReadBlock(CMemStream& stream)
{
    m_bShortBody = stream.Remaining() < m_image.size();
    if (m_bShortBody) {
        // A body too short for the image (even an empty one): nothing of it
        // is interpreted, and it is written back exactly as read.
        m_bHasImage = false;
        m_groups.clear();
        m_tail.resize(stream.Remaining());
        stream.Read(m_tail.data(), m_tail.size());
        return;
    }
    stream.Read(m_image.data(), m_image.size());
    m_bHasImage = true;
    m_groups.clear();
    for (int i = 0; i < ndb::kFavGroupCount; ++i) {
        auto group = std::make_unique<CFavoritenData>();
        group->CreateFromImage(i, &m_image[ndb::kConfigFavNames + ndb::kFavNameSize * static_cast<size_t>(i)]);
        m_groups.push_back(std::move(group));
    }
    m_tail.clear();
    if (m_nBodyLength > static_cast<int32_t>(ndb::kConfigImageSize)) {
        m_tail.resize(static_cast<size_t>(m_nBodyLength) - ndb::kConfigImageSize);
        m_tail.resize(stream.Read(m_tail.data(), m_tail.size()));
    }
}

void CConfigurationData::WriteBlock()
{
    // Changed names go into a copy of the image: the image itself stays as
    // read, so a name change that is taken back writes the stored bytes again.
    std::array<uint8_t, ndb::kConfigImageSize> image = m_image;
    for (size_t i = 0; i < m_groups.size() && i < static_cast<size_t>(ndb::kFavGroupCount); ++i) {
        if (m_groups[i]->m_nChanged == 1) {
            std::memcpy(&image[ndb::kConfigFavNames + ndb::kFavNameSize * i], m_groups[i]->m_name.data(),
                        ndb::kFavNameSize);
        }
    }
    CMemStream body;
    if (!m_bShortBody) {
        body.Write(image.data(), image.size());
    }
    body.Write(m_tail.data(), m_tail.size());
    uint8_t header[ndb::kHeaderSize];
    MakeBlockHeader(header, 0xDB01, body.GetLength() == ndb::kConfigV2BodyLength ? 2 : 3);
    CNDBPrepackaging::GetInstance().AppendBlock(header, body);
}

void CConfigurationData::RemoveAll()
{
    m_nBodyLength = 0;
    m_groups.clear();
}

int CConfigurationData::IndexOf(const CFavoritenData* group) const
{
    for (size_t i = 0; i < m_groups.size(); ++i) {
        if (m_groups[i].get() == group) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void CConfigurationData::MoveGroup(int moved, int target)
{
    const int n = GetSize();
    if (moved < 0 || moved >= n || target < 0 || target >= n) {
        return;
    }
    auto first = m_groups.begin();
    if (moved < target) {
        std::rotate(first + moved, first + moved + 1, first + target + 1);
    } else if (moved > target) {
        std::rotate(first + target, first + moved, first + moved + 1);
    }
    for (auto& g : m_groups) {
        g->m_nChanged = 1;
    }
}

std::vector<CFavoritenData*> CConfigurationData::GroupOrder() const
{
    std::vector<CFavoritenData*> order;
    for (const auto& g : m_groups) {
        order.push_back(g.get());
    }
    return order;
}

bool CConfigurationData::SetGroupOrder(const std::vector<CFavoritenData*>& order)
{
    std::vector<CFavoritenData*> wanted(order);
    std::vector<CFavoritenData*> present = GroupOrder();
    std::sort(wanted.begin(), wanted.end());
    std::sort(present.begin(), present.end());
    if (wanted != present) {
        return false; // not the same groups
    }
    std::vector<std::unique_ptr<CFavoritenData>> sorted;
    for (CFavoritenData* g : order) {
        auto it = std::find_if(m_groups.begin(), m_groups.end(), [g](const auto& p) { return p.get() == g; });
        sorted.push_back(std::move(*it));
    }
    m_groups = std::move(sorted);
    return true;
}

void CConfigurationData::FillOsdLanguageList(COptionList& options)
{
    static const char* const kTexts[] = {"unknown", "English", "French", "Deutsch",
                                         "unknown", "Русский", "Turkish"};
    for (int code = 0; code < 7; ++code) {
        options.AddOption(kTexts[code], code);
    }
}

void CConfigurationData::FillTrackLanguageList(COptionList& options)
{
    static const char* const kTexts[] = {"Arabic",    "Bulgarian",  "Czech",   "Dansk",   "Dutch",
                                         "English",   "Finnish",    "French",  "Deutsch", "Greek",
                                         "Hungarian", "Indonesian", "Italian", "Persian", "Polish",
                                         "Romanian",  "Русский",    "Spanish", "Swedish", "Turkish"};
    for (int code = 0; code < 20; ++code) {
        options.AddOption(kTexts[code], code);
    }
}
