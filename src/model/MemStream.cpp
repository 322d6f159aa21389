#include "MemStream.h"

#include <algorithm>
#include <cstring>

size_t CMemStream::Read(uint8_t* out, size_t count)
{
    const size_t n = std::min(count, Remaining());
    if (n > 0) {
        std::memcpy(out, m_data.data() + m_pos, n);
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
    if (m_pos + count > m_data.size()) {
        m_data.resize(m_pos + count);
    }
    std::memcpy(m_data.data() + m_pos, data, count);
    m_pos += count;
}

void CMemStream::WriteZeros(size_t count)
{
    if (m_pos + count > m_data.size()) {
        m_data.resize(m_pos + count);
    }
    std::memset(m_data.data() + m_pos, 0, count);
    m_pos += count;
}

std::vector<uint8_t> CMemStream::Detach()
{
    std::vector<uint8_t> out = std::move(m_data);
    m_data.clear();
    m_pos = 0;
    return out;
}
