// reports/rpt_sources.h: the sources section of a report or of one entry: a heading, then one
// numbered line per citation describing the source, with the citation's text, notes and the
// source's repository in rows of their own.
//
// On pages each line follows its pictures: those of its source the first time the section meets it
// ("Source Pictures"), then the citation's own ("Citation Pictures"), at most "Source Pic Width"
// wide, with the source picture gaps.
#pragma once

#include <functional>
#include <string>

class CDataNode;
class CRptCitationList;
class CRptSettings;
class IRptEmitter;

/// The heading rows of the two sources sections: the report's closing one and an entry's.
inline constexpr int kRptHeadingSourcesAll = 5, kRptHeadingSourcesRecord = 13;

/// The line of one citation as the settings' source options choose it: for a linked source its
/// author, short title, quoted title, publication facts in brackets and custom id, closed with
/// a full stop (a text citation gives its own text instead); then where within, "Cit. Date: "
/// and "Assessment: ".
std::string RptSourceLine(const CDataNode& citation, const CRptSettings& settings);
/// The repository line of a linked source: name, address, "Tel: ", "Email: ", "Web: " and
/// "Call Number: " (with " (media)"), each as the repository options ask; empty without one.
std::string RptRepositoryLine(const CDataNode& citation, const CRptSettings& settings);

/// Writes a sources section of the citations in list, under heading row headingRow (one of the
/// two above), on a new page when asked. Nothing when the list is empty and the heading row
/// does not ask to show an empty section; else, without citations, the empty-section row.
/// False when the body may stop, or when stop (asked between citations) says so.
bool RptWriteCitations(IRptEmitter& out, const CRptSettings& settings, const CRptCitationList& list,
                       int headingRow, bool newPage, const std::function<bool()>& stop = {});
