// reports/report_body.cpp: element levels and parts, and the recorded body.
#include "reports/report_body.h"

#include <algorithm>

int RptFontSlot(int level, int part)
{
    if (level <= kRptLevelRecord)
        return 0;
    return (level == kRptLevelSection ? 1 : 4) + std::clamp(part, 0, 2);
}

int RptStyleNumber(int level, int part)
{
    level = std::clamp(level, 0, 2);
    switch (part) {
    case kRptHeadingPart:
        return level + 1;
    case kRptLabelPart:
        return 2 * level + 2;
    default:
        return 2 * level + 3;
    }
}

void CRptBody::Heading(int level, std::string_view text, bool pageBreak)
{
    CRptElement& element = m_elements.emplace_back();
    element.m_kind = CRptElement::kHeading;
    element.m_level = level;
    element.m_text = text;
    element.m_pageBreak = pageBreak;
}

void CRptBody::BeginTable(int level, int columns, std::vector<int> widths, bool tableFlag)
{
    CRptElement& element = m_elements.emplace_back();
    element.m_kind = CRptElement::kBeginTable;
    element.m_level = level;
    element.m_columns = columns;
    std::copy_n(widths.begin(), std::min<std::size_t>(widths.size(), 4), element.m_widths.begin());
    element.m_tableFlag = tableFlag;
}

void CRptBody::EndTable()
{
    m_elements.emplace_back().m_kind = CRptElement::kEndTable;
}

void CRptBody::NextEntry()
{
    m_elements.emplace_back().m_kind = CRptElement::kNextEntry;
}

void CRptBody::Row(CRptTextRow row)
{
    CRptElement& element = m_elements.emplace_back();
    element.m_kind = CRptElement::kRow;
    element.m_row = std::move(row);
}

void CRptBody::Runs(int level, std::vector<CRptRun> runs)
{
    CRptElement& element = m_elements.emplace_back();
    element.m_kind = CRptElement::kRuns;
    element.m_level = level;
    element.m_runs = std::move(runs);
}

void CRptBody::FieldRow(int level, std::string_view label, std::string_view value,
                        std::string_view marks)
{
    CRptElement& element = m_elements.emplace_back();
    element.m_kind = CRptElement::kFieldRow;
    element.m_level = level;
    element.m_label = label;
    element.m_text = value;
    element.m_marks = marks;
}

void CRptBody::SourceRow(int number, bool superscript)
{
    CRptElement& element = m_elements.emplace_back();
    element.m_kind = CRptElement::kSourceRow;
    element.m_number = number;
    element.m_superscript = superscript;
}
