#pragma once
// Small glue between the independent builder and the core under test.
#include <functional>

#include "model/MemStream.h"
#include "model/NdbPrepackaging.h"
#include "support/NdbTestBuilder.h"

namespace ndbtest {

// Runs one block writer on an empty prepackaging output and returns the
// block it appended, parsed by the independent reader.
inline ParsedBlock WrittenBlock(const std::function<void()>& writer)
{
    CNDBPrepackaging& pack = CNDBPrepackaging::GetInstance();
    pack.Reset();
    Bytes payload(kDbHeader, 0);
    pack.AppendRaw(payload.data(), payload.size());
    writer();
    ParsedFile parsed = ParseFile(pack.WriteContainer());
    if (!parsed.containerOk || parsed.blocks.size() != 1) {
        return ParsedBlock{};
    }
    return parsed.blocks[0];
}

inline CMemStream StreamOf(const Bytes& bytes) { return CMemStream(bytes); }

inline Bytes StreamBytes(const CMemStream& s) { return Bytes(s.Data(), s.Data() + s.GetLength()); }

} // namespace ndbtest
