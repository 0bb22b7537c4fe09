#include "database/node_text.h"

#include "database/node_pool.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

static_assert(sizeof(CNodeText) == CNodeText::kInlineBytes + 1 && alignof(CNodeText) == 1);

namespace {

/// Long texts come from the node pool too, in blocks of 8 bytes without a heap header.
char* AllocateText(std::uint32_t capacity)
{
    return static_cast<char*>(CNodePool::Nodes().Allocate(capacity));
}

void FreeText(char* data, std::uint32_t capacity) noexcept
{
    CNodePool::Nodes().Free(data, capacity);
}

/// The capacity for size bytes: the whole of the pool block they take.
std::uint32_t RoundedCapacity(std::uint32_t size)
{
    const std::uint64_t rounded = (std::uint64_t(size) + 7) & ~std::uint64_t(7);
    return std::uint32_t(
        std::min<std::uint64_t>(rounded, std::numeric_limits<std::uint32_t>::max()));
}

std::uint32_t CheckedSize(std::size_t size)
{
    if (size > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("field value too long");
    return std::uint32_t(size);
}

}  // namespace

CNodeText::CNodeText() noexcept
{
    m_bytes[kTagByte] = 0;
}

CNodeText::CNodeText(std::string_view text) : CNodeText()
{
    Assign(text);
}

CNodeText::CNodeText(const CNodeText& other) : CNodeText()
{
    Assign(other.View());
}

CNodeText::CNodeText(CNodeText&& other) noexcept
{
    std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
    other.m_bytes[kTagByte] = 0;
}

CNodeText& CNodeText::operator=(const CNodeText& other)
{
    if (this != &other)
        Assign(other.View());
    return *this;
}

CNodeText& CNodeText::operator=(CNodeText&& other) noexcept
{
    if (this != &other) {
        FreeLong();
        std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        other.m_bytes[kTagByte] = 0;
    }
    return *this;
}

CNodeText::~CNodeText()
{
    FreeLong();
}

CNodeText::LongForm CNodeText::GetLong() const noexcept
{
    LongForm form;
    std::memcpy(&form, m_bytes, sizeof form);
    return form;
}

void CNodeText::SetLong(const LongForm& form) noexcept
{
    std::memcpy(m_bytes, &form, sizeof form);
    m_bytes[kTagByte] = kLongTag;
}

void CNodeText::FreeLong() noexcept
{
    if (IsLong()) {
        const LongForm form = GetLong();
        FreeText(form.data, form.capacity);
    }
    m_bytes[kTagByte] = 0;
}

std::string_view CNodeText::View() const noexcept
{
    if (IsLong()) {
        const LongForm form = GetLong();
        return {form.data, form.size};
    }
    return {reinterpret_cast<const char*>(m_bytes), m_bytes[kTagByte]};
}

std::size_t CNodeText::Size() const noexcept
{
    return IsLong() ? GetLong().size : m_bytes[kTagByte];
}

void CNodeText::Assign(std::string_view text)
{
    if (text.size() <= kInlineBytes) {
        // The text may lie inside our own long buffer: copy it out before that is freed.
        unsigned char copy[kInlineBytes];
        std::memcpy(copy, text.data(), text.size());
        FreeLong();
        std::memcpy(m_bytes, copy, text.size());
        m_bytes[kTagByte] = static_cast<unsigned char>(text.size());
        return;
    }
    const std::uint32_t size = CheckedSize(text.size());
    const std::uint32_t capacity = RoundedCapacity(size);
    char* data = AllocateText(capacity);
    std::memcpy(data, text.data(), size);
    FreeLong();
    SetLong({data, size, capacity});
}

void CNodeText::Append(std::string_view text)
{
    if (text.empty())
        return;
    const std::size_t oldSize = Size();
    const std::uint32_t newSize = CheckedSize(oldSize + text.size());
    if (!IsLong() && newSize <= kInlineBytes) {
        std::memmove(m_bytes + oldSize, text.data(), text.size());
        m_bytes[kTagByte] = static_cast<unsigned char>(newSize);
        return;
    }
    if (IsLong() && newSize <= GetLong().capacity) {
        LongForm form = GetLong();
        std::memmove(form.data + oldSize, text.data(), text.size());
        form.size = newSize;
        SetLong(form);
        return;
    }
    const std::uint32_t capacity = RoundedCapacity(std::uint32_t(std::min<std::size_t>(
        std::size_t(newSize) + newSize / 2, std::numeric_limits<std::uint32_t>::max())));
    char* data = AllocateText(capacity);
    const std::string_view old = View();
    std::memcpy(data, old.data(), old.size());
    std::memcpy(data + oldSize, text.data(), text.size());
    FreeLong();
    SetLong({data, newSize, capacity});
}

void CNodeText::Clear() noexcept
{
    FreeLong();
}
