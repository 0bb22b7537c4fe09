// reports/rpt_gen_rec.h: the record reports ("Rec-Ind" to "Rec-Obj"): per chosen record its
// title and its whole field tree, one row per field indented by depth, with the links of a
// multimedia record; and the record title other reports use for linked records.
//
// "Slashes round Surnames" shows name fields with the surname between slashes, and "Linked Family
// Records" writes after an individual's fields each family it links to, under the family's title,
// with the family's own fields.
#pragma once

#include "reports/rpt_gen_body.h"

#include <string>

/// "[" + the type letter (with "Record Type Prefix") + number + "] " when "Record Ids" is on,
/// then the record's name: an individual's (with life dates when "Dates with Names" is on), a
/// family's title, any other record's display text.
std::string RptRecordTitle(const CRptBodyContext& body, const CRecordNode& record);

/// Writes record's fields, each a row of its label and value at its depth (a link shows the
/// linked record's title, a note its text for output); with "Show Graphics" the rows are
/// joined by tree lines. A multimedia record's links come first as "Link: " rows. The walk
/// keeps its own stack. False when the body may stop.
bool RptWriteLinksAndNotes(CRptBodyContext& body, CRecordNode& record);

/// Writes one record report entry. False when the body may stop.
bool RptWriteRecordEntry(CRptBodyContext& body, CRecordNode& record);

/// A record report of one record type (0-7 of the record selection).
class CRptGenRec final : public CRptGenBody {
public:
    CRptGenRec(int recordType, std::string name, bool custom);

protected:
    bool WriteEntry(CRptBodyContext& body, CRecordNode& record) override;
};
