// reports/rpt_citation.cpp: citation lists and citation marks.
#include "reports/rpt_citation.h"

#include "database/nodes/data_node.h"

const CDataNode* CRptCitationList::At(int number) const
{
    return number >= 1 && number <= Count() ? m_items[std::size_t(number - 1)] : nullptr;
}

void CRptCitationList::Forget(const std::function<bool(const CDataNode&)>& gone)
{
    for (const CDataNode*& item : m_items) {
        if (item && gone(*item))
            item = nullptr;
    }
}

std::string CRptCitations::Marks(const CDataNode& field)
{
    std::string marks;
    if (!m_include)
        return marks;
    for (const CDataNode* citation = field.GetNextCitation(nullptr); citation;
         citation = field.GetNextCitation(citation)) {
        if (m_collect)
            m_collect->Add(citation);
        if (!marks.empty())
            marks += ',';
        marks += std::to_string(++counter);
    }
    return marks;
}
