// reports/rpt_citation.h: source citations in reports: the list of citations a report or one
// entry cites, in the order first met, and the citation marks ("3,4,5") a field gets.
//
// Traps: the report-wide citation list is filled only while a build counts pages; drawing a page
// and exporting run the same entries and find it full, so a closing section never lists a citation
// twice. A text citation (SOUR with text, no source record) shows its own text as its source line.
#pragma once

#include <functional>
#include <string>
#include <vector>

class CDataNode;

/// The citations of a sources section, numbered from 1 in collection order.
class CRptCitationList {
public:
    void Add(const CDataNode* citation) { m_items.push_back(citation); }
    int Count() const { return int(m_items.size()); }
    /// Citation number (1-based); null outside the list or when forgotten.
    const CDataNode* At(int number) const;
    void Clear() { m_items.clear(); }
    /// Clears (keeping its number) every citation that gone answers true for, such as one whose
    /// node is being deleted.
    void Forget(const std::function<bool(const CDataNode&)>& gone);

private:
    std::vector<const CDataNode*> m_items;
};

/// Citation numbering of one build. With sources included, each citation of a marked field
/// takes the next number and goes to the collecting list when there is one (the report-wide
/// list, or an entry's list while "Sources End Entry" collects per entry).
class CRptCitations {
public:
    CRptCitations(bool includeSources, CRptCitationList* collect)
        : m_include(includeSources), m_collect(collect)
    {
    }

    bool Included() const { return m_include; }
    /// The marks of field's citations, numbered after the counter ("8,9,10" after 7), the
    /// counter moved on; empty, counter unchanged, without citations or with sources off.
    std::string Marks(const CDataNode& field);
    /// The collecting list; null while nothing collects.
    CRptCitationList* Collecting() const { return m_collect; }
    void SetCollecting(CRptCitationList* list) { m_collect = list; }

    /// The last number given.
    int counter = 0;

private:
    bool m_include;
    CRptCitationList* m_collect;
};
