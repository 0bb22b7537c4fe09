// platform/base/archive.cpp: a buffered byte stream over a file, for storing or for loading.
#include "platform/base/archive.h"

#include "platform/base/file.h"

#include <algorithm>
#include <cstring>

CArchive::CArchive(CFile* file, UINT mode, int bufferSize)
    : m_file(file), m_mode(mode), m_buffer(static_cast<std::size_t>(std::max(bufferSize, 1)))
{
}

CArchive::~CArchive()
{
    // A destructor may not throw: what Close did not flush is given up.
}

UINT CArchive::Read(void* buffer, UINT count)
{
    auto* out = static_cast<BYTE*>(buffer);
    UINT done = 0;
    while (done < count) {
        if (m_next == m_used) {
            m_used = m_file->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
            m_next = 0;
            if (m_used == 0)
                break;
        }
        const std::size_t piece = std::min<std::size_t>(count - done, m_used - m_next);
        std::memcpy(out + done, m_buffer.data() + m_next, piece);
        m_next += piece;
        done += static_cast<UINT>(piece);
    }
    return done;
}

void CArchive::Write(const void* buffer, UINT count)
{
    const auto* in = static_cast<const BYTE*>(buffer);
    while (count > 0) {
        if (m_used == m_buffer.size())
            Flush();
        const std::size_t piece = std::min<std::size_t>(count, m_buffer.size() - m_used);
        std::memcpy(m_buffer.data() + m_used, in, piece);
        m_used += piece;
        in += piece;
        count -= static_cast<UINT>(piece);
    }
}

void CArchive::Flush()
{
    if (m_mode != store || m_used == 0)
        return;
    m_file->Write(m_buffer.data(), static_cast<UINT>(m_used));
    m_used = 0;
}

void CArchive::Close()
{
    Flush();
    m_file = nullptr;
}
