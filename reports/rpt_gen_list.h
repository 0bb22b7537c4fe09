// reports/rpt_gen_list.h: the List report: the records of one named list, one row each, with
// the list's own note first and each entry's annotation after its record.
#pragma once

#include "reports/rpt_gen_body.h"

#include <string>

/// Writes the List report's single entry for the named list listName: its heading, then the
/// list's note ("Note:"), then per entry its record (an individual by name and life dates,
/// any other by its display text) and " [number]", and its annotation a level in. A list that
/// no longer exists gives only the heading. False when the body may stop.
bool RptWriteNamedList(CRptBodyContext& body, const std::string& listName);

class CRptGenList final : public CRptGen {
public:
    CRptGenList(std::string name, bool custom, std::string listName);

    const std::string& GetListName() const { return m_listName; }
    /// The single work entry of the report.
    void PrepareEntries() override;
    /// Chooses the named list; Cancel keeps the old one.
    bool SelectRecords(IRptSelector& selector) override;
    bool WriteListRow(CRptFontSet& ctx, int index) override;
    /// The list's name.
    void GetEntryTitle(const CRptRow& entry, std::string& out) const override;

private:
    std::string m_listName;
};
