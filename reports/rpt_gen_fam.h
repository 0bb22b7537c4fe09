// reports/rpt_gen_fam.h: the Family Group Sheet: per family a title, a summary of partners,
// children and family events, a block for each partner and child, the family's LDS
// ordinances, the notes of the family and its members, and the sources.
//
// A family sheet pictures each person once.
#pragma once

#include "reports/rpt_gen_body.h"

#include <string>

class CFamRec;

/// Writes one family's sheet. False when the body may stop.
bool RptWriteFamilyGroupSheet(CRptBodyContext& body, CFamRec& family);

/// The Family Group Sheet report: one entry per chosen family.
class CRptGenFam final : public CRptGenBody {
public:
    CRptGenFam(std::string name, bool custom);

protected:
    bool WriteEntry(CRptBodyContext& body, CRecordNode& record) override;
};
