// reports/rpt_gen_anc.h: the Ancestor report body: the subject and its ancestors, one line each,
// indented by generation, with Ahnentafel numbers (father 2k, mother 2k + 1).
#pragma once

#include "reports/rpt_gen_body.h"

#include <string>

class CIndRec;

/// The Ahnentafel number of a parent: 2k for the father, 2k + 1 for the mother, in decimal
/// digits, without limit of size.
std::string RptAhnentafelParent(const std::string& number, bool mother);

/// Writes one Ancestor entry for subject: its heading, then the generation walk of "Gens"
/// generations (below 1 taken as 1), father before mother unless "Females First", the first
/// parent family or, with "Alt. Parents", every one; a family's facts go on the line of the
/// parent visited second (or of its only parent). The walk keeps its own stack, so a line of
/// any length cannot exhaust the program's. False when the body stopped early.
bool RptWriteAncestors(CRptBodyContext& body, CIndRec& subject);

/// The Ancestor report: one entry per chosen individual.
class CRptGenAnc final : public CRptGenBody {
public:
    CRptGenAnc(std::string name, bool custom);

protected:
    bool WriteEntry(CRptBodyContext& body, CRecordNode& record) override;
};
