#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// A value for each of a set of records, found by the record's address: one
// flat table with open addressing. Undo, redo and selecting thousands of
// channels look up every record of the list; this costs one hash per record
// instead of sorting the whole list by address or a node per entry.
template <class Value> class CAddressIndex {
public:
    explicit CAddressIndex(size_t expected) { Reserve(expected); }

    // Keeps the first value of a key given twice; false for the second.
    bool Insert(const void* key, Value value)
    {
        if (!key) {
            if (m_bHasNull)
                return false;
            m_bHasNull = true;
            m_nullValue = std::move(value);
            return true;
        }
        if ((m_nCount + 1) * 2 > m_slots.size())
            Reserve(m_nCount + 1);
        for (size_t i = Home(key);; i = (i + 1) & Mask()) {
            if (!m_slots[i].key) {
                m_slots[i] = Slot{key, std::move(value)};
                ++m_nCount;
                return true;
            }
            if (m_slots[i].key == key)
                return false;
        }
    }

    // The value of key, or nullptr when it is not in the table.
    const Value* Find(const void* key) const
    {
        if (!key)
            return m_bHasNull ? &m_nullValue : nullptr;
        for (size_t i = Home(key);; i = (i + 1) & Mask()) {
            if (m_slots[i].key == key)
                return &m_slots[i].value;
            if (!m_slots[i].key)
                return nullptr;
        }
    }

    bool Contains(const void* key) const { return Find(key) != nullptr; }

private:
    struct Slot {
        const void* key = nullptr;
        Value value{};
    };
    // At most half the slots in use, so a search always meets an empty one.
    void Reserve(size_t count)
    {
        int bits = 4;
        while ((size_t{1} << bits) < count * 2)
            ++bits;
        if (m_slots.size() >= (size_t{1} << bits))
            return;
        std::vector<Slot> old(size_t{1} << bits);
        old.swap(m_slots);
        m_nShift = 64 - bits;
        for (Slot& slot : old) {
            if (!slot.key)
                continue;
            size_t i = Home(slot.key);
            while (m_slots[i].key)
                i = (i + 1) & Mask();
            m_slots[i] = std::move(slot);
        }
    }
    size_t Mask() const { return m_slots.size() - 1; }
    // Fibonacci hashing: the high bits of the address times the golden ratio.
    size_t Home(const void* key) const
    {
        return static_cast<size_t>((reinterpret_cast<std::uintptr_t>(key) * 0x9E3779B97F4A7C15ull) >> m_nShift);
    }

    std::vector<Slot> m_slots;
    size_t m_nCount = 0;
    int m_nShift = 60;
    bool m_bHasNull = false;
    Value m_nullValue{};
};
