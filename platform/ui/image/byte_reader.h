// platform/ui/image/byte_reader.h: bounded reads of little- and big-endian numbers from a
// file's bytes, for the readers of this folder only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace image {

/// Reads forward through bytes; a read past the end sets the failed flag and answers 0, so a
/// reader checks Failed() once after a header instead of after every field.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes, std::size_t position = 0)
        : m_bytes(bytes), m_position(position)
    {
    }

    bool Failed() const { return m_failed; }
    std::size_t Position() const { return m_position; }
    std::size_t Remaining() const
    {
        return m_position < m_bytes.size() ? m_bytes.size() - m_position : 0;
    }
    /// Moves to an absolute position; beyond the end it fails.
    void Seek(std::size_t position)
    {
        if (position > m_bytes.size())
            m_failed = true;
        m_position = position;
    }
    void Skip(std::uint64_t count)
    {
        if (count > Remaining()) {
            m_failed = true;
            m_position = m_bytes.size();
            return;
        }
        m_position += static_cast<std::size_t>(count);
    }
    /// The next count bytes; empty (and failed) when fewer remain.
    std::span<const std::uint8_t> Take(std::size_t count)
    {
        if (count > Remaining()) {
            m_failed = true;
            m_position = m_bytes.size();
            return {};
        }
        const std::span<const std::uint8_t> piece = m_bytes.subspan(m_position, count);
        m_position += count;
        return piece;
    }
    std::uint8_t U8()
    {
        if (Remaining() < 1) {
            m_failed = true;
            return 0;
        }
        return m_bytes[m_position++];
    }
    std::uint16_t U16LE()
    {
        const std::uint16_t low = U8();
        return static_cast<std::uint16_t>(low | U8() << 8);
    }
    std::uint16_t U16BE()
    {
        const std::uint16_t high = U8();
        return static_cast<std::uint16_t>(high << 8 | U8());
    }
    std::uint32_t U32LE()
    {
        const std::uint32_t low = U16LE();
        return low | std::uint32_t(U16LE()) << 16;
    }
    std::uint32_t U32BE()
    {
        const std::uint32_t high = U16BE();
        return high << 16 | U16BE();
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position;
    bool m_failed = false;
};

} // namespace image
