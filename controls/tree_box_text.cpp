// controls/tree_box_text.cpp: the text of a tree box's row.
#include "controls/tree_box_text.h"

#include <ostream>

CTreeBoxText& CTreeBoxText::operator=(std::string_view text)
{
    if (text.empty())
        m_text.reset();
    else if (m_text)
        m_text->assign(text);
    else
        m_text = std::make_unique<std::string>(text);
    return *this;
}

const std::string& CTreeBoxText::Empty()
{
    static const std::string empty;
    return empty;
}

std::ostream& operator<<(std::ostream& out, const CTreeBoxText& text)
{
    return out << text.str();
}
