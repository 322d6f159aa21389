#pragma once
// Copying channels out of a document into a clipboard payload and pasting a
// payload into a document. The GUI puts the bytes on the clipboard under
// kClipMimeType and runs Cut and Paste inside one CDocumentChange, so each
// is one undoable step.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CVandrelEdit2028Doc;
class CServiceData;

struct ClipCopyResult {
    // The payload for the clipboard; empty when no channel could be copied.
    std::vector<uint8_t> payload;
    // The channels on the clipboard, in the given order.
    std::vector<CServiceData*> copied;
    // Channels left out because their transponder or satellite is missing.
    std::vector<CServiceData*> notCopied;
};

// Copies the channels (in list order, top to bottom) with their transponder
// and satellite records.
ClipCopyResult CopyChannels(const CVandrelEdit2028Doc& doc, const std::vector<CServiceData*>& selected);
// Copies like CopyChannels, then deletes the copied channels from the table;
// channels that could not be copied stay where they are.
ClipCopyResult CutChannels(CVandrelEdit2028Doc& doc, const std::vector<CServiceData*>& selected);
// The message about the channels CopyChannels left out; empty when none.
std::string NotCopiedMessage(const std::vector<CServiceData*>& notCopied);

enum class PasteStop {
    None,           // every entry was handled
    NoUsableData,   // a sequence of the payload is empty: nothing pasted
    TableFull,      // fewer free slots than channels: nothing pasted
    OtherKind,      // an entry of the other kind stopped the paste
    NoMatch,        // an entry's transponder or satellite is not in the document
};

struct PasteResult {
    PasteStop stop = PasteStop::None;
    // The new records, in clipboard order; they stand side by side in the
    // table, in this order.
    std::vector<CServiceData*> pasted;
    // The message to show when the paste stopped (empty for None); an empty
    // caption means the application's own.
    std::string message;
    std::string caption;
};

// Pastes the payload bytes into the document's list of the given kind. The
// pasted channels go right before `before` (the record of the first selected
// row), or after the last channel of the kind when before is nullptr (or not
// a channel of that kind). Entries are taken from the last to the first, so
// a stop leaves the later entries pasted. Each pasted channel takes the
// number of the matching transponder of the document and leaves its
// favourite group; list positions are renumbered afterwards.
PasteResult PasteChannels(CVandrelEdit2028Doc& doc, const uint8_t* payload, size_t size, bool television,
                          const CServiceData* before);
