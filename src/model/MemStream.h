#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// In-memory byte stream with one read/write position. It either owns its
// bytes or is a read-only view of bytes someone else keeps alive (writing to
// a view first copies the bytes). Reads never go past the end: they return
// how many bytes came.
class CMemStream {
public:
    CMemStream() = default;
    explicit CMemStream(std::vector<uint8_t> bytes) : m_data(std::move(bytes)) {}
    static CMemStream View(const uint8_t* data, size_t size);

    size_t Read(uint8_t* out, size_t count);
    // Advances like Read but copies nothing; returns how many bytes were passed.
    size_t Skip(size_t count);
    void Write(const uint8_t* data, size_t count);
    void WriteZeros(size_t count);
    void Reserve(size_t capacity);

    size_t GetPosition() const { return m_pos; }
    void Seek(size_t pos) { m_pos = pos < GetLength() ? pos : GetLength(); }
    size_t GetLength() const { return m_view ? m_viewSize : m_data.size(); }
    size_t Remaining() const { return GetLength() - m_pos; }
    const uint8_t* Data() const { return m_view ? m_view : m_data.data(); }
    const uint8_t* Current() const { return Data() + m_pos; }
    uint8_t* MutableData();
    std::vector<uint8_t> Detach();

private:
    void Own();

    std::vector<uint8_t> m_data;
    const uint8_t* m_view = nullptr;
    size_t m_viewSize = 0;
    size_t m_pos = 0;
};
