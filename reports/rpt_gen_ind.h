// reports/rpt_gen_ind.h: the Individual Summary report (one record block per individual: name
// items, events, marriages, LDS ordinances, notes, sources), and the person items that the
// Family Group Sheet shares with it.
#pragma once

#include "reports/rpt_gen_body.h"

#include <string>

class CIndRec;

/// Who a person block describes: its own summary, or a family's husband, wife or child.
enum class RptPersonRole { Summary, Husband, Wife, Child };

/// The rows of the individual item list for person, in the list's order. In a summary an
/// item of show mode 2 writes an empty value when it has none ("Parents" then gives empty
/// "Father:" and "Mother:" rows); in a family a shown item without value gives "-" when its
/// show mode is 2 and nothing otherwise, partners have no "Spouses" rows and children no
/// parents. The number of rows written; -1 when the body may stop.
int RptWritePersonItems(CRptBodyContext& body, CIndRec& person, RptPersonRole role);

/// Writes one Individual Summary entry. False when the body may stop.
bool RptWriteIndividualSummary(CRptBodyContext& body, CIndRec& person);

/// The Individual Summary report: one entry per chosen individual.
class CRptGenInd final : public CRptGenBody {
public:
    CRptGenInd(std::string name, bool custom);

protected:
    bool WriteEntry(CRptBodyContext& body, CRecordNode& record) override;
};
