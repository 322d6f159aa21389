#pragma once

// The document owns one; no block fills it and it is never written.
class CNetworkDataArray {
public:
    virtual ~CNetworkDataArray() = default;
    int GetSize() const { return 0; }
};
