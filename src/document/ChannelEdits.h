#pragma once
// The editing operations of the channel list and the tree, on the document's
// arrays. The list widgets decide which records are selected and call these;
// the records' order in the array is the receiver's channel order.
#include <string>
#include <string_view>
#include <vector>

class CVandrelEdit2028Doc;
class CServiceData;
class CServiceDataArray;
class CSatelliteDataArray;
class CTransponderDataArray;

// The tests of the selection commands.
enum class ServiceTest { Scrambled, Locked, Skipped, HD };
bool PassesTest(const CServiceData& service, ServiceTest test);

// Deletes the channels from the table (their slots become empty ones at the
// end) and recomputes the in-use flags of satellites and transponders.
void DeleteChannels(CVandrelEdit2028Doc& doc, const std::vector<CServiceData*>& selected);
// Takes the channels out of their favourite group; they stay in the table.
void ClearFavourite(const std::vector<CServiceData*>& selected);
void SetLockFlag(const std::vector<CServiceData*>& selected, bool locked);
void SetSkipFlag(const std::vector<CServiceData*>& selected, bool skipped);
// Puts the channels into group 1 to 8. With toggling, a single channel that
// is already in the group leaves it instead; returns true in that case.
bool AssignFavourite(const std::vector<CServiceData*>& selected, int group, bool toggle);

// Moves the selected channels, in list order, to channel number `position`
// of their kind: those that stood after the target end right before it,
// those before it right after it, each side keeping its list order. Returns
// false (nothing moved) when the position names no channel.
bool MoveToPosition(CServiceDataArray& services, const std::vector<CServiceData*>& selected, int position,
                    bool television);
// The array side of rows dropped in the list: the dragged records follow the
// target in list order (dropped below it) or precede it (dropped above it).
bool ApplyDrop(CServiceDataArray& services, const CServiceData* target, const std::vector<CServiceData*>& dragged,
               bool below);
// The list side of a drop: the new row order, as old row indexes, when the
// dragged rows (top to bottom, not containing target) are dropped on target.
std::vector<int> DropRowOrder(int rowCount, const std::vector<int>& draggedRows, int targetRow);

// Sort keys of a column's texts; comparing keys code unit by code unit gives
// the list's order. Text keys ignore case; number keys compare non-negative
// integers by value. In list display mode the texts start with the number.
std::vector<std::u16string> SortKeys(const std::vector<std::string>& texts, bool numeric, bool listDisplay);
// Sort keys in one buffer: key i is units[start[i]] up to units[start[i + 1]].
struct SortKeyTable {
    std::u16string units;
    std::vector<size_t> start{0};
    size_t Size() const { return start.size() - 1; }
    std::u16string_view Key(size_t i) const
    {
        return std::u16string_view(units).substr(start[i], start[i + 1] - start[i]);
    }
};
SortKeyTable ToSortKeyTable(const std::vector<std::u16string>& keys);
// The text keys of the channel names, as SortKeys gives them for the names'
// texts, read straight from the records into one buffer: sorting by name
// converts no texts and allocates nothing per channel.
SortKeyTable NameSortKeys(const std::vector<const CServiceData*>& services);
// Whether a column sorts by text ("Kanalname", "Satellit", "Provider") or by number.
bool IsTextColumn(int column);

// Satellite orders of the tree: 0 by name, 1 by orbital position, 2 as stored.
// Returns the satellite indexes in that order (a stable sort of `indexes`).
std::vector<int> SortSatellites(const CSatelliteDataArray& satellites, std::vector<int> indexes, int order);
// Transponder indexes by ascending label, or by frequency (0 first).
std::vector<int> SortTransponders(const CTransponderDataArray& transponders, std::vector<int> indexes,
                                  bool byFrequency);

// Moves favourite group `from` onto the place of group `to` and renumbers
// the channels' group references the same way. False for invalid indexes.
bool MoveFavouriteGroup(CVandrelEdit2028Doc& doc, int from, int to);

// The position field of the move dialog.
struct PositionInput {
    bool ok = false;
    int value = 0;
    std::string error; // the message to show when not ok
};
PositionInput ParsePositionInput(const std::string& text, int upper);
int ClampPosition(long long value, int upper);
