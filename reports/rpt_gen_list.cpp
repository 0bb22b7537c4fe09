// reports/rpt_gen_list.cpp: the List report.
#include "reports/rpt_gen_list.h"

#include "database/kin/ind_rec.h"
#include "platform/base/text.h"
#include "queries/named_list.h"
#include "reports/rpt_emitter.h"
#include "reports/rpt_select.h"
#include "reports/rpt_settings.h"

bool RptWriteNamedList(CRptBodyContext& body, const std::string& listName)
{
    body.out.NextEntry();
    body.out.Heading(kRptLevelRecord, body.HeadingShown(kRptHdgListName) ? listName : "");
    const CNamedList* list = FindNamedList(listName);
    if (!list)
        return true;
    const CRptSettings& settings = body.settings;
    int written = 0;
    if (!list->GetNote().empty()) {
        ++written;
        if (!body.out.FieldRow(kRptLevelSection, "Note:", list->GetNote()))
            return false;
    }
    for (const NamedListEntry& entry : list->Entries()) {
        if (!entry.m_record)
            continue;
        if (body.Stopped())
            return false;
        std::string text;
        if (const CIndRec* individual = AsIndividual(entry.m_record))
            individual->FormatNameForReport(text, true, false, false);
        else
            entry.m_record->GetText(text, 0);
        text += text::Format(" [%d]", entry.m_record->GetRecordNumber());
        ++written;
        if (!body.out.Row(RptParagraph(text, 1, 0, kRptLevelSection, kRptDataPart)))
            return false;
        if (!entry.m_note.empty() &&
            !body.out.Row(RptParagraph(entry.m_note, 1, 1, kRptLevelSubsection, kRptDataPart)))
            return false;
    }
    return written > 0 || body.out.Row(RptParagraph(settings.m_format.m_emptySectionText, 1, 0,
                                                    kRptLevelSection, kRptDataPart));
}

CRptGenList::CRptGenList(std::string name, bool custom, std::string listName)
    : CRptGen(kRptTypeList, std::move(name), custom), m_listName(std::move(listName))
{
    CRptGenList::PrepareEntries();
}

void CRptGenList::PrepareEntries()
{
    Entries().clear();
    Entries().push_back(std::make_unique<CRptRow>(kRptRowList, nullptr));
}

bool CRptGenList::SelectRecords(IRptSelector& selector)
{
    std::string name = m_listName;
    if (!selector.SelectNamedList(name))
        return false;
    m_listName = std::move(name);
    return true;
}

bool CRptGenList::WriteListRow(CRptFontSet& ctx, int /*index*/)
{
    CRptLayoutEmitter out(Layout(), ctx);
    CRptCitations citations(false, nullptr);
    CRptBodyContext body{Settings(), out, citations, [&] { return StopRequested(ctx); }, {}};
    return RptWriteNamedList(body, m_listName);
}

void CRptGenList::GetEntryTitle(const CRptRow& /*entry*/, std::string& out) const
{
    out = m_listName;
}
