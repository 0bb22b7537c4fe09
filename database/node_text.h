// database/node_text.h: the compact text a field node keeps its value in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/// A UTF-8 text of 23 bytes with no alignment, made for the text field classes: a value of up
/// to kInlineBytes bytes (most dates, places, names and short texts) lives inside the object;
/// a longer one lives on the heap and the object holds its pointer, length and capacity.
/// Because its alignment is 1, a field class that holds one as its first member packs it into
/// the tail of the CDataNode part, so such a node is 64 bytes in all.
class CNodeText {
public:
    static constexpr std::size_t kInlineBytes = 22;

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
    /// Whether the text lives on the heap.
    bool IsLong() const noexcept { return m_bytes[kTagByte] == kLongTag; }

    void Assign(std::string_view text);
    /// Appends with room to spare, so repeated continuation lines cost linear time.
    void Append(std::string_view text);
    void Clear() noexcept;

    bool operator==(std::string_view text) const noexcept { return View() == text; }

private:
    static constexpr std::size_t kTagByte = kInlineBytes;
    static constexpr unsigned char kLongTag = 0xFF;

    struct LongForm {
        char* data;
        std::uint32_t size;
        std::uint32_t capacity;
    };
    LongForm GetLong() const noexcept;
    void SetLong(const LongForm& form) noexcept;
    void FreeLong() noexcept;

    // Inline: the bytes, then the length in the tag byte. Long: a LongForm copied bytewise into
    // the first 16 bytes and kLongTag in the tag byte.
    unsigned char m_bytes[kInlineBytes + 1];
};
