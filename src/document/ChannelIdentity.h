#pragma once
// Recognising a channel in another database or in a reference list: by its
// satellite position, ONID, TSID and service id, or, when its satellite
// moved, by ONID, TSID and service id alone, or, when its transponder was
// re-tuned, by ONID and service id.
#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

class CVandrelEdit2028Doc;
class CServiceData;
class CTransponderData;
class CSatelliteData;

// The transponder and satellite of the channels of one document, looked up
// through tables by number: the same records as the lookups in array order
// (the first record with a number wins), without a search per channel.
class CReceptionLookup {
public:
    explicit CReceptionLookup(const CVandrelEdit2028Doc& doc);
    const CTransponderData* TransponderOf(const CServiceData& service) const;
    const CSatelliteData* SatelliteOf(const CTransponderData* transponder) const;

private:
    std::vector<const CTransponderData*> m_transponders; // by number
    std::array<const CSatelliteData*, 256> m_satellites{};
};

uint64_t PositionKey(int position, bool west, uint16_t onid, uint16_t tsid, uint16_t sid);
uint64_t IdentifierKey(uint16_t onid, uint16_t tsid, uint16_t sid);
uint32_t OnidSidKey(uint16_t onid, uint16_t sid);

// The keys of one channel; a key is missing when its transponder (both) or
// its satellite (the position key) is.
struct ChannelKeys {
    bool hasPosition = false;
    bool hasIdentifiers = false;
    uint64_t position = 0;
    uint64_t identifiers = 0;
    uint32_t onidSid = 0; // there when the identifiers are
};
ChannelKeys KeysOf(const CReceptionLookup& lookup, const CServiceData& service);

// Candidates by key, each key's candidates in ascending order. Find returns
// the first candidate of a key that is not taken yet; taken candidates are
// passed over once, so a run of lookups stays linear.
//
// Channels may share one identity (feeds often do). FindPreferring then
// gives the first untaken candidate that sameName(candidate) accepts, else
// the first untaken one; sameName is asked only when there is a choice, so
// the usual single candidate costs no name. With uniqueOrNamed, a choice no
// name settles finds nothing.
template <class Key> class CFirstFreeIndex {
public:
    void Add(Key key, int candidate) { m_entries.emplace_back(std::move(key), candidate); }
    void Build()
    {
        std::sort(m_entries.begin(), m_entries.end());
        m_skip.assign(m_entries.size(), 0);
    }
    bool Empty() const { return m_entries.empty(); }
    int Find(const Key& key, const std::vector<char>& taken)
    {
        const size_t at = FirstUntaken(key, taken);
        return at == kNone ? -1 : m_entries[at].second;
    }
    template <class SameName>
    int FindPreferring(const Key& key, const std::vector<char>& taken, SameName&& sameName,
                       bool uniqueOrNamed = false)
    {
        const size_t at = FirstUntaken(key, taken);
        if (at == kNone) {
            return -1;
        }
        const int first = m_entries[at].second;
        size_t i = at + 1;
        while (i < m_entries.size() && m_entries[i].first == key &&
               taken[static_cast<size_t>(m_entries[i].second)]) {
            ++i;
        }
        if (i == m_entries.size() || !(m_entries[i].first == key) || sameName(first)) {
            return first;
        }
        for (; i < m_entries.size() && m_entries[i].first == key; ++i) {
            const int candidate = m_entries[i].second;
            if (!taken[static_cast<size_t>(candidate)] && sameName(candidate)) {
                return candidate;
            }
        }
        return uniqueOrNamed ? -1 : first;
    }

private:
    static constexpr size_t kNone = static_cast<size_t>(-1);

    // The entry of the first untaken candidate of key, or kNone.
    size_t FirstUntaken(const Key& key, const std::vector<char>& taken)
    {
        const auto it = std::lower_bound(m_entries.begin(), m_entries.end(), key,
                                         [](const std::pair<Key, int>& e, const Key& k) { return e.first < k; });
        if (it == m_entries.end() || !(it->first == key)) {
            return kNone;
        }
        const size_t first = static_cast<size_t>(it - m_entries.begin());
        size_t& skip = m_skip[first];
        for (size_t i = first + skip; i < m_entries.size() && m_entries[i].first == key; ++i) {
            if (!taken[static_cast<size_t>(m_entries[i].second)]) {
                return i;
            }
            ++skip;
        }
        return kNone;
    }

    std::vector<std::pair<Key, int>> m_entries;
    std::vector<size_t> m_skip; // at the first entry of each key: entries known taken
};
