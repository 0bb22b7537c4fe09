// reports/rpt_fact_text.h: the texts reports show for facts (events and attributes) and LDS
// ordinances, the facts a report lists, and the fact rows and summaries placed on pages.
//
// "Ages with Events - or calc" lets a fact's age be worked out from the birth (without it only an
// age recorded with the fact shows); "Include Whole Record Sources" marks the citations of the
// record itself against its "Name:" item.
#pragma once

#include "database/dictionary/event_list_entry.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CDataNode;
class CRecordNode;
class CIndRec;
class CFamRec;
class CRptCitations;
class IRptEmitter;

/// How a fact's label is written.
struct RptLabelOptions {
    /// A fact with earlier siblings of its field gets its occurrence: "Birth (2)".
    bool numbered = false;
    /// Empty facts are left out of that count.
    bool skipEmptyInCount = false;
    bool colon = false;
    /// The short forms: "b.", "bap.", "chr.", "d.", "bur.", "m.", "div.", "educ.".
    bool abbreviate = false;
    bool lowerCase = false;
};

/// The label of an event or attribute: a generic event's or custom attribute's TYPE, or
/// "<Custom Event>" / "<Custom Attribute>" without one; else its field's label or short form.
/// Empty for a field that is neither.
std::string RptFactLabel(const CDataNode& fact, const RptLabelOptions& options);
/// The fact's DATE in a date format; with individual, followed by " (age " + the age at the
/// fact + ")" when there is one: the age recorded with the fact, else, when calculated, the
/// age worked out from the individual's birth.
std::string RptFactDate(const CDataNode& fact, int dateFormat, const CIndRec* individual,
                        bool calculated = true);
/// The place of a fact; for an attribute other than a residence, with withValue, first the
/// attribute's own value ("-" without one), joined to the place by separator.
std::string RptFactPlace(const CDataNode& fact, bool withValue, std::string_view separator);
/// One fact as a summary: the label, a blank, the date, ", " and the place; empty when there
/// is neither date nor place.
std::string RptFactSummaryText(std::string_view label, std::string_view date,
                               std::string_view place);
/// The label of an LDS ordinance: "Seal to parents (<husband> and <wife>)" of its FAMC
/// family, "Seal to spouse (<spouse>)" in family, else its field's label without a leading
/// "LDS "; numbered as a fact's label when individual has more than one of the kind.
std::string RptLdsOrdinanceLabel(const CDataNode& ordinance, const CIndRec* individual,
                                 const CFamRec* family, bool numbered);

/// Which facts a report lists: all, only those in the report's list, or only those not in it.
enum class RptFactFilterMode { All = 0, OnlyListed = 1, AllButListed = 2 };
/// Whether a fact's field is in the report's event list.
using RptFactInList = std::function<bool(const CDataNode& fact)>;
/// The record's next fact after after (null: the first) that the filter lets through.
CDataNode* RptNextFact(const CRecordNode& record, const CDataNode* after, RptFactFilterMode mode,
                       const RptFactInList& inList);

/// A filter that asks whether a fact is in list (IsEventInList).
RptFactInList RptEventListFilter(const CEventList& list);

/// A note text field's value as reports give it: private passages kept (with or without their
/// brackets) or dropped.
std::string RptOutputText(const CDataNode& textNode, bool keepPrivate, bool strip);
/// The texts of node's notes in order, local NOTE texts and linked note records' TEXT, each as
/// reports give it: private passages kept (with or without their brackets) or dropped.
std::vector<std::string> RptNoteTexts(const CDataNode& node, bool keepPrivate, bool strip);
/// The details of a fact joined as sentences: "Cause: ", "Family: " with the partners of its
/// FAMC family, " (adopted by ...)." for an adoption, its notes, "\nAddress: "; empty without.
std::string RptFactDetails(const CDataNode& fact, bool keepPrivate, bool strip);
/// The details text of an LDS ordinance: "Temple code: " with its TEMP, then its place, joined
/// by "; ".
std::string RptLdsOrdinanceDetails(const CDataNode& ordinance);

/// A fact as a row of three runs, label, date (with individual's age when given, calculated as
/// RptFactDate says) and place; the fact's citation marks after the place, else after the date.
/// False when the body may stop.
bool RptWriteFactRow(IRptEmitter& out, CRptCitations& citations, int level, const CDataNode& fact,
                     int dateFormat, const CIndRec* individual, bool calculated = true);
/// The summaries of the record's facts that the filter lets through: appended to line, each
/// after "; " when the line holds something; without a line, each a row of its own at indent
/// (kind 1).
bool RptWriteFactSummary(IRptEmitter& out, const CRecordNode& record, int indent, int dateFormat,
                         std::string* line, RptFactFilterMode mode, const RptFactInList& inList);
/// The details table of the record's facts that the filter lets through: only when one has
/// details; headed by heading at level 2 (none when empty), a row of label and details each.
bool RptWriteFactDetails(IRptEmitter& out, const CRecordNode& record, std::string_view heading,
                         RptFactFilterMode mode, const RptFactInList& inList, bool keepPrivate,
                         bool strip);
