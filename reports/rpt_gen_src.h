// reports/rpt_gen_src.h: the Source report (one block per source: its details and its
// repositories) and the source and repository detail writers other reports share.
#pragma once

#include "reports/rpt_gen_body.h"

#include <string>

/// The rows of the source item list for source: "Short Title:", "Title:", "Author:",
/// "Publication Info:", "Record Id:", "Custom Id:", "Citations:" (each record and field citing
/// it, a line each), "Text From Source:", the notes ("Note:", "Note %d:", "... (shared):") and
/// custom items. The rows written; -1 when the body may stop.
int RptWriteSourceDetails(CRptBodyContext& body, CRecordNode& source);
/// The same for a repository: "Name:", "Address:", "Telephone:", "Email:", "Web:",
/// "Record Id:", "Custom Id:", notes and custom items.
int RptWriteRepositoryDetails(CRptBodyContext& body, CRecordNode& repository);

/// Writes one Source report entry. False when the body may stop.
bool RptWriteSourceEntry(CRptBodyContext& body, CRecordNode& source);

/// The Source report: one entry per chosen source.
class CRptGenSrc final : public CRptGenBody {
public:
    CRptGenSrc(std::string name, bool custom);

protected:
    bool WriteEntry(CRptBodyContext& body, CRecordNode& record) override;
};
