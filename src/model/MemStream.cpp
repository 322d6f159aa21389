#include "MemStream.h"

#include <algorithm>
#include <cstring>

CMemStream CMemStream::View(const uint8_t* data, size_t size)
{
    CMemStream s;
    static const uint8_t kEmpty = 0;
    s.m_view = data != nullptr ? data : &kEmpty;
    s.m_viewSize = data != nullptr ? size : 0;
    return s;
}

void CMemStream::Own()
{
    if (m_view != nullptr) {
        m_data.assign(m_view, m_view + m_viewSize);
        m_view = nullptr;
        m_viewSize = 0;
    }
}

size_t CMemStream::Read(uint8_t* out, size_t count)
{
    const size_t n = std::min(count, Remaining());
    if (n > 0) {
        std::memcpy(out, Current(), n);
    }
    m_pos += n;
    return n;
}

size_t CMemStream::Skip(size_t count)
{
    const size_t n = std::min(count, Remaining());
    m_pos += n;
    return n;
}

void CMemStream::Write(const uint8_t* data, size_t count)
{
    if (count == 0) {
        return;
    }
    Own();
    if (m_pos + count > m_data.size()) {
        if (m_pos + count > m_data.capacity()) {
            // Grows in whole steps of 1024 bytes, at least doubling.
            const size_t wanted = std::max(m_data.capacity() * 2, (m_pos + count + 1023) / 1024 * 1024);
            m_data.reserve(wanted);
        }
        m_data.resize(m_pos + count);
    }
    std::memcpy(m_data.data() + m_pos, data, count);
    m_pos += count;
}

void CMemStream::WriteZeros(size_t count)
{
    Own();
    if (m_pos + count > m_data.size()) {
        m_data.resize(m_pos + count);
    }
    std::memset(m_data.data() + m_pos, 0, count);
    m_pos += count;
}

void CMemStream::Reserve(size_t capacity)
{
    Own();
    m_data.reserve(capacity);
}

uint8_t* CMemStream::MutableData()
{
    Own();
    return m_data.data();
}

std::vector<uint8_t> CMemStream::Detach()
{
    Own();
    std::vector<uint8_t> out = std::move(m_data);
    m_data.clear();
    m_pos = 0;
    return out;
}
