// reports/rpt_document.h: the document frame around an exported report body (HTML head with
// its style sheet, RTF header with font and style tables, closing parts) and the one call that
// writes a whole report to a file.
#pragma once

#include "reports/report_body.h"
#include "reports/rpt_settings.h"
#include "reports/rpt_sink.h"

#include <functional>
#include <string>

class CRptWriter;

/// Exports are laid out on a US Letter page (hundredths of an inch); landscape swaps the sides.
inline constexpr int kRptPageWidth = 850, kRptPageLength = 1100;

/// The RTF character formatting of a font slot (0-6): "\plain\f<n>\fs<half-points>" with "\b",
/// "\i", "\ul" as the font asks, and a closing blank. n indexes the font table of the header.
std::string RtfCharFormat(const CRptSettings& settings, int slot);

/// Writes the part before the body: for HTML the 4.01 Transitional head with a UTF-8 charset,
/// the title and a style sheet for AvHdg1-3, AvLbl2-3 and AvDat2-3; for RTF the header with
/// page size, margins, font table and styles \s1-\s7; nothing for plain text.
void WriteRptDocumentStart(CRptSink& sink, std::string_view title, const CRptSettings& settings);
/// Writes the closing part.
void WriteRptDocumentEnd(CRptSink& sink);

/// Writes a whole report of the kind (kRptHtml, kRptRtf, kRptText) to path: frame, the body the
/// callback emits through a writer set up from the settings, closing part. The file is written
/// beside path and renamed over it only when complete; on failure path is left as it was and
/// the outcome holds "Unable to save the report in file", the path and the system's reason, for
/// the caller to show as a warning.
SaveOutcome WriteReportFile(const std::string& path, int kind, std::string_view title,
                            const CRptSettings& settings,
                            const std::function<void(CRptWriter&)>& body);
SaveOutcome WriteReportFile(const std::string& path, int kind, std::string_view title,
                            const CRptSettings& settings, const CRptBody& body);
