// The clipboard on arbitrary bytes. The first byte picks what runs:
//   0 to 3: the record sequence readers (count, then record images); what a
//           reader accepted must come back unchanged through its writer;
//   4 to 7: the whole paste: the payload reader and PasteChannels into the
//           demo document, in the list of either kind, before a chosen row
//           or at the end of the kind; afterwards the table must be whole and
//           ordered, the pasted channels side by side and complete, and
//           undoing the step must give back exactly the document before.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "AllocGuard.h"
#include "FuzzDocument.h"
#include "document/ChannelClipboard.h"
#include "document/ChannelRows.h"
#include "document/DocumentChange.h"
#include "model/ClipPayload.h"
#include "model/MemStream.h"
#include "model/SatelliteData.h"
#include "model/ServiceData.h"
#include "model/TransponderData.h"

namespace {

void Check(bool ok)
{
    if (!ok) {
        __builtin_trap();
    }
}

template <class Array> void RoundTrip(const uint8_t* data, size_t size, size_t entrySize)
{
    Array array;
    CMemStream in = CMemStream::View(data, size);
    vefuzz::BeginWatch("read stream", vefuzz::LimitsFor(size, 64u << 10, 64u << 10));
    const bool whole = array.ReadStream(in);
    vefuzz::EndWatch();
    // Never more entries than the bytes can hold, and a short sequence is
    // reported as such.
    Check(static_cast<size_t>(array.GetSize()) * entrySize + (size >= 4 ? 4 : 0) <= size);
    Check(in.GetPosition() <= in.GetLength());
    CMemStream out;
    array.WriteStream(out);
    Check(out.GetLength() == 4 + static_cast<size_t>(array.GetSize()) * entrySize);
    if (whole) {
        // the written sequence is the consumed prefix of the input
        Check(out.GetLength() <= size);
        for (size_t i = 0; i < out.GetLength(); ++i) {
            // kind bytes of services are derived from the flags, not copied
            if (entrySize == 145 && (i - 4) % 145 == 0) {
                continue;
            }
            Check(out.Data()[i] == data[i]);
        }
    }
    Array back;
    CMemStream again = CMemStream::View(out.Data(), out.GetLength());
    Check(back.ReadStream(again));
    Check(back.GetSize() == array.GetSize());
    for (int i = 0; i < array.GetSize(); ++i) {
        Check(back.GetAt(i)->m_record == array.GetAt(i)->m_record);
    }
}

void Paste(uint8_t selector, const uint8_t* data, size_t size)
{
    CVandrelEdit2028Doc& doc = vefuzz::FuzzDocument();
    vefuzz::CaptureInitialState(doc);
    const bool television = (selector & 1) == 0;
    const std::vector<ChannelRow> rows = SelectAllChannels(doc, !television);
    const size_t anchorRow = selector >> 3;
    const CServiceData* before = anchorRow > 0 && anchorRow <= rows.size() ? rows[anchorRow - 1].service : nullptr;
    const int tvBefore = static_cast<int>(doc.m_services.GetTvCount());
    const int radioBefore = static_cast<int>(doc.m_services.GetRadioCount());

    CClipPayload payload;
    payload.Read(data, size);
    const size_t entries = static_cast<size_t>(payload.GetChannelCount());

    CDocumentChange change(doc);
    vefuzz::BeginWatch("paste", vefuzz::LimitsFor(size, 64u << 10, 256u << 10));
    const PasteResult r = PasteChannels(doc, data, size, television, before);
    vefuzz::EndWatch();
    change.Finish();

    vefuzz::CheckTableOrder(doc);
    Check(r.pasted.size() <= entries);
    Check((r.stop == PasteStop::None) == r.message.empty());
    if (r.stop == PasteStop::NoUsableData || r.stop == PasteStop::TableFull) {
        Check(r.pasted.empty());
    }
    const int added = static_cast<int>(r.pasted.size());
    Check(static_cast<int>(doc.m_services.GetTvCount()) == tvBefore + (television ? added : 0));
    Check(static_cast<int>(doc.m_services.GetRadioCount()) == radioBefore + (television ? 0 : added));
    if (!r.pasted.empty()) {
        // Side by side in clipboard order, before the chosen row when there is one.
        const int first = doc.m_services.IndexOf(r.pasted.front());
        Check(first >= 0);
        for (size_t k = 0; k < r.pasted.size(); ++k) {
            const CServiceData* s = r.pasted[k];
            Check(doc.m_services.GetAt(first + static_cast<int>(k)) == s);
            Check(s->GetNumber() != 0 && s->IsRadio() != television && s->GetFavouriteGroup() == 0);
            Check(doc.TransponderOf(s) != nullptr && doc.SatelliteOf(s) != nullptr);
        }
        if (before != nullptr) {
            Check(doc.m_services.GetAt(first + added) == before);
        }
    }
    Check(change.IsEmpty() == r.pasted.empty());

    change.Undo();
    vefuzz::CheckRestored(doc);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const uint8_t selector = data[0];
    ++data;
    --size;
    switch (selector % 8) {
    case 0: RoundTrip<CSatelliteDataArray>(data, size, 52); break;
    case 1: RoundTrip<CTransponderDataArray>(data, size, 24); break;
    case 2: RoundTrip<CServiceDataArray>(data, size, 145); break;
    case 3:
        RoundTrip<CSatelliteDataArray>(data, size, 52);
        RoundTrip<CTransponderDataArray>(data, size, 24);
        RoundTrip<CServiceDataArray>(data, size, 145);
        break;
    default: Paste(static_cast<uint8_t>(selector - 4), data, size); break;
    }
    return 0;
}
