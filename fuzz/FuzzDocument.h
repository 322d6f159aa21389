#pragma once
// The document the paste and sort-order targets work on: the demo database
// of 60 television and 15 radio channels, loaded once. Every input changes
// it inside one CDocumentChange and takes the change back, so each input
// starts from the same document; CheckRestored proves that it does.
#include <array>
#include <cstdint>
#include <vector>

#include "document/DemoDatabase.h"
#include "document/VandrelEdit2028Doc.h"

namespace vefuzz {

// The options MakeSeeds writes its payload and order seeds from.
inline constexpr DemoOptions kFuzzDemo{60, 15};

CVandrelEdit2028Doc& FuzzDocument();
// The same channels in a table of only 100 slots (75 channels, 25 empty), as
// a short service block gives it: operations that do not need a whole table
// are fuzzed on it many times faster.
CVandrelEdit2028Doc& FuzzCompactDocument();
inline constexpr int kCompactSlots = 100;

// Traps unless the table has its size (19999, or kCompactSlots for the
// compact document) and is ordered as the save expects: television, radio,
// empty slots; the head counts match; list positions are numbered within
// each kind.
void CheckTableOrder(const CVandrelEdit2028Doc& doc);
// Remembers the document as it is now, on the first call for it only, for
// CheckRestored; call it before the first change.
void CaptureInitialState(const CVandrelEdit2028Doc& doc);
// Traps unless the document is exactly as CaptureInitialState saw it: the same
// record objects in the same order with the same bytes, the same head, and
// unchanged satellites and transponders.
void CheckRestored(const CVandrelEdit2028Doc& doc);

} // namespace vefuzz
