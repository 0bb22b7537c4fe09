// platform/ui/printing/print_info.cpp: the page range of a print job.
#include "platform/ui/printing/print_info.h"

#include <algorithm>

UINT CPrintInfo::GetFromPage() const
{
    return m_fromPage ? std::max(m_fromPage, m_minPage) : m_minPage;
}

UINT CPrintInfo::GetToPage() const
{
    return m_toPage ? std::min(m_toPage, m_maxPage) : m_maxPage;
}

void CPrintInfo::SetPageRange(UINT from, UINT to)
{
    m_fromPage = from;
    m_toPage = to;
}
