// reports/rpt_gen_desc.h: the Descendant report body: the subject, its spouses and its
// descendants, one line each, indented by generation, numbered by generation, compact code or
// dotted path.
#pragma once

#include "reports/rpt_gen_body.h"

#include <string>

class CIndRec;

/// Numbering modes of the Descendant report.
enum RptDescNumbering : int {
    kRptDescNoNumbers,
    kRptDescGeneration,
    kRptDescCompact,
    kRptDescDotted
};

/// The number of child index (from 1) under parent's: compact appends one character (1-9, then
/// "A"-"Z" for 10-35, "a"-"z" for 36-61, "?" beyond), dotted appends "." and the number. The
/// text has no limit of length, so deep descendants never repeat their parent's number.
std::string RptDescendantNumber(const std::string& parent, int child, int mode);

/// Writes one Descendant entry for subject: its heading, then the walk of "Gens" generations
/// (below 1 taken as 1): each person's line, then for each spouse family the spouse's line
/// ("Sp. ", "(unknown)", ", son of " ...) and the children. Kept on its own stack. False when
/// the body stopped early.
bool RptWriteDescendants(CRptBodyContext& body, CIndRec& subject);

/// The Descendant report: one entry per chosen individual.
class CRptGenDesc final : public CRptGenBody {
public:
    CRptGenDesc(std::string name, bool custom);

protected:
    bool WriteEntry(CRptBodyContext& body, CRecordNode& record) override;
};
