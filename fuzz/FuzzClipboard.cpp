// The record sequence readers of the clipboard payload (count, then record
// images) on arbitrary bytes. The first byte picks the reader. What a reader
// accepted must come back unchanged through its writer.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "AllocGuard.h"
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const uint8_t selector = data[0];
    ++data;
    --size;
    switch (selector % 4) {
    case 0: RoundTrip<CSatelliteDataArray>(data, size, 52); break;
    case 1: RoundTrip<CTransponderDataArray>(data, size, 24); break;
    case 2: RoundTrip<CServiceDataArray>(data, size, 145); break;
    default:
        RoundTrip<CSatelliteDataArray>(data, size, 52);
        RoundTrip<CTransponderDataArray>(data, size, 24);
        RoundTrip<CServiceDataArray>(data, size, 145);
        break;
    }
    return 0;
}
