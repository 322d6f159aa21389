#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Growable in-memory byte stream with one read/write position. Reads never
// go past the end: they return how many bytes came.
class CMemStream {
public:
    CMemStream() = default;
    explicit CMemStream(std::vector<uint8_t> bytes) : m_data(std::move(bytes)) {}

    size_t Read(uint8_t* out, size_t count);
    // Advances like Read but copies nothing; returns how many bytes were passed.
    size_t Skip(size_t count);
    void Write(const uint8_t* data, size_t count);
    void WriteZeros(size_t count);

    size_t GetPosition() const { return m_pos; }
    void Seek(size_t pos) { m_pos = pos < m_data.size() ? pos : m_data.size(); }
    size_t GetLength() const { return m_data.size(); }
    size_t Remaining() const { return m_data.size() - m_pos; }
    const uint8_t* Data() const { return m_data.data(); }
    const uint8_t* Current() const { return m_data.data() + m_pos; }
    std::vector<uint8_t>& Bytes() { return m_data; }
    std::vector<uint8_t> Detach();

private:
    std::vector<uint8_t> m_data;
    size_t m_pos = 0;
};
