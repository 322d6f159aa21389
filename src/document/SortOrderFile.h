#pragma once
// The stored sort order: the channel order and favourite groups of one
// database in a small file, applied later to another database (for example
// after a rescan). A channel is recognised by its satellite's position and
// orientation, its transponder's TpId, OrgNetId and polarisation, and its
// service id.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CVandrelEdit2028Doc;

inline constexpr uint32_t kSortOrderVersion = 1;
inline constexpr size_t kSortOrderHeaderSize = 20;
inline constexpr size_t kSortOrderRecordSize = 24;

struct SortOrderData {
    uint32_t version = 0;
    uint32_t described = 0; // W: records that describe a channel
    uint32_t slotCount = 0; // S
    uint32_t tvCount = 0;   // T
    uint32_t radioCount = 0; // R
    // The records the file really holds (at most T + R of them).
    std::vector<std::array<uint8_t, kSortOrderRecordSize>> records;
};

enum class SortOrderStatus {
    Ok,
    Missing,  // the file cannot be opened; see the cause code
    Outdated, // another version than 1
    Invalid,  // shorter than its header and W records
};

// The file's bytes for the document's current array order.
std::vector<uint8_t> BuildSortOrder(const CVandrelEdit2028Doc& doc);
// Parses untrusted bytes: nothing is sized by a count the bytes do not back.
SortOrderStatus ParseSortOrder(const uint8_t* data, size_t size, SortOrderData& order);
// Moves the recognised channels of each kind to the front of their kind's
// block, in stored order, and gives them their stored favourite group; the
// others follow in their previous order. Renumbers the list positions.
// Returns how many channels were placed.
int ApplySortOrder(CVandrelEdit2028Doc& doc, const SortOrderData& order);

// Writes the document's order into path (replacing the file, creating a
// missing directory). On failure returns false and sets a German message.
bool StoreSortOrderFile(const CVandrelEdit2028Doc& doc, const std::string& path, std::string& error);

struct ApplyOrderResult {
    SortOrderStatus status = SortOrderStatus::Missing;
    int causeCode = 0; // for Missing: the code shown after "Fehlercode: "
    int sorted = 0;    // channels placed
    int described = 0; // W of the file
    // Message box text for Missing, Outdated and Invalid; empty for Ok.
    std::string message;
    // The result popup ("Es konnten %i von %i ..."); empty for Missing and
    // Outdated, which leave the document as it was.
    std::string summary;
};

// Reads path and applies it. Missing and Outdated change nothing; Invalid
// moves nothing but renumbers the list positions.
ApplyOrderResult ApplySortOrderFile(CVandrelEdit2028Doc& doc, const std::string& path);
// The cause code (0 to 14) shown for a file that could not be opened.
int FileCauseCode(int err);
