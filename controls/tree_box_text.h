// controls/tree_box_text.h: the text of a tree box's row, kept apart from the row: a pointer
// wide, so that the rows of lists whose owner draws them (and so store no text) stay small.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

/// A string that takes no room beyond a pointer while it is empty. It reads as a const
/// std::string; other reads go through str().
class CTreeBoxText {
public:
    CTreeBoxText() = default;
    CTreeBoxText(const CTreeBoxText& other) { *this = other.str(); }
    CTreeBoxText(CTreeBoxText&&) noexcept = default;
    CTreeBoxText& operator=(const CTreeBoxText& other)
    {
        if (this != &other)
            *this = other.str();
        return *this;
    }
    CTreeBoxText& operator=(CTreeBoxText&&) noexcept = default;
    CTreeBoxText& operator=(std::string_view text);

    const std::string& str() const { return m_text ? *m_text : Empty(); }
    operator const std::string&() const { return str(); }
    bool empty() const { return !m_text || m_text->empty(); }
    std::size_t size() const { return m_text ? m_text->size() : 0; }

    friend bool operator==(const CTreeBoxText& text, std::string_view other)
    {
        return std::string_view(text.str()) == other;
    }
    friend std::ostream& operator<<(std::ostream& out, const CTreeBoxText& text);

private:
    static const std::string& Empty();

    std::unique_ptr<std::string> m_text; // null while empty
};
