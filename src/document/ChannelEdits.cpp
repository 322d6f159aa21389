#include "ChannelEdits.h"

#include <algorithm>
#include <cstdlib>

#include "ChannelRows.h"
#include "VandrelEdit2028Doc.h"
#include "model/TextCodec.h"

bool PassesTest(const CServiceData& s, ServiceTest test)
{
    switch (test) {
    case ServiceTest::Scrambled:
        return s.IsScrambled();
    case ServiceTest::Locked:
        return s.IsLocked();
    case ServiceTest::Skipped:
        return s.IsSkip();
    case ServiceTest::HD:
        return s.IsHD();
    }
    return false;
}

void DeleteChannels(CVandrelEdit2028Doc& doc, const std::vector<CServiceData*>& selected)
{
    if (selected.empty()) {
        return;
    }
    for (const CServiceData* s : selected) {
        doc.ForgetService(s);
    }
    doc.m_services.DeleteServices(selected);
    doc.UpdateSatelliteUsage();
    doc.UpdateTransponderUsage();
    doc.SetModifiedFlag(true);
}

void ClearFavourite(const std::vector<CServiceData*>& selected)
{
    for (CServiceData* s : selected) {
        s->SetFavouriteGroup(0);
    }
}

namespace {

void SetFlag(const std::vector<CServiceData*>& selected, uint8_t mask, bool on)
{
    for (CServiceData* s : selected) {
        s->SetFlags(static_cast<uint8_t>(on ? (s->GetFlags() | mask) : (s->GetFlags() & ~mask)));
    }
}

} // namespace

void SetLockFlag(const std::vector<CServiceData*>& selected, bool locked)
{
    SetFlag(selected, 0x20, locked);
}

void SetSkipFlag(const std::vector<CServiceData*>& selected, bool skipped)
{
    SetFlag(selected, 0x10, skipped);
}

bool AssignFavourite(const std::vector<CServiceData*>& selected, int group, bool toggle)
{
    if (selected.empty() || group < 1 || group > 8) {
        return false;
    }
    if (selected.size() == 1 && toggle && selected[0]->GetFavouriteGroup() == group) {
        selected[0]->SetFavouriteGroup(0);
        return true;
    }
    for (CServiceData* s : selected) {
        s->SetFavouriteGroup(static_cast<uint8_t>(group));
    }
    return false;
}

bool MoveToPosition(CServiceDataArray& services, const std::vector<CServiceData*>& selected, int position,
                    bool television)
{
    CServiceData* target = services.ServiceAtListNumber(position, television);
    if (target == nullptr) {
        return false;
    }
    const int targetIndex = services.IndexOf(target);
    std::vector<CServiceData*> before; // records that stood before the target
    std::vector<CServiceData*> after;
    // One pass for the array indexes of all selected records.
    std::vector<std::pair<const CServiceData*, int>> positions;
    const std::vector<CServiceData*> order = services.Order();
    positions.reserve(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        positions.emplace_back(order[i], static_cast<int>(i));
    }
    std::sort(positions.begin(), positions.end());
    for (CServiceData* s : selected) {
        auto it = std::lower_bound(positions.begin(), positions.end(), std::pair<const CServiceData*, int>(s, -1));
        if (it == positions.end() || it->first != s) {
            return false;
        }
        if (it->second < targetIndex) {
            before.push_back(s);
        } else if (it->second > targetIndex) {
            after.push_back(s);
        }
    }
    return services.MoveServicesNextTo(target, after, false) && services.MoveServicesNextTo(target, before, true);
}

bool ApplyDrop(CServiceDataArray& services, const CServiceData* target, const std::vector<CServiceData*>& dragged,
               bool below)
{
    return services.MoveServicesNextTo(target, dragged, below);
}

std::vector<int> DropRowOrder(int rowCount, const std::vector<int>& draggedRows, int targetRow)
{
    std::vector<char> dragged(static_cast<size_t>(std::max(rowCount, 0)), 0);
    std::vector<int> moving;
    for (int r : draggedRows) {
        if (r >= 0 && r < rowCount && !dragged[static_cast<size_t>(r)]) {
            dragged[static_cast<size_t>(r)] = 1;
            moving.push_back(r);
        }
    }
    std::vector<int> rows;
    rows.reserve(static_cast<size_t>(std::max(rowCount, 0)));
    for (int i = 0; i < rowCount; ++i) {
        if (!dragged[static_cast<size_t>(i)]) {
            rows.push_back(i);
        }
    }
    if (moving.empty() || (targetRow >= 0 && targetRow < rowCount && dragged[static_cast<size_t>(targetRow)])) {
        std::vector<int> unchanged(static_cast<size_t>(std::max(rowCount, 0)));
        for (int i = 0; i < rowCount; ++i) {
            unchanged[static_cast<size_t>(i)] = i;
        }
        return unchanged;
    }
    // Dragged downwards the rows land right after the target, else right
    // before it, keeping their order; a target outside the rows means the end.
    size_t at = rows.size();
    if (targetRow >= 0 && targetRow < rowCount) {
        at = static_cast<size_t>(std::find(rows.begin(), rows.end(), targetRow) - rows.begin());
        if (moving.front() < targetRow) {
            ++at;
        }
    }
    rows.insert(rows.begin() + static_cast<long>(at), moving.begin(), moving.end());
    return rows;
}

namespace {

char16_t UpperLatin(char16_t c)
{
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<char16_t>(c - 0x20);
    }
    if (c == 0xFF) {
        return 0x178;
    }
    return c;
}

char16_t LowerLatin(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<char16_t>(c + 0x20);
    }
    return c;
}

// Drops the leading "%4i " of list display mode.
std::string WithoutNumber(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        ++i;
    }
    if (i < text.size() && text[i] == ' ') {
        ++i;
    }
    return text.substr(i);
}

} // namespace

SortKeyTable ToSortKeyTable(const std::vector<std::u16string>& keys)
{
    SortKeyTable table;
    table.start.reserve(keys.size() + 1);
    for (const std::u16string& key : keys) {
        table.units += key;
        table.start.push_back(table.units.size());
    }
    return table;
}

SortKeyTable NameSortKeys(const std::vector<const CServiceData*>& services)
{
    SortKeyTable table;
    table.units.reserve(services.size() * 16);
    table.start.reserve(services.size() + 1);
    for (const CServiceData* s : services) {
        const size_t from = table.units.size();
        s->AppendNameUtf16(table.units);
        for (size_t i = from; i < table.units.size(); ++i) {
            table.units[i] = UpperLatin(table.units[i]);
        }
        table.start.push_back(table.units.size());
    }
    return table;
}

bool IsTextColumn(int column)
{
    return column == kColName || column == kColSatellite || column == kColProvider;
}

std::vector<std::u16string> SortKeys(const std::vector<std::string>& texts, bool numeric, bool listDisplay)
{
    std::vector<std::u16string> keys;
    keys.reserve(texts.size());
    for (const std::string& t : texts) {
        std::u16string key = ve::Utf8ToUtf16(listDisplay && !numeric ? WithoutNumber(t) : t);
        if (numeric && listDisplay && key.size() > 4) {
            key.resize(4);
        }
        if (!numeric) {
            for (char16_t& c : key) {
                c = UpperLatin(c);
            }
        }
        keys.push_back(std::move(key));
    }
    if (numeric) {
        // Padding every text with zeros to one common length compares like
        // padding the shorter of each pair to the longer.
        size_t width = 0;
        for (const auto& k : keys) {
            width = std::max(width, k.size());
        }
        for (auto& k : keys) {
            k.insert(0, width - k.size(), u'0');
        }
    }
    return keys;
}

std::vector<int> SortSatellites(const CSatelliteDataArray& satellites, std::vector<int> indexes, int order)
{
    auto sat = [&](int i) { return satellites.GetAt(i); };
    if (order == 2) {
        std::stable_sort(indexes.begin(), indexes.end(), [&](int a, int b) { return sat(a)->m_nSlot < sat(b)->m_nSlot; });
    } else if (order == 0) {
        auto lower = [&](int i) {
            std::u16string s = ve::Utf8ToUtf16(sat(i)->GetNameText());
            for (char16_t& c : s) {
                c = LowerLatin(c);
            }
            return s;
        };
        std::vector<std::pair<std::u16string, int>> keyed;
        for (int i : indexes) {
            keyed.emplace_back(lower(i), i);
        }
        std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (size_t k = 0; k < keyed.size(); ++k) {
            indexes[k] = keyed[k].second;
        }
    } else {
        // Western satellites first, from the farthest west, then the eastern
        // ones from the farthest east; 0.0 degrees West goes before all.
        auto key = [&](int i) { return sat(i)->IsWest() ? 3600 - sat(i)->GetPosition() : 18000 - sat(i)->GetPosition(); };
        std::stable_sort(indexes.begin(), indexes.end(), [&](int a, int b) {
            const int ka = key(a);
            const int kb = key(b);
            if (ka == 3600 || kb == 3600) {
                return ka == 3600 && kb != 3600;
            }
            return ka < kb;
        });
    }
    return indexes;
}

std::vector<int> SortTransponders(const CTransponderDataArray& transponders, std::vector<int> indexes, bool byFrequency)
{
    auto tp = [&](int i) { return transponders.GetAt(i); };
    if (byFrequency) {
        std::stable_sort(indexes.begin(), indexes.end(), [&](int a, int b) {
            const int fa = tp(a)->GetFrequency();
            const int fb = tp(b)->GetFrequency();
            if (fa == 0 || fb == 0) {
                return fa == 0 && fb != 0;
            }
            return fa < fb;
        });
    } else {
        std::vector<std::pair<std::string, int>> keyed;
        for (int i : indexes) {
            keyed.emplace_back(tp(i)->FormatSummaryText(), i);
        }
        std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (size_t k = 0; k < keyed.size(); ++k) {
            indexes[k] = keyed[k].second;
        }
    }
    return indexes;
}

bool MoveFavouriteGroup(CVandrelEdit2028Doc& doc, int from, int to)
{
    const int n = doc.m_configuration.GetSize();
    if (from < 0 || from >= n || to < 0 || to >= n) {
        return false;
    }
    doc.m_configuration.MoveGroup(from, to);
    doc.m_services.RemapFavouriteGroups(from, to, n);
    doc.SetModifiedFlag(true);
    return true;
}

PositionInput ParsePositionInput(const std::string& text, int upper)
{
    PositionInput in;
    size_t b = text.find_first_not_of(" \t");
    size_t e = text.find_last_not_of(" \t");
    const std::string t = b == std::string::npos ? std::string() : text.substr(b, e - b + 1);
    const bool digits = !t.empty() && t.find_first_not_of("0123456789", t[0] == '-' || t[0] == '+' ? 1 : 0) ==
                                          std::string::npos &&
                        t != "-" && t != "+";
    if (!digits) {
        in.error = "Geben Sie eine ganze Zahl ein.";
        return in;
    }
    const long long v = t.size() > 12 ? (t[0] == '-' ? -1 : 1LL << 40) : std::atoll(t.c_str());
    if (v < 1 || v > upper) {
        in.error = "Geben Sie eine ganze Zahl zwischen 1 und " + std::to_string(upper) + " ein.";
        return in;
    }
    in.ok = true;
    in.value = static_cast<int>(v);
    return in;
}

int ClampPosition(long long value, int upper)
{
    return static_cast<int>(std::clamp<long long>(value, 1, std::max(upper, 1)));
}
