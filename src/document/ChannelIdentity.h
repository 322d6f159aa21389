#pragma once
// Recognising a channel in another database or in a reference list: by its
// satellite position, ONID, TSID and service id, or, when its satellite
// moved, by ONID, TSID and service id alone, or, when its transponder was
// re-tuned, by ONID and service id.
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
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
template <class Key> class CFirstFreeList {
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
        size_t group = 0;
        const size_t at = FirstUntaken(key, taken, group);
        return at == kNone ? -1 : m_entries[at].second;
    }

protected:
    static constexpr size_t kNone = static_cast<size_t>(-1);

    // The entry of the first untaken candidate of key, or kNone; group is
    // set to the key's first entry.
    size_t FirstUntaken(const Key& key, const std::vector<char>& taken, size_t& group)
    {
        const auto it = std::lower_bound(m_entries.begin(), m_entries.end(), key,
                                         [](const std::pair<Key, int>& e, const Key& k) { return e.first < k; });
        if (it == m_entries.end() || !(it->first == key)) {
            return kNone;
        }
        group = static_cast<size_t>(it - m_entries.begin());
        size_t& skip = m_skip[group];
        for (size_t i = group + skip; i < m_entries.size() && m_entries[i].first == key; ++i) {
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

// As CFirstFreeList, for channels that may share one identity (feeds often
// do): FindPreferring gives, among the untaken candidates of a key, the
// first whose name is the one asked for, else the first. Names are asked
// for only when a key has more than one untaken candidate, so the usual
// single candidate costs no name; the candidates' names are then indexed
// once, so even a table of one identity stays linear.
template <class Key> class CFirstFreeIndex : public CFirstFreeList<Key> {
public:
    void Build()
    {
        CFirstFreeList<Key>::Build();
        m_scan.assign(this->m_entries.size(), 0);
    }
    // name() gives the name wanted, nameOf(candidate) a candidate's, both
    // compared as they are. With uniqueOrNamed, several untaken candidates
    // none of which has the name give none.
    template <class Name, class NameOf>
    int FindPreferring(const Key& key, const std::vector<char>& taken, Name&& name, NameOf&& nameOf,
                       bool uniqueOrNamed = false)
    {
        size_t group = 0;
        const size_t at = this->FirstUntaken(key, taken, group);
        if (at == this->kNone) {
            return -1;
        }
        const int first = this->m_entries[at].second;
        if (!HasAnotherUntaken(key, taken, group, at)) {
            return first;
        }
        const std::string& wanted = name();
        if (!wanted.empty()) {
            if (!m_pNamed) {
                m_pNamed = std::make_unique<CFirstFreeList<std::pair<Key, std::string>>>();
                for (const auto& [k, candidate] : this->m_entries) {
                    m_pNamed->Add({k, nameOf(candidate)}, candidate);
                }
                m_pNamed->Build();
            }
            const int named = m_pNamed->Find({key, wanted}, taken);
            if (named >= 0) {
                return named;
            }
        }
        return uniqueOrNamed ? -1 : first;
    }

private:
    // Whether key has an untaken candidate after the one at entry at.
    bool HasAnotherUntaken(const Key& key, const std::vector<char>& taken, size_t group, size_t at)
    {
        // Entries between at and scan are known taken, and stay so.
        size_t& scan = m_scan[group];
        scan = std::max(scan, at + 1);
        const auto& entries = this->m_entries;
        for (; scan < entries.size() && entries[scan].first == key; ++scan) {
            if (!taken[static_cast<size_t>(entries[scan].second)]) {
                return true;
            }
        }
        return false;
    }

    std::vector<size_t> m_scan; // at the first entry of each key
    std::unique_ptr<CFirstFreeList<std::pair<Key, std::string>>> m_pNamed;
};
