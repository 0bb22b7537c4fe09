// database/nodes/node_text.h: the compact text a field node keeps its value in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

/// A UTF-8 text of 27 bytes with no alignment, made for the text field classes: a value of up
/// to kInlineBytes bytes (most dates, names and short texts) lives inside the object; a longer
/// one lives in a pool block and the object holds its pointer, length and capacity. Because its
/// alignment is 1, a field class that holds one as its first member packs it into the tail of
/// the CDataNode part (20 bytes), so such a node is 48 bytes in all, the 27 filling the last
/// word but a byte.
///
/// A text that many fields repeat word for word (a place) can be stored shared instead: every
/// holder of the same long text points at one counted copy, which goes when its last holder
/// lets go. A shared copy is never changed: appending to it, or assigning another text, leaves
/// the copy to the other holders. Copying a shared text shares it too. Texts are made, copied
/// and freed on the interface thread only, as nodes are (see node_pool.h).
class CNodeText {
public:
    static constexpr std::size_t kInlineBytes = 26;

    CNodeText() noexcept;
    explicit CNodeText(std::string_view text);
    CNodeText(const CNodeText& other);
    CNodeText(CNodeText&& other) noexcept;
    CNodeText& operator=(const CNodeText& other);
    CNodeText& operator=(CNodeText&& other) noexcept;
    ~CNodeText();

    std::string_view View() const noexcept;
    std::string Str() const { return std::string(View()); }
    std::size_t Size() const noexcept;
    bool IsEmpty() const noexcept { return Size() == 0; }
    /// Whether the text lives outside the object (in a block of its own or a shared copy).
    bool IsLong() const noexcept { return m_bytes[kTagByte] >= kSharedTag; }
    /// Whether the text is a shared copy.
    bool IsShared() const noexcept { return m_bytes[kTagByte] == kSharedTag; }

    /// Inline for a short text replacing a short one, as a load assigns every field's value.
    void Assign(std::string_view text)
    {
        if (text.size() <= kInlineBytes && !IsLong()) {
            MoveShort(m_bytes, text.data(), text.size());
            m_bytes[kTagByte] = static_cast<unsigned char>(text.size());
            return;
        }
        AssignOther(text);
    }
    /// As Assign, but a text longer than kInlineBytes joins the shared copy of the same text
    /// (made when there is none).
    void AssignShared(std::string_view text);
    /// Appends with room to spare, so repeated continuation lines cost linear time. A shared
    /// text is copied out first.
    void Append(std::string_view text);
    void Clear() noexcept;

    bool operator==(std::string_view text) const noexcept { return View() == text; }

    /// The counted copy behind shared texts (node_text.cpp).
    struct SharedBlock;
    /// Forgets every shared copy without freeing it, for the node pool freed whole (the copies
    /// are its blocks); no text may use one afterwards.
    static void ForgetSharedCopies() noexcept;

private:
    static constexpr std::size_t kTagByte = kInlineBytes;
    static constexpr unsigned char kLongTag = 0xFF;
    static constexpr unsigned char kSharedTag = 0xFE;

    struct LongForm {
        char* data;
        std::uint32_t size;
        std::uint32_t capacity;
    };
    /// Assign for a long text, or over one.
    void AssignOther(std::string_view text);
    /// Copies size bytes (at most kInlineBytes) from from to to, which may overlap (a text may
    /// be a part of the inline bytes): every byte is loaded before any is stored. Two loads and
    /// two stores of a width the size reaches cover it, without a call.
    static void MoveShort(unsigned char* to, const char* from, std::size_t size) noexcept
    {
        if (size >= 16) {
            MoveEnds<16>(to, from, size);
        } else if (size >= 8) {
            MoveEnds<8>(to, from, size);
        } else if (size >= 4) {
            MoveEnds<4>(to, from, size);
        } else if (size > 0) {
            const char first = from[0];
            const char middle = from[size / 2];
            const char last = from[size - 1];
            to[0] = static_cast<unsigned char>(first);
            to[size / 2] = static_cast<unsigned char>(middle);
            to[size - 1] = static_cast<unsigned char>(last);
        }
    }
    /// MoveShort for a size from Width to twice Width: the first and the last Width bytes.
    template <std::size_t Width>
    static void MoveEnds(unsigned char* to, const char* from, std::size_t size) noexcept
    {
        unsigned char head[Width];
        unsigned char tail[Width];
        std::memcpy(head, from, Width);
        std::memcpy(tail, from + size - Width, Width);
        std::memcpy(to, head, Width);
        std::memcpy(to + size - Width, tail, Width);
    }
    LongForm GetLong() const noexcept;
    void SetLong(const LongForm& form) noexcept;
    SharedBlock* GetShared() const noexcept;
    void SetShared(SharedBlock* block) noexcept;
    /// Lets go of a long text or a shared copy; the text is then empty.
    void FreeLong() noexcept;

    // Inline: the bytes, then the length in the tag byte. Long: a LongForm copied bytewise into
    // the first 16 bytes and kLongTag in the tag byte. Shared: the copy's address in the first
    // 8 bytes and kSharedTag in the tag byte.
    unsigned char m_bytes[kInlineBytes + 1];
};

/// A rare text a field keeps on the heap beside its value (a value that could not be read, kept
/// as written). While it holds one inside the node pool it is one of the pool's owners (see
/// CNodePool::KeepOwner), so that the text goes when the whole pool is freed.
class CKeptText {
public:
    CKeptText() noexcept = default;
    CKeptText(const CKeptText&) = delete;
    CKeptText& operator=(const CKeptText&) = delete;
    /// Takes the other's text, leaving it empty.
    CKeptText& operator=(CKeptText&& other) noexcept;
    ~CKeptText() { Reset(); }

    explicit operator bool() const noexcept { return m_text != nullptr; }
    const std::string& operator*() const noexcept { return *m_text; }
    /// The text; null when there is none.
    const std::string* Get() const noexcept { return m_text.get(); }
    void Set(std::string_view text);
    void Reset() noexcept;

private:
    void KeepOwner() noexcept;

    std::unique_ptr<std::string> m_text;
};
